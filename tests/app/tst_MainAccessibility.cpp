// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include <functional>
#include <vector>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/Announcer.h"
#include "app/Main.h"
#include "app/MatchControls.h"
#include "app/Seged.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "tests/support/Accessibility.h"
#include "tests/support/Contrast.h"
#include "tests/support/MainWindowFixture.h"

namespace {

// The descriptions assistive technology was told of, with the widget they belong to.
struct Told
{
    QObject *object;
    QString description;
};
std::vector<Told> toldDescriptions;
// What a screen reader speaks: the name of each notification as it shows.
QStringList spoken;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::DescriptionChanged)
        toldDescriptions.push_back({event->object(), event->accessibleInterface()->text(QAccessible::Description)});
    if (event->type() == QAccessible::ObjectShow && event->accessibleInterface()->role() == QAccessible::Notification)
        spoken << event->accessibleInterface()->text(QAccessible::Name);
}

// Presses a key of the operator's script: a score typed and entered, or one of the keys named.
void press(MainWindowFixture &main, const QString &key)
{
    Tfrm_Main &w = *main.window();
    if (key == QStringLiteral("F8"))
        QTest::keyClick(w.EditEx1, Qt::Key_F8);
    else if (key == QStringLiteral("Ins"))
        QTest::keyClick(w.EditEx1, Qt::Key_Insert);
    else
        main.enter(key);
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

using Control = std::function<QWidget *(Tfrm_Main &)>;

} // namespace

Q_DECLARE_METATYPE(Control)

// The main window through the eyes of a screen reader: every control named, the figures read
// with what they count, the grids as tables of turns, each recorded turn told.
class tst_MainAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void controlNamed_data();
    void controlNamed();
    void everyControlNamed();
    void figuresReadWithTheirValues();
    void gridsReadAsTablesOfTurns();
    void recordedTurnTold_data();
    void recordedTurnTold();
    void refusedEntryLeavesDescription();
    void changeSpoken_data();
    void changeSpoken();
    void nothingSpokenWithoutChange();
    void announcerUnseen();
    void routePanelReadWithDarts();
    void aboutTextsReadable_data();
    void aboutTextsReadable();

private:
    void enter(const QString &text);
    void reopenWithStartScore(int startScore);

    MainWindowFixture m_main;
    Tfrm_Main *w = nullptr;
};

void tst_MainAccessibility::initTestCase()
{
    QAccessible::installUpdateHandler(recordUpdate);
    QVERIFY(SwitchAccessibilityOn());
}

void tst_MainAccessibility::init()
{
    QVERIFY(m_main.open());
    w = m_main.window();
    toldDescriptions.clear();
    spoken.clear();
}

void tst_MainAccessibility::cleanup()
{
    m_main.close();
    w = nullptr;
}

void tst_MainAccessibility::cleanupTestCase()
{
    QAccessible::installUpdateHandler(nullptr);
}

void tst_MainAccessibility::enter(const QString &text)
{
    m_main.enter(text);
    QCoreApplication::processEvents();
}

void tst_MainAccessibility::reopenWithStartScore(int startScore)
{
    m_main.close();
    QFile file(m_main.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Def]\nIndul=%1\n").arg(startScore).toUtf8());
    file.close();
    QVERIFY(m_main.open());
    w = m_main.window();
    spoken.clear();
}

