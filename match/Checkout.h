// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include <QString>

// The checkout route for a remaining score: the darts that finish it on a double or the bull.

// One dart: a segment's number (1 to 20, 25 for the bull's rings) and the ring it lands in.
// The outer bull is a single 25, the bull a double 25; there is no treble 25.
struct Dart
{
    enum class Ring { Single, Double, Treble };

    Ring ring = Ring::Single;
    int number = 0;

    constexpr int score() const
    {
        switch (ring) {
        case Ring::Single:
            return number;
        case Ring::Double:
            return 2 * number;
        case Ring::Treble:
            break;
        }
        return 3 * number;
    }
    constexpr bool finishes() const { return ring == Ring::Double; }
    // "T20", "D16", "7", "25" or "Bull": singles are written as their number alone.
    QString text() const;

    friend bool operator==(const Dart &, const Dart &) = default;
};

// At most three darts, the last one a double or the bull; no darts means there is no route.
struct CheckoutRoute
{
    std::array<Dart, 3> darts {};
    int count = 0;

    constexpr bool isEmpty() const { return count == 0; }
    constexpr int total() const
    {
        int sum = 0;
        for (int i = 0; i < count; ++i)
            sum += darts[i].score();
        return sum;
    }
    // The darts' texts separated by single spaces, e.g. "T20 T20 Bull"; empty when no route.
    QString text() const;
};

// The route to check out the remaining score with three darts in hand, empty when none exists (1 or
// less, above 170, and 169, 168, 166, 165, 163, 162, 159). Whether exact checkout is in force is
// the caller's matter. The routes are the aims of the model of where darts land (DartModel.h)
// while each dart hits what it is aimed at, worked out when Pontix is built: 170 is T20 T20 Bull,
// 100 T20 D20, 50 is 18 D16, 3 is 1 D1.
CheckoutRoute checkoutRoute(int remaining);

// A player has checked out when the remaining score reached 0, or went below it while exact
// checkout is not in force (with it in force a score below 0 is an unfinished leg gone wrong).
bool hasCheckedOut(qint32 remaining, bool exactCheckout);
