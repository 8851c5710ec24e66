// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MatchControls.h"

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
    return QStringLiteral("%1. játékos").arg(player);
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
    setText(QStringLiteral("Leg: %1").arg(won));
    // The winner's legs underlined; the font changes only when that does.
    const bool winner = legs.matchWinner() == player1;
    if (font().underline() != winner) {
        QFont underlined = font();
        underlined.setUnderline(winner);
        setFont(underlined);
    }
    const QString name = QStringLiteral("%1, nyert leg: %2").arg(playerTitle(m_player)).arg(won);
    if (accessibleName() != name)
        setAccessibleName(name);
}

MatchWinnerLabel::MatchWinnerLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("matchWinner"));
    setAccessibleName(QStringLiteral("Meccs"));
}

MatchWinnerLabel::~MatchWinnerLabel() = default;

void MatchWinnerLabel::showWinner(const Legs &legs, const PlayerNames &names)
{
    const std::optional<bool> winner = legs.matchWinner();
    QString decided;
    if (winner) {
        // In one pass: a name may hold "%2" itself.
        decided = QStringLiteral("%1 nyerte a meccset (%2 – %3)")
                      .arg(names[*winner ? 0 : 1], QString::number(legs.legsWon(true)),
                          QString::number(legs.legsWon(false)));
    }
    setText(decided);
}

MatchControls::MatchControls(Legs &legs, QWidget *parent)
    : QWidget(parent)
    , m_legs(legs)
    , m_firstTo(countBox(this, 60))
    , m_legsBoxes {countBox(this, 56), countBox(this, 56)}
{
    setObjectName(QStringLiteral("matchControls"));
    m_firstTo->setSpecialValueText(QStringLiteral("nincs"));
    m_firstTo->setAccessibleName(QStringLiteral("Első ennyi nyert legig"));
    m_firstTo->setAccessibleDescription(QStringLiteral("0: nincs határ"));
    addField(QStringLiteral("Első ennyi nyert legig"), {m_firstTo}, 0);
    addField(QStringLiteral("Nyert legek"), {m_legsBoxes[0], m_legsBoxes[1]}, 160);
    for (int player = 1; player <= 2; ++player)
        legsBox(player)->setAccessibleName(playerTitle(player) + QStringLiteral(" nyert legjei"));
    fitToFields();
    showLegs();

    connect(m_firstTo, &QSpinBox::valueChanged, this, [this](int legs) {
        m_legs.setFirstTo(legs);
        emit legsChanged();
    });
    for (int player = 1; player <= 2; ++player) {
        connect(legsBox(player), &QSpinBox::valueChanged, this, [this, player](int legs) {
            m_legs.setLegsWon(player == 1, legs);
            emit legsChanged();
        });
    }
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
    return {m_firstTo, m_legsBoxes[0], m_legsBoxes[1]};
}

void MatchControls::showLegs()
{
    for (int player = 1; player <= 2; ++player) {
        const QSignalBlocker quietBox(legsBox(player));
        legsBox(player)->setValue(m_legs.legsWon(player == 1));
    }
    const QSignalBlocker quietLimit(m_firstTo);
    m_firstTo->setValue(m_legs.firstTo());
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