void tst_MainAccessibility::controlNamed_data()
{
    QTest::addColumn<Control>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description"); // null: not checked

    // A control of the settings panel's match controls, made when the panel first shows.
    const auto inMatchControls = [](QWidget *(*control)(const MatchControls &)) {
        return Control([control](Tfrm_Main &m) -> QWidget * {
            if (!m.Panel4->isVisible())
                m.aBeallit->trigger();
            const MatchControls *controls = matchControlsOf(m);
            return controls ? control(*controls) : nullptr;
        });
    };
    // A tool bar button, by the action it shows.
    const auto button = [](QAction *(*action)(Tfrm_Main &)) {
        return Control([action](Tfrm_Main &m) { return m.ToolBar1->widgetForAction(action(m)); });
    };
    QTest::newRow("entry box") << Control([](Tfrm_Main &m) -> QWidget * { return m.EditEx1; })
                               << QStringLiteral("Dobott pontszám")
                               << QStringLiteral("Következik: Játékos 1., kell még 501.");
    QTest::newRow("OK button") << Control([](Tfrm_Main &m) -> QWidget * { return m.SpeedButton2; })
                               << QStringLiteral("OK") << QStringLiteral("A beírt pontszám rögzítése");
    QTest::newRow("player 1's name") << Control([](Tfrm_Main &m) -> QWidget * { return m.ComboBox1; })
                                     << QStringLiteral("Játékos 1.") << QStringLiteral("1. játékos neve");
    QTest::newRow("player 2's name") << Control([](Tfrm_Main &m) -> QWidget * { return m.ComboBox2; })
                                     << QStringLiteral("Játékos 2.") << QStringLiteral("2. játékos neve");
    QTest::newRow("player 1 remaining") << Control([](Tfrm_Main &m) -> QWidget * { return m.Label1; })
                                        << QStringLiteral("1. játékos, kell még: 501") << QString();
    QTest::newRow("player 2 remaining") << Control([](Tfrm_Main &m) -> QWidget * { return m.Label2; })
                                        << QStringLiteral("2. játékos, kell még: 501") << QString();
    QTest::newRow("player 1 average") << Control([](Tfrm_Main &m) -> QWidget * { return m.DBText1; })
                                      << QStringLiteral("1. játékos, átlag") << QString();
    QTest::newRow("player 2 average") << Control([](Tfrm_Main &m) -> QWidget * { return m.DBText2; })
                                      << QStringLiteral("2. játékos, átlag") << QString();
    QTest::newRow("player 1 marker") << Control([](Tfrm_Main &m) -> QWidget * { return m.Image1; })
                                     << QStringLiteral("1. játékos dob") << QString();
    QTest::newRow("player 1's name, edit line")
        << Control([](Tfrm_Main &m) -> QWidget * { return m.ComboBox1->lineEdit(); })
        << QStringLiteral("1. játékos neve") << QString();
    QTest::newRow("player 2 marker") << Control([](Tfrm_Main &m) -> QWidget * { return m.Image2; })
                                     << QStringLiteral("2. játékos dob") << QString();
    QTest::newRow("exact checkout") << Control([](Tfrm_Main &m) -> QWidget * { return m.CheckBox1; })
                                    << QStringLiteral("Kell kiszálló pontosan") << QString();
    QTest::newRow("start score") << Control([](Tfrm_Main &m) -> QWidget * { return m.Edit1; })
                                 << QStringLiteral("Induló pontszám") << QString();
    QTest::newRow("settings close") << Control([](Tfrm_Main &m) -> QWidget * { return m.SpeedButton1; })
                                    << QStringLiteral("Beállítások bezárása") << QString();
    QTest::newRow("about box") << Control([](Tfrm_Main &m) -> QWidget * { return m.GroupBox1; })
                               << QStringLiteral("Névjegy") << QString();
    QTest::newRow("player 1 grid") << Control([](Tfrm_Main &m) -> QWidget * { return m.DBGrid1; })
                                   << QStringLiteral("1. játékos dobásai") << QString();
    QTest::newRow("player 2 grid") << Control([](Tfrm_Main &m) -> QWidget * { return m.DBGrid2; })
                                   << QStringLiteral("2. játékos dobásai") << QString();
    QTest::newRow("player 1 legs") << Control([](Tfrm_Main &m) -> QWidget * { return legsLabelOf(m, 1); })
                                   << QStringLiteral("1. játékos, nyert leg: 0") << QString();
    QTest::newRow("player 2 legs") << Control([](Tfrm_Main &m) -> QWidget * { return legsLabelOf(m, 2); })
                                   << QStringLiteral("2. játékos, nyert leg: 0") << QString();
    QTest::newRow("match limit") << inMatchControls([](const MatchControls &c) -> QWidget * { return c.firstToBox(); })
                                 << QStringLiteral("Első ennyi nyert legig") << QStringLiteral("0: nincs határ");
    QTest::newRow("player 1 legs correction")
        << inMatchControls([](const MatchControls &c) -> QWidget * { return c.legsBox(1); })
        << QStringLiteral("1. játékos nyert legjei") << QString();
    QTest::newRow("player 2 legs correction")
        << inMatchControls([](const MatchControls &c) -> QWidget * { return c.legsBox(2); })
        << QStringLiteral("2. játékos nyert legjei") << QString();
    QTest::newRow("match winner") << Control([](Tfrm_Main &m) -> QWidget * { return matchWinnerOf(m); })
                                  << QStringLiteral("Meccs") << QString();
    QTest::newRow("new game") << button([](Tfrm_Main &m) { return m.aUj; }) << QStringLiteral("Új játék") << QString();
    QTest::newRow("new match") << button([](Tfrm_Main &m) { return m.aMeccs; }) << QStringLiteral("Új meccs")
                               << QString();
    QTest::newRow("previous game") << button([](Tfrm_Main &m) { return m.aElozo; }) << QStringLiteral("Előző játék")
                                   << QString();
    QTest::newRow("sets limit") << inMatchControls([](const MatchControls &c) -> QWidget * { return c.setsToBox(); })
                                << QStringLiteral("Első ennyi nyert szettig") << QStringLiteral("0: szettek nélkül");
    QTest::newRow("notice") << Control([](Tfrm_Main &m) -> QWidget * { return noticeOf(m); })
                            << QStringLiteral("Üzenet") << QString();
    QTest::newRow("delete") << button([](Tfrm_Main &m) { return m.aTorol; }) << QStringLiteral("Töröl") << QString();
    QTest::newRow("settings") << button([](Tfrm_Main &m) { return m.aBeallit; }) << QStringLiteral("Beállítások")
                              << QString();
    QTest::newRow("close") << button([](Tfrm_Main &m) { return m.aBezar; }) << QStringLiteral("Bezár") << QString();
}

