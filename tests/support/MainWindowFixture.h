// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window as the tests meet it.
#pragma once

#include <memory>

#include <QString>

#include "tests/support/SettingsSandbox.h"

class CallerBox;
class LanguageBox;
class QCheckBox;
class QLabel;
class LegsLabel;
class MatchControls;
class MatchWinnerLabel;
class Tfrm_Main;

// The main window with its settings file in a folder of its own: while the fixture lives,
// IniPath names "Pontix.ini" in a settings sandbox, so that no window reads or writes the user's
// or the machine's settings. Each window starts from the defaults unless a test writes that file
// (or points IniPath elsewhere) before opening it. Closing frees the window and the splash that
// showing it opened, which without an event loop that ends would outlive it. The window's fonts
// (Liberation Sans, DejaVu Sans) come with fonts-liberation2 and fonts-dejavu-core, which
// scripts/setup installs; its screens are the offscreen platform's, sized by each test.
class MainWindowFixture
{
    Q_DISABLE_COPY_MOVE(MainWindowFixture)

public:
    MainWindowFixture();
    ~MainWindowFixture();

    // The settings file the windows read at start and write at close, and its folder.
    QString settingsPath() const;
    QString folder() const { return m_sandbox.path(); }
    bool isValid() const { return m_sandbox.isValid(); }

    // A new window, made but not shown; the previous one and its splash are freed first, the
    // settings file is left as it is.
    Tfrm_Main &make();
    // A new window, shown and active with the entry box focused; false when it never showed.
    [[nodiscard]] bool open();
    // Frees the window and its splash; the settings file goes and IniPath names it again, so that
    // the next window starts from the defaults.
    void close();

    Tfrm_Main *window() const { return m_window.get(); }

    // Types Text into the emptied entry box and presses Enter, as the operator does.
    void enter(const QString &text);

private:
    void freeWindow();

    SettingsSandbox m_sandbox;
    std::unique_ptr<Tfrm_Main> m_window;
};

// The widgets the window places beyond the scoreboard's own controls, as the window holds them:
// player 1's or player 2's legs, the winner of the match, and the settings panel's additions,
// nullptr until the panel has first shown.
LegsLabel *legsLabelOf(const Tfrm_Main &window, int player);
MatchWinnerLabel *matchWinnerOf(const Tfrm_Main &window);
MatchControls *matchControlsOf(const Tfrm_Main &window);
CallerBox *callerBoxOf(const Tfrm_Main &window);
LanguageBox *languageBoxOf(const Tfrm_Main &window);
// "Dupla kiszálló" in the settings panel, nullptr until the panel has first shown; the status bar's
// notice ("Túldobás", why the previous game cannot come back).
QCheckBox *doubleOutBoxOf(const Tfrm_Main &window);
QLabel *noticeOf(const Tfrm_Main &window);
