// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

bool install(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

} // namespace

UiLanguage ChosenUiLanguage(LanguageChoice choice, const QStringList &userLanguages)
{
    switch (choice) {
    case LanguageChoice::Hungarian:
        return UiLanguage::Hungarian;
    case LanguageChoice::English:
        return UiLanguage::English;
    case LanguageChoice::Automatic:
        break;
    }
    // "en-GB", "en", "hu-HU": the user's order decides between the two; "C" names neither.
    for (const QString &name : userLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::Hungarian)
            return UiLanguage::Hungarian;
        if (language == QLocale::English)
            return UiLanguage::English;
    }
    return UiLanguage::Hungarian;
}

bool InstallUiLanguage(UiLanguage language)
{
    if (language == UiLanguage::English)
        return install(QStringLiteral("pontix_en"), QStringLiteral(":/i18n"));
    // The toolkit's Hungarian catalogue comes with its translations package; without it the
    // edit boxes' menus and the dialogs' standard buttons stay in English.
    install(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}
