#include "app/MainAccessibility.h"

#include <array>
#include <tuple>
#include <utility>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
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

// One player's controls and figures, under the window's names for them.
struct PlayerControls
{
    int number;
    QFrame *panel;
    QComboBox *nameBox;
    QLabel *figure;
    TDBText *average;
    QLabel *marker;
    TThemeDBGrid *grid;
    const TField *score;
    qint32 remaining;
    QLabel *legs;
    QSpinBox *legsBox;
    int legsWon;
};

std::array<PlayerControls, 2> playersOf(const Tfrm_Main &w)
{
    const Legs &legs = w.match().legs();
    return {PlayerControls {1, w.Panel2, w.ComboBox1, w.Label1, w.DBText1, w.Image1, w.DBGrid1, w.Tble1, w.Remaining1,
                w.legsLabels[0], w.legsBoxes[0], legs.legsWon(true)},
        PlayerControls {2, w.Panel3, w.ComboBox2, w.Label2, w.DBText2, w.Image2, w.DBGrid2, w.Tble2, w.Remaining2,
            w.legsLabels[1], w.legsBoxes[1], legs.legsWon(false)}};
}

QString playerTitle(int number)
{
    return QStringLiteral("%1. játékos").arg(number);
}

// The name the operator typed for a player, or the player's number when the box is empty.
QString playerName(const PlayerControls &player)
{
    const QString typed = player.nameBox->currentText().trimmed();
    return typed.isEmpty() ? playerTitle(player.number) : typed;
}

// The figures are read with what they count: each name carries the figure shown.
void nameFigures(const Tfrm_Main &w)
{
    for (const PlayerControls &player : playersOf(w)) {
        for (const auto &[label, counts, figure] :
            {std::tuple<QLabel *, QString, QString> {player.figure, QStringLiteral("kell még"), player.figure->text()},
                std::tuple<QLabel *, QString, QString> {
                    player.average, QStringLiteral("átlag"), player.average->text()},
                std::tuple<QLabel *, QString, QString> {
                    player.legs, QStringLiteral("nyert leg"), QString::number(player.legsWon)}}) {
            const QString what = QStringLiteral("%1, %2").arg(playerTitle(player.number), counts);
            const QString name = figure.isEmpty() ? what : QStringLiteral("%1: %2").arg(what, figure);
            if (label->accessibleName() != name)
                label->setAccessibleName(name);
        }
    }
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
    for (const PlayerControls &player : playersOf(w)) {
        const QString title = playerTitle(player.number);
        player.panel->setAccessibleName(title);
        // A combo box is read by its text on Linux, the player's name: the description and the
        // edit line inside it (where the typing goes) say whose name it is.
        const QString nameOfName = title + QStringLiteral(" neve");
        player.nameBox->setAccessibleName(nameOfName);
        player.nameBox->setAccessibleDescription(nameOfName);
        player.nameBox->lineEdit()->setAccessibleName(nameOfName);
        player.marker->setAccessibleName(title + QStringLiteral(" dob"));
        player.grid->setAccessibleName(title + QStringLiteral(" dobásai"));
        player.legsBox->setAccessibleName(title + QStringLiteral(" nyert legjei"));
    }
    w.EditEx1->setAccessibleName(QStringLiteral("Dobott pontszám"));
    w.SpeedButton2->setAccessibleName(QStringLiteral("OK"));
    w.SpeedButton2->setAccessibleDescription(QStringLiteral("A beírt pontszám rögzítése"));

    w.Panel4->setAccessibleName(QStringLiteral("Beállítások"));
    w.CheckBox1->setAccessibleName(w.CheckBox1->text());
    w.Label3->setBuddy(w.Edit1);
    w.Edit1->setAccessibleName(w.Label3->text());
    w.Edit1->setAccessibleDescription(QStringLiteral("A következő indításkor érvényes"));
    w.SpeedButton1->setAccessibleName(QStringLiteral("Beállítások bezárása"));
    w.GroupBox1->setAccessibleName(w.GroupBox1->title());
    w.Image3->setAccessibleName(QStringLiteral("Darts tábla"));

    w.firstToBox->setAccessibleName(QStringLiteral("Első ennyi nyert legig"));
    w.firstToBox->setAccessibleDescription(QStringLiteral("0: nincs határ"));
    w.matchWinnerLabel->setAccessibleName(QStringLiteral("Meccs"));
    w.statusBar()->setAccessibleName(QStringLiteral("Állapotsor"));

    DescribeScoreboard(w);
}

void DescribeScoreboard(Tfrm_Main &w)
{
    const std::array<PlayerControls, 2> players = playersOf(w);
    const QString next = playerName(players[w.Player1ToThrow ? 0 : 1]);
    // A name like "Játékos 1." ends the sentence itself.
    QString situation = QStringLiteral("Következik: %1").arg(next);
    if (!situation.endsWith(u'.'))
        situation += u'.';
    // The last entry is the other player's, in the current row, the last of the table.
    const PlayerControls &last = players[w.Player1ToThrow ? 1 : 0];
    if (w.Tbl->Active() && w.Tbl->RowCount() > 0 && !last.score->IsEmptyValue()) {
        situation = QStringLiteral("%1: %2, kell még %3. %4")
                        .arg(playerName(last), last.score->DisplayText(), QString::number(last.remaining), situation);
    }
    w.EditEx1->setAccessibleDescription(situation);
    nameFigures(w);
}
