#include <functional>
#include <vector>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/Main.h"
#include "app/Seged.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "tests/support/Accessibility.h"
#include "tests/support/MainWindowFixture.h"

namespace {

// The descriptions assistive technology was told of, with the widget they belong to.
struct Told
{
    QObject *object;
    QString description;
};
std::vector<Told> toldDescriptions;

void recordUpdate(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::DescriptionChanged)
        toldDescriptions.push_back({event->object(), event->accessibleInterface()->text(QAccessible::Description)});
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
    void refusedEntryTellsNothing();

private:
    void enter(const QString &text);

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

void tst_MainAccessibility::controlNamed_data()
{
    QTest::addColumn<Control>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description"); // null: not checked

    // A tool bar button, by the action it shows.
    const auto button = [](QAction *(*action)(Tfrm_Main &)) {
        return Control([action](Tfrm_Main &m) { return m.ToolBar1->widgetForAction(action(m)); });
    };
    QTest::newRow("entry box") << Control([](Tfrm_Main &m) -> QWidget * { return m.EditEx1; })
                               << QStringLiteral("Dobott pontszám") << QStringLiteral("Következik: Játékos 1.");
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
    QTest::newRow("player 1 legs") << Control([](Tfrm_Main &m) -> QWidget * { return m.legsLabels[0]; })
                                   << QStringLiteral("1. játékos, nyert leg: 0") << QString();
    QTest::newRow("player 2 legs") << Control([](Tfrm_Main &m) -> QWidget * { return m.legsLabels[1]; })
                                   << QStringLiteral("2. játékos, nyert leg: 0") << QString();
    QTest::newRow("match limit") << Control([](Tfrm_Main &m) -> QWidget * { return m.firstToBox; })
                                 << QStringLiteral("Első ennyi nyert legig") << QStringLiteral("0: nincs határ");
    QTest::newRow("player 1 legs correction") << Control([](Tfrm_Main &m) -> QWidget * { return m.legsBoxes[0]; })
                                              << QStringLiteral("1. játékos nyert legjei") << QString();
    QTest::newRow("player 2 legs correction") << Control([](Tfrm_Main &m) -> QWidget * { return m.legsBoxes[1]; })
                                              << QStringLiteral("2. játékos nyert legjei") << QString();
    QTest::newRow("match winner") << Control([](Tfrm_Main &m) -> QWidget * { return m.matchWinnerLabel; })
                                  << QStringLiteral("Meccs") << QString();
    QTest::newRow("new game") << button([](Tfrm_Main &m) { return m.aUj; }) << QStringLiteral("Új játék") << QString();
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

    QTest::newRow("first turn") << QStringList {QStringLiteral("60")} << QString()
                                << QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2.");
    QTest::newRow("completing turn") << QStringList {QStringLiteral("60"), QStringLiteral("45")} << QString()
                                     << QStringLiteral("Játékos 2.: 45, kell még 456. Következik: Játékos 1.");
    QTest::newRow("typed name") << QStringList {QStringLiteral("180")} << QStringLiteral("Anna")
                                << QStringLiteral("Anna: 180, kell még 321. Következik: Játékos 2.");
    QTest::newRow("name box emptied") << QStringList {QStringLiteral("20")} << QStringLiteral(" ")
                                      << QStringLiteral("1. játékos: 20, kell még 481. Következik: Játékos 2.");
    QTest::newRow("undo of a completing turn") << QStringList {QStringLiteral("60"), QStringLiteral("45"),
        QStringLiteral("F8")} << QString() << QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2.");
    QTest::newRow("undo of an opening turn")
        << QStringList {QStringLiteral("60"), QStringLiteral("45"), QStringLiteral("100"), QStringLiteral("F8")}
        << QString() << QStringLiteral("Játékos 2.: 45, kell még 456. Következik: Játékos 1.");
    QTest::newRow("undo of the only turn") << QStringList {QStringLiteral("60"), QStringLiteral("F8")} << QString()
                                           << QStringLiteral("Következik: Játékos 1.");
    QTest::newRow("new game") << QStringList {QStringLiteral("60"), QStringLiteral("Ins")} << QString()
                              << QStringLiteral("Következik: Játékos 2.");
    QTest::newRow("first turn of the second game") << QStringList {QStringLiteral("60"), QStringLiteral("Ins"),
        QStringLiteral("81")} << QString() << QStringLiteral("Játékos 2.: 81, kell még 420. Következik: Játékos 1.");
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
        if (key == QStringLiteral("F8"))
            QTest::keyClick(w->EditEx1, Qt::Key_F8);
        else if (key == QStringLiteral("Ins"))
            QTest::keyClick(w->EditEx1, Qt::Key_Insert);
        else
            enter(key);
        // Every step that changes the scoreboard tells where the match stands.
        QVERIFY2(!toldDescriptions.empty(), qPrintable(key));
    }
    QCOMPARE(toldDescriptions.back().object, w->EditEx1);
    QCOMPARE(toldDescriptions.back().description, told);
    QCOMPARE(QAccessible::queryAccessibleInterface(w->EditEx1)->text(QAccessible::Description), told);
}

void tst_MainAccessibility::refusedEntryTellsNothing()
{
    enter(QStringLiteral("60"));
    toldDescriptions.clear();
    enter(QStringLiteral("181"));
    QVERIFY(toldDescriptions.empty());
    QCOMPARE(QAccessible::queryAccessibleInterface(w->EditEx1)->text(QAccessible::Description),
        QStringLiteral("Játékos 1.: 60, kell még 441. Következik: Játékos 2."));
}

QTEST_MAIN(tst_MainAccessibility)
#include "tst_MainAccessibility.moc"