void tst_MainAccessibility::controlNamed()
{
    QFETCH(Control, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget *widget = control(*w);
    QVERIFY(widget);
    QCOMPARE(nameOf(widget), name);
    if (!description.isNull())
        QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description), description);
}

// Whatever a reader can act on or look at has a name, the settings panel's controls included.
void tst_MainAccessibility::everyControlNamed()
{
    w->aBeallit->trigger();
    QVERIFY(w->Panel4->isVisible());
    const QList<QAccessible::Role> controls {QAccessible::PushButton, QAccessible::CheckBox, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::Table, QAccessible::Graphic, QAccessible::ToolBar,
        QAccessible::Grouping};
    int checked = 0;
    for (QWidget *widget : w->findChildren<QWidget *>()) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        if (!iface || !controls.contains(iface->role()) || !widget->isVisible())
            continue;
        ++checked;
        QVERIFY2(!iface->text(QAccessible::Name).trimmed().isEmpty(),
            qPrintable(QStringLiteral("%1 (%2, role %3) has no accessible name")
                           .arg(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()))
                           .arg(int(iface->role()))));
    }
    // The entry box, the OK button, two name boxes, the shown marker, the check box, the
    // start-score box, the panel's cross, the about box and its picture, two grids, the tool bar
    // and its four buttons.
    QVERIFY2(checked >= 17, qPrintable(QString::number(checked)));
}

void tst_MainAccessibility::figuresReadWithTheirValues()
{
    enter(QStringLiteral("60"));
    enter(QStringLiteral("45"));
    enter(QStringLiteral("100"));
    QCOMPARE(nameOf(w->Label1), QStringLiteral("1. játékos, kell még: 341"));
    QCOMPARE(nameOf(w->Label2), QStringLiteral("2. játékos, kell még: 456"));
    QCOMPARE(nameOf(w->DBText1), QStringLiteral("1. játékos, átlag: 80"));
    // The newest row holds no entry of player 2 yet.
    QCOMPARE(nameOf(w->DBText2), QStringLiteral("2. játékos, átlag"));
}

