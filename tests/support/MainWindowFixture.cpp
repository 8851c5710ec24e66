// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/MainWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "app/CallerControls.h"
#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "app/logo.h"
#include "controls/uEditEx.h"
#include "settings/Folders.h"

MainWindowFixture::MainWindowFixture()
{
    IniPath = settingsPath();
}

MainWindowFixture::~MainWindowFixture()
{
    close();
    IniPath.clear();
}

QString MainWindowFixture::settingsPath() const
{
    return m_sandbox.filePath(QStringLiteral("Pontix.ini"));
}

Tfrm_Main &MainWindowFixture::make()
{
    freeWindow();
    m_window = std::make_unique<Tfrm_Main>();
    return *m_window;
}

bool MainWindowFixture::open()
{
    Tfrm_Main &w = make();
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    QApplication::setActiveWindow(&w);
    w.EditEx1->setFocus();
    return true;
}

void MainWindowFixture::freeWindow()
{
    m_window.reset();
    delete frm_Logo;
}

void MainWindowFixture::close()
{
    freeWindow();
    QFile::remove(settingsPath());
    IniPath = settingsPath();
}

void MainWindowFixture::enter(const QString &text)
{
    m_window->EditEx1->clear();
    QTest::keyClicks(m_window->EditEx1, text);
    QTest::keyClick(m_window->EditEx1, Qt::Key_Return);
}

LegsLabel *legsLabelOf(const Tfrm_Main &window, int player)
{
    return window.findChild<LegsLabel *>(QStringLiteral("legs%1").arg(player));
}

MatchWinnerLabel *matchWinnerOf(const Tfrm_Main &window)
{
    return window.findChild<MatchWinnerLabel *>();
}

MatchControls *matchControlsOf(const Tfrm_Main &window)
{
    return window.findChild<MatchControls *>();
}

CallerBox *callerBoxOf(const Tfrm_Main &window)
{
    return window.findChild<CallerBox *>();
}

LanguageBox *languageBoxOf(const Tfrm_Main &window)
{
    return window.findChild<LanguageBox *>();
}

QCheckBox *doubleOutBoxOf(const Tfrm_Main &window)
{
    return window.findChild<QCheckBox *>(QStringLiteral("doubleOut"));
}

QLabel *noticeOf(const Tfrm_Main &window)
{
    return window.findChild<QLabel *>(QStringLiteral("notice"));
}
