// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include <QString>

// The checkout advice for a remaining score: the darts that finish it under the rule in force, or
// where no finish is in hand, what to aim at to set one up; for a good club player, or for the
// player at the board by their three-dart average.

// How a leg ends while exact checkout is in force: on a double or the bull (double out), or on any
// dart that reaches exactly 0 (straight out). A visit that goes below 0, or under double out
// leaves 1 or reaches 0 on another dart, is bust.
enum class CheckoutRule { DoubleOut, StraightOut };

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
    // Whether the dart may end a leg under double out.
    constexpr bool finishes() const { return ring == Ring::Double; }
    constexpr bool finishesUnder(CheckoutRule rule) const { return rule == CheckoutRule::StraightOut || finishes(); }
    // "T20", "D16", "7", "25" or "Bull": singles are written as their number alone.
    QString text() const;

    friend bool operator==(const Dart &, const Dart &) = default;
};

// At most three darts, the last one allowed to finish by the rule; no darts means there is no route.
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

// The players the advice is worked out for, by their three-dart average; the advice of a level is
// the model's (DartModel.h) at the spread that average stands for, worked out when Pontix is built.
inline constexpr std::array<int, 8> levelAverages {30, 40, 50, 60, 70, 80, 90, 100};
// The good club player's, average 60: the advice while the player's own level is not asked for, or
// not yet known.
inline constexpr int defaultLevel = 3;
// The darts a player throws before their average chooses their level.
inline constexpr int levelDarts = 9;

// The level whose average is nearest to the three-dart average (the lowest or highest beyond them).
int levelForAverage(double average);
// The level to advise the player at, given their three-dart average over dartsThrown darts and the
// level their advice was last worked out at (shownLevel, or -1): the default level before nine
// darts, then the nearest level, except that the shown level stays while the average lies within
// its half step and 2 points more, so that an average moving about a boundary does not change the
// route at every visit.
int playerLevel(double average, int dartsThrown, int shownLevel);

// The levels of both players' advice as a match goes on: each player's level follows their
// three-dart average over the match's turns (playerLevel), steady between visits.
class PlayerLevels
{
public:
    // The level of the player's advice, given their turns in the match and the points they scored
    // in them (three darts a turn); remembered as the player's shown level.
    int levelOf(bool player1, qint64 turns, qint64 scored);
    // Both players start again from the default level.
    void clear();

private:
    std::array<int, 2> m_shown {-1, -1};
};

// The advice for the visit that starts at a remaining score.
struct CheckoutAdvice
{
    // The route that checks the score out under the rule, empty when three darts cannot.
    CheckoutRoute route;
    // The chance of checking out in the visit following the route (after a dart that lands
    // elsewhere, aiming for the best chance), from 0 to 1.
    double chance = 0;
    // The model rates setting up the next visit better than the route.
    bool setUpFirst = false;
    // What to aim the first dart at where no finish is in hand, and what it leaves when it hits;
    // number 0 where there is no advice at all (a score below the lowest a visit may leave).
    Dart aim;
    int leaves = 0;

    constexpr bool hasFinish() const { return !route.isEmpty() && !setUpFirst; }
    // The route while a finish is in hand ("T20 T20 Bull"), else the set-up ("T20 → 40"); empty
    // when there is no advice.
    QString text() const;
};

// The advice at a remaining score under the rule for the level's player. Above the highest score
// the plan is worked out for (220), the set-up is the level's best scoring aim.
CheckoutAdvice checkoutAdvice(int remaining, CheckoutRule rule, int level);

// The route alone, under the rule for the level's player: empty when three darts cannot check the
// score out (under double out 1 or less, above 170, and 169, 168, 166, 165, 163, 162, 159).
CheckoutRoute checkoutRoute(int remaining, CheckoutRule rule, int level);
// The double-out route of the default level: 170 is T20 T20 Bull, 100 T20 D20, 50 is 18 D16, 3
// is 1 D1.
CheckoutRoute checkoutRoute(int remaining);

// A chart of the level's advice under the rule: every score that three darts can check out (2 to
// 170 under double out, 1 to 180 under straight out) as "score<TAB>route<TAB>chance", the chance
// of checking out in the visit in percent with one decimal, then every score up to 220 with no
// finish in hand as "score<TAB>aim → leave"; a line each.
QString checkoutChart(CheckoutRule rule, int level);

// A player has checked out when the remaining score reached 0, or went below it while exact
// checkout is not in force (with it in force a score below 0 is an unfinished leg gone wrong).
bool hasCheckedOut(qint32 remaining, bool exactCheckout);
