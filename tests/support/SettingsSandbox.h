// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The folders the settings are looked for in, moved into a temporary folder for a test.
#pragma once

#include <optional>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that stands for the machine's and the user's configuration folders: while it
// lives, XDG_CONFIG_DIRS names its "etc", HOME its "home" and XDG_CONFIG_HOME is unset, so that
// nothing of the real settings is read or written; at its end the three are as they were and the
// folder is removed. Other users of the tests can reach what is inside.
class SettingsSandbox
{
    Q_DISABLE_COPY_MOVE(SettingsSandbox)

public:
    SettingsSandbox();
    ~SettingsSandbox();

    bool isValid() const { return m_ready; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QHash<QByteArray, std::optional<QByteArray>> m_environment;
    bool m_ready = false;
};
