#include "app/MainAccessibility.h"

#include <utility>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/Main.h"
#include "controls/DBGridAccessible.h"
#include "controls/DBText.h"
#include "controls/ThemeDBGrid.h"
#include "controls/uEditEx.h"
#include "db/Field.h"
#include "memtable/xovMemTable.h"

namespace {

// The figures are read with what they count: each name carries the figure shown.
void nameFigures(Tfrm_Main &w)
{
    const std::pair<QLabel *, QString> figures[] = {
        {w.Label1, QStringLiteral("1. játékos, kell még")},
        {w.Label2, QStringLiteral("2. játékos, kell még")},
        {w.DBText1, QStringLiteral("1. játékos, átlag")},
        {w.DBText2, QStringLiteral("2. játékos, átlag")},
    };
    for (const auto &[label, counts] : figures) {
        const QString figure = label->text();
        const QString name = figure.isEmpty() ? counts : QStringLiteral("%1: %2").arg(counts, figure);
        if (label->accessibleName() != name)
            label->setAccessibleName(name);
    }
}

// The name the operator typed for a player, or the player's number when the box is empty.
QString playerName(const QComboBox *box, int number)
{
    const QString typed = box->currentText().trimmed();
    return typed.isEmpty() ? QStringLiteral("%1. játékos").arg(number) : typed;
}

} // namespace

void NameAccessibleControls(Tfrm_Main &w)
{
    InstallDBGridAccessibility();

    w.setAccessibleName(QStringLiteral("Pontix"));
    w.ToolBar1->setAccessibleName(QStringLiteral("Eszköztár"));
    for (QAction *action : {w.aUj, w.aTorol, w.aBeallit, w.aBezar, w.aKijelzo}) {
        if (QWidget *button = w.ToolBar1->widgetForAction(action))
            button->setAccessibleName(action->text());
    }

    w.Panel1->setAccessibleName(QStringLiteral("Eredményjelző"));
    w.Panel2->setAccessibleName(QStringLiteral("1. játékos"));
    w.Panel3->setAccessibleName(QStringLiteral("2. játékos"));
    // A combo box is read by its text on Linux, the player's name: the description and the
    // edit line inside it (where the typing goes) say whose name it is.
    for (const auto &[box, name] : {std::pair {w.ComboBox1, QStringLiteral("1. játékos neve")},
             std::pair {w.ComboBox2, QStringLiteral("2. játékos neve")}}) {
        box->setAccessibleName(name);
        box->setAccessibleDescription(name);
        box->lineEdit()->setAccessibleName(name);
    }
    w.EditEx1->setAccessibleName(QStringLiteral("Dobott pontszám"));
    w.SpeedButton2->setAccessibleName(QStringLiteral("OK"));
    w.SpeedButton2->setAccessibleDescription(QStringLiteral("A beírt pontszám rögzítése"));
    w.Image1->setAccessibleName(QStringLiteral("1. játékos dob"));
    w.Image2->setAccessibleName(QStringLiteral("2. játékos dob"));

    w.Panel4->setAccessibleName(QStringLiteral("Beállítások"));
    w.CheckBox1->setAccessibleName(w.CheckBox1->text());
    w.Label3->setBuddy(w.Edit1);
    w.Edit1->setAccessibleName(w.Label3->text());
    w.Edit1->setAccessibleDescription(QStringLiteral("A következő indításkor érvényes"));
    w.SpeedButton1->setAccessibleName(QStringLiteral("Beállítások bezárása"));
    w.GroupBox1->setAccessibleName(w.GroupBox1->title());
    w.Image3->setAccessibleName(QStringLiteral("Darts tábla"));

    w.DBGrid1->setAccessibleName(QStringLiteral("1. játékos dobásai"));
    w.DBGrid2->setAccessibleName(QStringLiteral("2. játékos dobásai"));
    w.statusBar()->setAccessibleName(QStringLiteral("Állapotsor"));

    DescribeScoreboard(w);
}

void DescribeScoreboard(Tfrm_Main &w)
{
    const QString next = playerName(w.Player1ToThrow ? w.ComboBox1 : w.ComboBox2, w.Player1ToThrow ? 1 : 2);
    // A name like "Játékos 1." ends the sentence itself.
    QString situation = QStringLiteral("Következik: %1").arg(next);
    if (!situation.endsWith(u'.'))
        situation += u'.';
    // The last entry is the other player's, in the current row, the last of the table.
    const bool lastByPlayer1 = !w.Player1ToThrow;
    const TField *score = lastByPlayer1 ? w.Tble1 : w.Tble2;
    if (w.Tbl->Active() && w.Tbl->RowCount() > 0 && !score->IsEmptyValue()) {
        const QString thrower = playerName(lastByPlayer1 ? w.ComboBox1 : w.ComboBox2, lastByPlayer1 ? 1 : 2);
        const qint32 remaining = lastByPlayer1 ? w.Remaining1 : w.Remaining2;
        situation = QStringLiteral("%1: %2, kell még %3. %4")
                        .arg(thrower, score->DisplayText(), QString::number(remaining), situation);
    }
    w.EditEx1->setAccessibleDescription(situation);
    nameFigures(w);
}
