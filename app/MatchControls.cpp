// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MatchControls.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "match/Legs.h"

namespace {

// A field's label stands above its controls, which stand this far below its top.
constexpr int ControlsTop = 20;
constexpr int ControlsHeight = 25;
constexpr int ControlsGap = 6;

QSpinBox *countBox(QWidget *parent, int width)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, 99);
    box->setAlignment(Qt::AlignCenter);
    box->resize(width, ControlsHeight);
    return box;
}

QString playerTitle(int player)
{
    return MatchControls::tr("%1. játékos").arg(player);
}

} // namespace

LegsLabel::LegsLabel(int player, QWidget *parent)
    : QLabel(parent)
    , m_player(player)
{
    setObjectName(QStringLiteral("legs%1").arg(player));
    setAlignment((player == 1 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
}

LegsLabel::~LegsLabel() = default;

void LegsLabel::showLegs(const Legs &legs)
{
    const bool player1 = m_player == 1;
    const int won = legs.legsWon(player1);
    const bool sets = legs.playsSets();
    setText(sets ? tr("Szett: %1 Leg: %2").arg(legs.setsWon(player1)).arg(won) : tr("Leg: %1").arg(won));
    // The winner's legs underlined; the font changes only when that does.
    const bool winner = legs.matchWinner() == player1;
    if (font().underline() != winner) {
        QFont underlined = font();
        underlined.setUnderline(winner);
        setFont(underlined);
    }
    const QString name = sets
        ? tr("%1, nyert szett: %2, nyert leg: %3").arg(playerTitle(m_player)).arg(legs.setsWon(player1)).arg(won)
        : tr("%1, nyert leg: %2").arg(playerTitle(m_player)).arg(won);
    if (accessibleName() != name)
        setAccessibleName(name);
}

MatchWinnerLabel::MatchWinnerLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("matchWinner"));
    setAccessibleName(tr("Meccs"));
}

MatchWinnerLabel::~MatchWinnerLabel() = default;

void MatchWinnerLabel::showWinner(const Legs &legs, const PlayerNames &names)
{
    const std::optional<bool> winner = legs.matchWinner();
    // The sets decide a match of sets, the legs any other.
    const bool sets = legs.playsSets();
    const QString player1 = QString::number(sets ? legs.setsWon(true) : legs.legsWon(true));
    const QString player2 = QString::number(sets ? legs.setsWon(false) : legs.legsWon(false));
    QString decided;
    if (winner) {
        // In one pass: a name may hold "%2" itself.
        decided = tr("%1 nyerte a meccset (%2 – %3)").arg(names[*winner ? 0 : 1], player1, player2);
    } else if (legs.matchDrawn()) {
        decided = tr("Döntetlen (%1 – %2)").arg(player1, player2);
    }
    if (text() == decided)
        return;
    setText(decided);
    // Found by its name, "Meccs", and read by what it says.
    setAccessibleDescription(decided);
}

