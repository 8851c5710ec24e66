// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Pontix in English: the language follows the user's locale or the choice in the settings panel,
// and every text of the main window, its settings panel, the display and the bull-off question is
// English once the translation is installed.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTest>

#include "app/BullOffDialog.h"
#include "app/Language.h"
#include "app/LanguageBox.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "app/Version.h"
#include "app/logo.h"
#include "display/Display.h"
#include "sheet/ResultWindow.h"
#include "tests/support/MainWindowFixture.h"

using namespace Qt::StringLiterals;

class tst_English : public QObject
{
    Q_OBJECT

private slots:
    void chosenLanguage_data();
    void chosenLanguage();
    void hungarianLoadsNoTranslation();
    void languageBoxKeptInSettings();
    void everyTextTranslated();
};

void tst_English::chosenLanguage_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("userLanguages"); // as QLocale::uiLanguages() gives them
    QTest::addColumn<bool>("english");

    const auto automatic = int(LanguageChoice::Automatic);
    QTest::newRow("C locale") << automatic << QStringList {u"C"_s} << false;
    QTest::newRow("none") << automatic << QStringList {} << false;
    QTest::newRow("LANG=en_GB.UTF-8") << automatic << QStringList {u"en-GB"_s, u"en-Latn-GB"_s} << true;
    QTest::newRow("LANGUAGE=en") << automatic << QStringList {u"en"_s, u"en-Latn-US"_s, u"en-US"_s} << true;
    QTest::newRow("LANG=hu_HU.UTF-8") << automatic << QStringList {u"hu-HU"_s, u"hu-Latn-HU"_s, u"hu"_s} << false;
    QTest::newRow("German: Hungarian") << automatic << QStringList {u"de-DE"_s, u"de"_s} << false;
    QTest::newRow("German, then English") << automatic << QStringList {u"de"_s, u"de-DE"_s, u"en"_s} << true;
    QTest::newRow("Hungarian, then English") << automatic << QStringList {u"hu"_s, u"en"_s} << false;
    QTest::newRow("magyar over an English locale")
        << int(LanguageChoice::Hungarian) << QStringList {u"en-GB"_s} << false;
    QTest::newRow("English over the C locale") << int(LanguageChoice::English) << QStringList {u"C"_s} << true;
}

void tst_English::chosenLanguage()
{
    QFETCH(int, choice);
    QFETCH(QStringList, userLanguages);
    QFETCH(bool, english);
    QCOMPARE(ChosenUiLanguage(LanguageChoice(choice), userLanguages) == UiLanguage::English, english);
}

// The Hungarian start adds nothing to what it always loaded: the texts stay the source texts.
void tst_English::hungarianLoadsNoTranslation()
{
    QVERIFY(InstallUiLanguage(UiLanguage::Hungarian));
    QCOMPARE(QCoreApplication::translate("Tfrm_Main", "Új játék"), u"Új játék"_s);
    QCOMPARE(QCoreApplication::translate("Match", "Nincs visszaállítható előző játék"),
        u"Nincs visszaállítható előző játék"_s);
}

// "Nyelv" shows the stored choice, says when it takes effect, and its choice is written at close;
// the window's language stays as it started.
void tst_English::languageBoxKeptInSettings()
{
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    QFile ini(fixture.settingsPath());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Def]\nNyelv=1\n");
    ini.close();
    QVERIFY(fixture.open());
    Tfrm_Main &w = *fixture.window();
    w.aBeallit->trigger();
    LanguageBox *language = languageBoxOf(w);
    QVERIFY(language);
    QComboBox *box = language->box();
    QCOMPARE(box->currentIndex(), int(LanguageChoice::Hungarian));
    QCOMPARE(box->accessibleName(), u"Nyelv"_s);
    QVERIFY(box->toolTip().contains(u"következő indítástól"_s));
    QCOMPARE(box->accessibleDescription(), box->toolTip());
    box->setCurrentIndex(int(LanguageChoice::English));
    QCOMPARE(w.aUj->text(), u"Új játék"_s);
    w.close();
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("Nyelv=2\n"));
}