void tst_MainAccessibility::gridsReadAsTablesOfTurns()
{
    for (const char *score : {"60", "45", "100", "26", "140"})
        enter(QString::fromLatin1(score));
    QCoreApplication::processEvents();

    struct Expected
    {
        TThemeDBGrid *grid;
        std::vector<std::pair<QString, QString>> rows;
    };
    const Expected grids[] = {
        {w->DBGrid1,
            {{QStringLiteral("60"), QStringLiteral("441")}, {QStringLiteral("100"), QStringLiteral("341")},
                {QStringLiteral("140"), QStringLiteral("201")}}},
        {w->DBGrid2,
            {{QStringLiteral("45"), QStringLiteral("456")}, {QStringLiteral("26"), QStringLiteral("430")},
                {QString(), QString()}}},
    };
    for (const Expected &expected : grids) {
        QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(expected.grid)->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Dobás"));
        QCOMPARE(table->columnDescription(1), QStringLiteral("Kell még"));
        QCOMPARE(table->rowCount(), int(expected.rows.size()));
        for (int r = 0; r < table->rowCount(); ++r) {
            QCOMPARE(table->cellAt(r, 0)->text(QAccessible::Name), expected.rows[size_t(r)].first);
            QCOMPARE(table->cellAt(r, 1)->text(QAccessible::Name), expected.rows[size_t(r)].second);
        }
    }

    // Taking back the 140 leaves two turn rows, read as such.
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QCoreApplication::processEvents();
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(w->DBGrid1)->tableInterface();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("100"));
}

void tst_MainAccessibility::recordedTurnTold_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("player1");
    QTest::addColumn<QString>("told");

    QTest::newRow("first turn") << QStringList {QStringLiteral(
        "60")} << QString() << QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2., kell még 501.");
    QTest::newRow("completing turn") << QStringList {QStringLiteral("60"), QStringLiteral("45")} << QString()
                                     << QStringLiteral(
                                            "Játékos 2.: 45, kell még 456. Következik: Játékos 1., kell még 441.");
    QTest::newRow("typed name") << QStringList {QStringLiteral("180")} << QStringLiteral("Anna")
                                << QStringLiteral("Anna: 180, kell még 321. Következik: Játékos 2., kell még 501.");
    QTest::newRow("name holding a place marker")
        << QStringList {QStringLiteral("60")} << QStringLiteral("%2 Anna")
        << QStringLiteral("%2 Anna: 60, kell még 441. Következik: Játékos 2., kell még 501.");
    QTest::newRow("name box emptied") << QStringList {QStringLiteral("20")} << QStringLiteral(" ")
                                      << QStringLiteral(
                                             "1. játékos: 20, kell még 481. Következik: Játékos 2., kell még 501.");
    QTest::newRow("undo of a completing turn")
        << QStringList {QStringLiteral("60"), QStringLiteral("45"), QStringLiteral("F8")} << QString()
        << QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2., kell még 501.");
    QTest::newRow("undo of an opening turn")
        << QStringList {QStringLiteral("60"), QStringLiteral("45"), QStringLiteral("100"), QStringLiteral("F8")}
        << QString() << QStringLiteral("Játékos 2.: 45, kell még 456. Következik: Játékos 1., kell még 441.");
    QTest::newRow("undo of the only turn") << QStringList {QStringLiteral("60"), QStringLiteral("F8")} << QString()
                                           << QStringLiteral("Következik: Játékos 1., kell még 501.");
    QTest::newRow("new game") << QStringList {QStringLiteral("60"), QStringLiteral("Ins")} << QString()
                              << QStringLiteral("Következik: Játékos 2., kell még 501.");
    QTest::newRow("first turn of the second game")
        << QStringList {QStringLiteral("60"), QStringLiteral("Ins"), QStringLiteral("81")} << QString()
        << QStringLiteral("Játékos 2.: 81, kell még 420. Következik: Játékos 1., kell még 501.");
}

