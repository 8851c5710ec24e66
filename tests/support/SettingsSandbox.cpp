// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/SettingsSandbox.h"

#include <QDirIterator>
#include <QFile>

#include <sys/stat.h>

namespace {

const QByteArray EnvironmentNames[] = {"XDG_CONFIG_DIRS", "XDG_CONFIG_HOME", "HOME"};

} // namespace

SettingsSandbox::SettingsSandbox()
{
    for (const QByteArray &name : EnvironmentNames) {
        m_environment[name]
            = qEnvironmentVariableIsSet(name.constData()) ? std::optional(qgetenv(name.constData())) : std::nullopt;
    }
    if (!m_dir.isValid())
        return;
    // The other users of the tests must reach the folders inside.
    m_ready = ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0;
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath(QStringLiteral("etc"))));
    qputenv("HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
    qunsetenv("XDG_CONFIG_HOME");
}

SettingsSandbox::~SettingsSandbox()
{
    for (auto it = m_environment.cbegin(); it != m_environment.cend(); ++it) {
        if (it.value())
            qputenv(it.key().constData(), *it.value());
        else
            qunsetenv(it.key().constData());
    }
    if (!m_dir.isValid())
        return;
    // Folders a test closed to writing are opened again, so that they can go.
    QDirIterator folders(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (folders.hasNext())
        ::chmod(QFile::encodeName(folders.next()).constData(), 0755);
}