MatchControls::MatchControls(Legs &legs, QWidget *parent)
    : QWidget(parent)
    , m_legs(legs)
    , m_firstTo(countBox(this, 60))
    , m_setsTo(countBox(this, 60))
    , m_twoClearLegs(new QCheckBox(tr("Két leg különbség"), this))
    , m_allLegs(new QCheckBox(tr("Minden leg lejátszva"), this))
    , m_legsBoxes {countBox(this, 56), countBox(this, 56)}
{
    setObjectName(QStringLiteral("matchControls"));
    m_firstTo->setSpecialValueText(tr("nincs"));
    m_firstTo->setAccessibleName(tr("Első ennyi nyert legig"));
    m_firstTo->setAccessibleDescription(tr("0: nincs határ"));
    m_setsTo->setSpecialValueText(tr("nincs"));
    m_setsTo->setAccessibleName(tr("Első ennyi nyert szettig"));
    m_setsTo->setAccessibleDescription(tr("0: szettek nélkül"));
    // The panel is narrow: the sets' field has a short label, its whole name for a screen reader
    // and in its tool tip, and the two rules of the format stand in a row under the fields.
    addField(tr("Első ennyi nyert legig"), {m_firstTo}, 0);
    addField(tr("Nyert legek"), {m_legsBoxes[0], m_legsBoxes[1]}, 160);
    addField(tr("Szettek"), {m_setsTo}, 290);
    m_setsTo->setToolTip(tr("Első ennyi nyert szettig"));
    const int rulesTop = ControlsTop + ControlsHeight;
    for (QCheckBox *box : {m_twoClearLegs, m_allLegs})
        box->adjustSize();
    // Ending where the fields end: the row's start, left of these controls, is the window's own
    // ("Útvonal a játékos szintjén" under the start score).
    const int rulesRight = m_setsTo->geometry().right();
    m_allLegs->move(rulesRight + 1 - m_allLegs->width(), rulesTop);
    m_twoClearLegs->move(m_allLegs->x() - ControlsGap - m_twoClearLegs->width(), rulesTop);
    for (int player = 1; player <= 2; ++player)
        legsBox(player)->setAccessibleName(tr("%1 nyert legjei").arg(playerTitle(player)));
    fitToFields();
    showLegs();

    connect(m_firstTo, &QSpinBox::valueChanged, this, &MatchControls::takeFormat);
    connect(m_setsTo, &QSpinBox::valueChanged, this, &MatchControls::takeFormat);
    connect(m_twoClearLegs, &QCheckBox::toggled, this, &MatchControls::takeFormat);
    connect(m_allLegs, &QCheckBox::toggled, this, &MatchControls::takeFormat);
    for (int player = 1; player <= 2; ++player) {
        connect(legsBox(player), &QSpinBox::valueChanged, this, [this, player](int legs) {
            m_legs.setLegsWon(player == 1, legs);
            emit legsChanged();
        });
    }
}

void MatchControls::takeFormat()
{
    m_legs.setFormat({m_firstTo->value(), m_setsTo->value(), m_twoClearLegs->isChecked(), m_allLegs->isChecked()});
    showLegs();
    emit legsChanged();
}

MatchControls::~MatchControls() = default;

QLabel *MatchControls::addField(const QString &label, const QList<QWidget *> &controls, int x)
{
    auto *title = new QLabel(label, this);
    title->move(x, 0);
    title->setBuddy(controls.front());
    m_labels << title;
    int left = x;
    for (QWidget *control : controls) {
        control->move(left, ControlsTop);
        left += control->width() + ControlsGap;
    }
    return title;
}

void MatchControls::fitToFields()
{
    QRect all;
    for (const QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        all |= child->geometry();
    resize(all.right() + 1, all.bottom() + 1);
}

QList<QWidget *> MatchControls::focusChain() const
{
    return {m_firstTo, m_legsBoxes[0], m_legsBoxes[1], m_setsTo, m_twoClearLegs, m_allLegs};
}

void MatchControls::showLegs()
{
    for (int player = 1; player <= 2; ++player) {
        const QSignalBlocker quietLegs(legsBox(player));
        legsBox(player)->setValue(m_legs.legsWon(player == 1));
    }
    const MatchFormat &format = m_legs.format();
    const QSignalBlocker quietLimit(m_firstTo);
    m_firstTo->setValue(format.legs);
    const QSignalBlocker quietSets(m_setsTo);
    m_setsTo->setValue(format.sets);
    const QSignalBlocker quietTwoClear(m_twoClearLegs);
    m_twoClearLegs->setChecked(format.twoClearLegs);
    const QSignalBlocker quietAll(m_allLegs);
    m_allLegs->setChecked(format.allLegs);
    // Sets and two clear legs do not apply while every leg is played.
    m_setsTo->setEnabled(!format.allLegs);
    m_twoClearLegs->setEnabled(!format.allLegs);
}

// The labels take their text's size when first shown: measuring them earlier would lay out text
// nobody sees.
void MatchControls::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    for (QLabel *label : m_labels)
        label->adjustSize();
    fitToFields();
}