void tst_MainAccessibility::recordedTurnTold()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, player1);
    QFETCH(QString, told);

    if (!player1.isNull())
        w->ComboBox1->setEditText(player1);
    for (const QString &key : keys) {
        toldDescriptions.clear();
        press(m_main, key);
        // Every step that changes the scoreboard tells where the match stands.
        QVERIFY2(!toldDescriptions.empty(), qPrintable(key));
    }
    QCOMPARE(toldDescriptions.back().object, w->EditEx1);
    QCOMPARE(toldDescriptions.back().description, told);
    QCOMPARE(QAccessible::queryAccessibleInterface(w->EditEx1)->text(QAccessible::Description), told);
}

void tst_MainAccessibility::refusedEntryLeavesDescription()
{
    enter(QStringLiteral("60"));
    toldDescriptions.clear();
    enter(QStringLiteral("181"));
    QVERIFY(toldDescriptions.empty());
    QCOMPARE(QAccessible::queryAccessibleInterface(w->EditEx1)->text(QAccessible::Description),
        QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2., kell még 501."));
}

void tst_MainAccessibility::changeSpoken_data()
{
    QTest::addColumn<int>("startScore");
    QTest::addColumn<bool>("exactCheckout");
    QTest::addColumn<int>("firstTo"); // legs to win the match; 0 for no limit
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("said"); // after the last key

    const auto keys = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("turn recorded") << 501 << true << 0 << keys("60")
                                   << QStringLiteral("Játékos 1.: 60, kell még 441. "
                                                     "Következik: Játékos 2., kell még 501.");
    QTest::newRow("row completed") << 501 << true << 0 << keys("60 45")
                                   << QStringLiteral("Játékos 2.: 45, kell még 456. "
                                                     "Következik: Játékos 1., kell még 441.");
    QTest::newRow("empty box, a turn of 0") << 501 << true << 0 << keys("60 ")
                                            << QStringLiteral("Játékos 2.: 0, kell még 501. "
                                                              "Következik: Játékos 1., kell még 441.");
    QTest::newRow("above 180 refused") << 501 << true << 0 << keys("60 181")
                                       << QStringLiteral("Elutasítva: 181 nem dobható. "
                                                         "Következik: Játékos 2., kell még 501.");
    QTest::newRow("text that is no number refused")
        << 501 << true << 0 << keys("60 6.0")
        << QStringLiteral("Elutasítva: nem egész szám. Következik: Játékos 2., kell még 501.");
    QTest::newRow("impossible score refused") << 501 << true << 0 << keys("163")
                                              << QStringLiteral("Elutasítva: 163 nem dobható. "
                                                                "Következik: Játékos 1., kell még 501.");
    QTest::newRow("route of the next thrower") << 101 << true << 0 << keys("60")
                                               << QStringLiteral("Játékos 1.: 60, kell még 41. Következik: "
                                                                 "Játékos 2., kell még 101. Kiszálló: Bull T17.");
    QTest::newRow("no route without exact checkout") << 101 << false << 0 << keys("60")
                                                     << QStringLiteral("Játékos 1.: 60, kell még 41. "
                                                                       "Következik: Játékos 2., kell még 101.");
    QTest::newRow("turn counted as 0") << 101 << true << 0 << keys("60 45 50")
                                       << QStringLiteral("Játékos 1.: túldobás, 50 helyett 0, kell még 41. "
                                                         "Következik: Játékos 2., kell még 56. Kiszálló: 17 T13.");
    QTest::newRow("checked out") << 101 << true << 0 << keys("60 45 41")
                                 << QStringLiteral("Játékos 1.: 41, kell még 0. Kiszállt! "
                                                   "Következik: Játékos 2., kell még 56. Kiszálló: 17 T13.");
    QTest::newRow("below 0 without exact checkout")
        << 101 << false << 0 << keys("60 45 50")
        << QStringLiteral("Játékos 1.: 50, kell még -9. Kiszállt! Következik: Játékos 2., kell még 56.");
    QTest::newRow("completing turn taken back") << 501 << true << 0 << keys("60 45 F8")
                                                << QStringLiteral("Visszavonva: Játékos 2.: 45. "
                                                                  "Következik: Játékos 2., kell még 501.");
    QTest::newRow("opening turn taken back") << 501 << true << 0 << keys("60 45 100 F8")
                                             << QStringLiteral("Visszavonva: Játékos 1.: 100. "
                                                               "Következik: Játékos 1., kell még 441.");
    QTest::newRow("turn of 0 taken back") << 101 << true << 0 << keys("60 45 50 F8")
                                          << QStringLiteral("Visszavonva: Játékos 1.: 0. "
                                                            "Következik: Játékos 1., kell még 41. Kiszálló: T13 2.");
    QTest::newRow("new game") << 501 << true << 0 << keys("60 Ins")
                              << QStringLiteral("Új játék. Legek: Játékos 1. 0, Játékos 2. 0. "
                                                "Kezd: Játékos 2., kell még 501.");
    QTest::newRow("new game after a checkout")
        << 101 << true << 0 << keys("60 45 41 Ins")
        << QStringLiteral("Új játék. Legek: Játékos 1. 1, Játékos 2. 0. Kezd: Játékos 2., kell még 101. "
                          "Kiszálló: Bull T17.");
    QTest::newRow("match decided") << 101 << true << 1 << keys("60 45 41 Ins")
                                   << QStringLiteral("Új játék. Legek: Játékos 1. 1, Játékos 2. 0. "
                                                     "Játékos 1. nyerte a meccset (1 – 0). "
                                                     "Kezd: Játékos 2., kell még 101. Kiszálló: Bull T17.");
}

// After each entry, undo and new game the screen reader speaks, whatever holds the focus, what
// happened and where the match stands.
void tst_MainAccessibility::changeSpoken()
{
    QFETCH(int, startScore);
    QFETCH(bool, exactCheckout);
    QFETCH(int, firstTo);
    QFETCH(QStringList, keys);
    QFETCH(QString, said);

    reopenWithStartScore(startScore);
    w->CheckBox1->setChecked(exactCheckout);
    // Set in the settings panel, which then goes again.
    w->aBeallit->trigger();
    QVERIFY(matchControlsOf(*w));
    matchControlsOf(*w)->firstToBox()->setValue(firstTo);
    w->aBeallit->trigger();
    for (const QString &key : keys) {
        spoken.clear();
        press(m_main, key);
        QCOMPARE(spoken.size(), 1);
    }
    QCOMPARE(spoken.back(), said);
}

// Taking back on an empty table, or typing without Enter, changes nothing and says nothing.
void tst_MainAccessibility::nothingSpokenWithoutChange()
{
    QTest::keyClick(w->EditEx1, Qt::Key_F8);
    QTest::keyClicks(w->EditEx1, QStringLiteral("60"));
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QTest::keyClick(w->EditEx1, Qt::Key_F6);
    QVERIFY(spoken.isEmpty());
}

// The notification that speaks takes no room, no key and no click.
void tst_MainAccessibility::announcerUnseen()
{
    enter(QStringLiteral("60"));
    const auto *announcer = w->findChild<Announcer *>();
    QVERIFY(announcer);
    QCOMPARE(announcer->size(), QSize(0, 0));
    QCOMPARE(announcer->focusPolicy(), Qt::NoFocus);
    QCOMPARE(QApplication::focusWidget(), w->EditEx1);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(const_cast<Announcer *>(announcer));
    QCOMPARE(iface->role(), QAccessible::Notification);
    QCOMPARE(iface->text(QAccessible::Name), spoken.back());
}

// The status bar's route is read with its darts, a set-up as its aim and what it leaves in words,
// and alone as "Kiszálló" when none shows.
void tst_MainAccessibility::routePanelReadWithDarts()
{
    reopenWithStartScore(170);
    QLabel *route = nullptr;
    for (QLabel *label : w->statusBar()->findChildren<QLabel *>()) {
        if (label->accessibleName().startsWith(QStringLiteral("Kiszálló")))
            route = label;
    }
    QVERIFY(route);
    QCOMPARE(route->text(), QStringLiteral("T20 T20 Bull"));
    QCOMPARE(nameOf(route), QStringLiteral("Kiszálló: T20 T20 Bull"));
    enter(QStringLiteral("70"));
    QCOMPARE(nameOf(route), QStringLiteral("Kiszálló: T20 T20 Bull")); // player 2's 170
    enter(QStringLiteral("60"));
    QCOMPARE(nameOf(route), QStringLiteral("Kiszálló: T20 D20")); // player 1's 100
    w->CheckBox1->setChecked(false);
    QCOMPARE(route->text(), QString());
    QCOMPARE(nameOf(route), QStringLiteral("Kiszálló"));

    reopenWithStartScore(200);
    route = w->statusBar()->findChild<QLabel *>(QStringLiteral("routePanel"));
    QVERIFY(route);
    QCOMPARE(route->text(), QStringLiteral("T20 \u2192 140"));
    QCOMPARE(nameOf(route), QStringLiteral("Előkészítés: T20, marad 140"));
}

void tst_MainAccessibility::aboutTextsReadable_data()
{
    QTest::addColumn<bool>("stylePalette");
    QTest::addColumn<QPalette>("desktop"); // the application's palette, unless the style's own
    QTest::newRow("style's palette") << true << QPalette();
    const auto palette = [](QRgb window, QRgb text, QRgb disabledText) {
        QPalette colours(QColor::fromRgb(window));
        colours.setColor(QPalette::Window, QColor::fromRgb(window));
        colours.setColor(QPalette::WindowText, QColor::fromRgb(text));
        colours.setColor(QPalette::Disabled, QPalette::WindowText, QColor::fromRgb(disabledText));
        return colours;
    };
    QTest::newRow("dark") << false << palette(0x2B2B2B, 0xEEEEEE, 0x5A5A5A);
    QTest::newRow("grey") << false << palette(0xD4D0C8, 0x000000, 0x808080);
    QTest::newRow("white, faint") << false << palette(0xFFFFFF, 0x000000, 0xDDDDDD);
}

// The about box's texts stay drawn disabled, yet read at 4.5:1 or more on any desktop, also
// when the desktop's palette changes under the open window.
void tst_MainAccessibility::aboutTextsReadable()
{
    QFETCH(bool, stylePalette);
    QFETCH(QPalette, desktop);
    const QPalette before = QApplication::palette();
    const QPalette shown = stylePalette ? before : desktop;
    const auto readable = [this](const char *when) {
        QCoreApplication::processEvents();
        const QImage picture = w->Panel6->grab().toImage();
        for (QLabel *label : {w->Label4, w->Label5, w->Label6}) {
            QVERIFY(!label->isEnabled());
            QVERIFY(!label->text().isEmpty());
            const QRect where(label->mapTo(w->Panel6, QPoint(0, 0)), label->size());
            const double ratio = textContrast(picture, where);
            QVERIFY2(ratio >= 4.5,
                qPrintable(QStringLiteral("%1, %2: %3").arg(QString::fromLatin1(when), label->text()).arg(ratio)));
        }
    };

    QApplication::setPalette(shown);
    m_main.close();
    QVERIFY(m_main.open());
    w = m_main.window();
    w->aBeallit->trigger();
    readable("opened");
    // Another desktop, with its disabled text as faint as that of the dark row.
    QPalette other(QColor(0x20, 0x30, 0x40));
    other.setColor(QPalette::Window, QColor(0x20, 0x30, 0x40));
    other.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0xFF));
    other.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x40, 0x50, 0x60));
    QApplication::setPalette(other);
    readable("changed");
    QApplication::setPalette(shown);
    readable("changed back");
    QApplication::setPalette(before);
}

QTEST_MAIN(tst_MainAccessibility)
#include "tst_MainAccessibility.moc"
