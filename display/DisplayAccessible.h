// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// The spectator display for assistive technology: what it paints, as a window of texts.
#pragma once

#include <array>

#include <QAccessibleWidget>
#include <QHash>
#include <QMetaObject>
#include <QString>

class SpectatorDisplay;

// The display read by a screen reader: its children are the band across the top (the legs, the
// limit, the winner of the match) and each player's half, named after the player; a half holds
// the name, the remaining score, the route or "Kiszállt!", and the statistics of the game and of
// the match, each read with its label. While the result sheet stands in place of the halves, they
// are marked invisible and the sheet's view follows as a fourth child. The texts are read from the display as it shows
// them, and each change the display reports is told.
class SpectatorDisplayAccessible final : public QAccessibleWidget
{
public:
    explicit SpectatorDisplayAccessible(SpectatorDisplay *display);
    ~SpectatorDisplayAccessible() override;

    SpectatorDisplay *display() const;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // The texts the display shows now; each one that changed since last told is told as a
    // changed name.
    void shownTextsChanged();

    // What a half holds, after its name: the remaining score, the route, the statistics.
    static constexpr int HalfItems = 15;
    // The text of a child of the display (half 0: the band; half 1 or 2 with item -1: the half
    // itself; item 0 to HalfItems - 1: the half's texts).
    QString textOf(int half, int item) const;
    // The child of the display for the text above.
    QAccessibleInterface *part(int half, int item) const;

private:
    mutable QHash<int, QAccessible::Id> m_parts; // by half * 100 + item + 1
    QHash<int, QString> m_told;
    QMetaObject::Connection m_following;
};

// Lets every spectator display answer as above; calling it again changes nothing.
void InstallDisplayAccessibility();
