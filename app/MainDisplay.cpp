#include "app/MainDisplay.h"

#include <QCheckBox>
#include <QComboBox>

#include "app/Display.h"
#include "app/Main.h"
#include "db/Field.h"

SpectatorDisplay *CreateSpectatorDisplay(Tfrm_Main &w)
{
    const auto view = [&w] {
        const Legs &legs = w.match().legs();
        return MatchView {{{{w.ComboBox1->currentText(), w.Remaining1, legs.figures(true)},
                              {w.ComboBox2->currentText(), w.Remaining2, legs.figures(false)}}},
            w.Player1ToThrow, w.Player1Starts, w.CheckBox1->isChecked(), legs.firstTo(), legs.matchWinner()};
    };
    auto *display = new SpectatorDisplay(w.match(), w.DataSource1, {w.Tble1, w.Tbla1, w.Tble2, w.Tbla2}, view, &w);
    display->setObjectName(QStringLiteral("Kijelzo"));
    display->setAccessibleName(QStringLiteral("Kijelző"));
    for (QComboBox *box : {w.ComboBox1, w.ComboBox2})
        QObject::connect(box, &QComboBox::editTextChanged, display, &SpectatorDisplay::refreshLater);
    QObject::connect(w.CheckBox1, &QCheckBox::toggled, display, &SpectatorDisplay::refreshLater);
    return display;
}