namespace {

using Texts = QMap<QString, QString>; // where the text is shown → the text

// Where a widget stands among its parent's: its class and its place among the children of that
// class, so that two windows built alike give the same places.
QString placeOf(const QObject *object)
{
    QString place;
    for (; object; object = object->parent()) {
        int index = 0;
        if (const QObject *parent = object->parent()) {
            for (const QObject *sibling : parent->children()) {
                if (sibling == object)
                    break;
                if (sibling->metaObject() == object->metaObject())
                    ++index;
            }
        }
        place.prepend(u"/%1[%2]"_s.arg(QLatin1StringView(object->metaObject()->className())).arg(index));
    }
    return place;
}

void add(Texts &texts, const QString &where, const QString &text)
{
    if (!text.isEmpty())
        texts.insert(where, text);
}

void collectAction(Texts &texts, const QString &where, const QAction *action)
{
    add(texts, where + u" text"_s, action->text());
    add(texts, where + u" tool tip"_s, action->toolTip());
}

// Every text a widget shows or gives a screen reader, and those of its children and actions.
void collect(Texts &texts, const QWidget *root)
{
    QList<const QWidget *> widgets {root};
    for (const QWidget *child : root->findChildren<const QWidget *>())
        widgets << child;
    for (const QWidget *widget : widgets) {
        const QString where = placeOf(widget);
        if (widget->isWindow())
            add(texts, where + u" window title"_s, widget->windowTitle());
        add(texts, where + u" tool tip"_s, widget->toolTip());
        add(texts, where + u" accessible name"_s, widget->accessibleName());
        add(texts, where + u" accessible description"_s, widget->accessibleDescription());
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            add(texts, where + u" text"_s, label->text());
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(texts, where + u" text"_s, button->text());
        if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            add(texts, where + u" title"_s, group->title());
        if (const auto *spin = qobject_cast<const QSpinBox *>(widget))
            add(texts, where + u" special value"_s, spin->specialValueText());
        if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(texts, where + u" item %1"_s.arg(i), combo->itemText(i));
        }
        const QList<QAction *> actions = widget->actions();
        for (qsizetype i = 0; i < actions.size(); ++i)
            collectAction(texts, where + u" action %1"_s.arg(i), actions[i]);
    }
}

// What a screen reader reads of a window drawn by itself (the display): its parts' names and
// descriptions.
void collectAccessible(Texts &texts, const QString &where, QAccessibleInterface *iface)
{
    if (!iface)
        return;
    add(texts, where + u" name"_s, iface->text(QAccessible::Name));
    add(texts, where + u" description"_s, iface->text(QAccessible::Description));
    for (int i = 0; i < iface->childCount(); ++i)
        collectAccessible(texts, u"%1/%2"_s.arg(where).arg(i), iface->child(i));
}

// The window in a state that shows most of its texts: names typed, the settings panel and the
// display open, a match of one leg won (the status bar and the display's band name the winner),
// a turn of the next game with a route in hand, a notice in the status bar; then its texts and
// those of the display and of the bull-off question.
Texts textsOfWindow(MainWindowFixture &fixture)
{
    Texts texts;
    if (!fixture.open())
        return texts;
    Tfrm_Main &w = *fixture.window();
    w.ComboBox1->setEditText(u"Anna"_s);
    w.ComboBox2->setEditText(u"Béla"_s);
    w.aBeallit->trigger();
    if (MatchControls *match = matchControlsOf(w))
        match->firstToBox()->setValue(1);
    // The darts at the checkout asked for: the sheet has their column.
    if (auto *darts = w.findChild<QCheckBox *>(u"checkoutDartsBox"_s))
        darts->click();
    for (const QString &score : {u"180"_s, u"60"_s, u"151"_s, u"60"_s, u"170"_s})
        fixture.enter(score);
    w.aUj->trigger(); // Anna's leg wins the match
    fixture.enter(u"100"_s);
    w.aKijelzo->trigger();
    w.aElozo->trigger(); // the new game has an entry: the status bar says why nothing comes back
    auto *display = w.findChild<SpectatorDisplay *>();
    if (!display || !QTest::qWaitForWindowExposed(display))
        return {};
    // The result sheet, a window of the main window's own.
    w.aEredmeny->trigger();
    auto *sheet = w.findChild<ResultWindow *>();
    if (!sheet || !QTest::qWaitForWindowExposed(sheet))
        return {};
    QApplication::processEvents();
    collect(texts, &w);
    collectAccessible(texts, u"display"_s, QAccessible::queryAccessibleInterface(display));
    const BullOffDialog bullOff(u"Anna"_s, u"Béla"_s, true);
    collect(texts, &bullOff);
    return texts;
}

