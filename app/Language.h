// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include "settings/Settings.h"

// The languages the window speaks. Its texts are written in Hungarian; English comes from the
// translation built into the program.
enum class UiLanguage { Hungarian, English };

// The window's language: the one chosen in the settings panel, or, left automatic, the first of
// the user's languages (QLocale::uiLanguages(), after LANGUAGE, LC_ALL, LC_MESSAGES and LANG) that
// Pontix speaks; Hungarian where none is, the C locale included.
UiLanguage ChosenUiLanguage(LanguageChoice choice, const QStringList &userLanguages);

// Installs the texts of `language` in the application, once, before any window is built: for
// Hungarian the toolkit's own Hungarian texts when they are installed, as ever; for English the
// program's English translation, the toolkit's texts then staying in its own English. False when
// English was asked for and its translation could not be loaded (the window then stays
// Hungarian).
bool InstallUiLanguage(UiLanguage language);