// The words of a text: its runs of two or more letters. Figures, signs and the beds of the board
// ("T20", "D16": a letter alone) are no words.
QSet<QString> wordsOf(const QString &text)
{
    static const QRegularExpression nonLetters(u"\\P{L}+"_s);
    QSet<QString> words;
    for (const QString &word : text.split(nonLetters, Qt::SkipEmptyParts)) {
        if (word.size() > 1)
            words.insert(word);
    }
    return words;
}

// The words that read alike in every language: the players' names, the program's name, its
// maker's and its address, "OK", the keys' names in the tool tips, the environment's names for
// the language, the bull's eye, the bull-off and the leg (darts' own words), the file formats the
// sheet is saved in, and each language's own name in the language box.
bool languageNeutral(const QString &word)
{
    static const QSet<QString> neutral = wordsOf(QString::fromUtf8(PontixMakersLine))
        + wordsOf(QString::fromUtf8(PontixWebAddress))
        + QSet<QString> {u"Anna"_s, u"Béla"_s, u"Pontix"_s, u"OK"_s, u"Ins"_s, u"Num"_s, u"Ctrl"_s, u"LANGUAGE"_s,
            u"LANG"_s, u"Bull"_s, u"bull"_s, u"leg"_s, u"Leg"_s, u"PDF"_s, u"PNG"_s, u"magyar"_s, u"English"_s};
    return neutral.contains(word);
}

// The Hungarian words `english` still holds of `hungarian`, shown in the same place.
QStringList wordsLeft(const QString &hungarian, const QString &english)
{
    QStringList left;
    for (const QString &word : wordsOf(english) & wordsOf(hungarian)) {
        if (!languageNeutral(word))
            left << word;
    }
    left.sort();
    return left;
}

} // namespace

// With the English translation installed, no text of the window keeps a Hungarian word it had,
// but for the words that read alike in every language; and the English window shows the same
// controls.
void tst_English::everyTextTranslated()
{
    QAccessible::setActive(true);
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    const Texts hungarian = textsOfWindow(fixture);
    QVERIFY(!hungarian.isEmpty());
    fixture.close();

    QVERIFY(InstallUiLanguage(UiLanguage::English));
    const Texts english = textsOfWindow(fixture);
    fixture.close();

    QStringList untranslated;
    for (auto it = hungarian.cbegin(); it != hungarian.cend(); ++it) {
        if (!english.contains(it.key()))
            untranslated << u"%1: \"%2\" missing in English"_s.arg(it.key(), it.value());
        else if (const QStringList left = wordsLeft(it.value(), english.value(it.key())); !left.isEmpty())
            untranslated << u"%1: \"%2\" (%3)"_s.arg(it.key(), english.value(it.key()), left.join(u", "_s));
    }
    for (const QString &text : std::as_const(untranslated))
        qWarning("left in Hungarian: %s", qUtf8Printable(text));
    QVERIFY2(untranslated.isEmpty(), qPrintable(u"%1 texts left in Hungarian"_s.arg(untranslated.size())));
    // The walk reached the panel's, the display's and the question's texts.
    const QStringList shown = english.values();
    for (const QString &text : {u"Language"_s, u"Anna won the match (1 – 0)"_s, u"Anna won the match 1 – 0"_s,
             u"The previous game cannot come back: the new game has entries"_s, u"Who won the bull-off?"_s,
             u"Checkout darts"_s, u"Routes on the display"_s, u"&Save…"_s, u"Result"_s})
        QVERIFY2(shown.contains(text), qPrintable(text));
    // The splash's picture has words too: the English one is there.
    const QString splash = Tfrm_Logo::tr(":/assets/splash.jpg");
    QCOMPARE_NE(splash, u":/assets/splash.jpg"_s);
    QVERIFY2(!QImage(splash).isNull(), qPrintable(splash));
}

QTEST_MAIN(tst_English)
#include "tst_English.moc"
