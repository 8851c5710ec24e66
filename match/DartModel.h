// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <vector>

#include "match/Checkout.h"

// Where a dart aimed at a point of the board lands, and the aims that finish a leg in the fewest
// expected visits to the board: the model the checkout routes are worked out from, once, when
// Pontix is built (match/make/make_checkout_table.cpp).

// The regulation dartboard of the World Darts Federation's playing rules (the same figures in
// Darts Australia's rules): the bull 12.7 mm across, the outer bull 31.8 mm, the treble and double
// rings 8 mm wide inside their wires, 107 mm from the centre to the treble ring's outer edge and
// 170 mm to the double ring's. The wires themselves are taken as lines without width. Points are
// in millimetres from the centre, x to the right, y upwards.
namespace DartBoard {

inline constexpr double bullRadius = 12.7 / 2;
inline constexpr double outerBullRadius = 31.8 / 2;
inline constexpr double trebleOuterRadius = 107.0;
inline constexpr double trebleInnerRadius = trebleOuterRadius - 8.0;
inline constexpr double doubleOuterRadius = 170.0;
inline constexpr double doubleInnerRadius = doubleOuterRadius - 8.0;
// The segments clockwise from the top, each 18 degrees wide, 20 centred straight up.
inline constexpr std::array<int, 20> segments {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};

// What a dart landing at the point scores: the bed it lies in, a single 0 off the board.
Dart bedAt(double x, double y);

// Every bed a dart can land in, and off the board, numbered 0 to outcomeCount - 1.
inline constexpr int outcomeCount = 63;
int outcomeIndex(const Dart &bed);
Dart outcomeBed(int index);

} // namespace DartBoard

// A point a player aims at, named by the bed it is the centre of.
struct Target
{
    Dart bed;
    double x = 0;
    double y = 0;
};

// The centres of every treble, double and both single beds of each segment, of the outer bull's
// ring (on its upper side) and of the bull: 82 targets.
std::vector<Target> standardTargets();

// Where a dart aimed at a point lands: the point plus an error whose two directions are
// independent Gaussians of the same standard deviation, the spread (the simplest of the models of
// Tibshirani, Price and Taylor, "A statistician plays darts", J. R. Statist. Soc. A 174 (2011)).
// The chances of each bed are integrated over the board in horizontal strips, 0.25 mm high and
// finer where a ring's edge runs along them, exactly along each strip between the points where it
// crosses the rings and segment lines.
class ThrowModel
{
public:
    using Outcomes = std::array<double, DartBoard::outcomeCount>;

    explicit ThrowModel(double spread);

    double spread() const { return m_spread; }
    // The chance of each bed, by DartBoard::outcomeIndex, off the board included.
    Outcomes outcomes(double x, double y) const;
    // The score one dart aimed at the point makes on average.
    double expectedScore(double x, double y) const;

    // The spread of a good club player: aiming every dart at treble 20, three darts score 60 on
    // average (60.07 at 16.5 mm, the tenth of a millimetre nearest to 60). The plan is this
    // player's.
    static constexpr double clubSpread = 16.5;
    // The spread of a strong player, whose three darts at treble 20 score 100 on average (99.83 at
    // 8.3 mm, likewise the nearest). The routes settle the club player's near-ties by it (see
    // FinishPlan::route).
    static constexpr double strongSpread = 8.3;

private:
    struct Crossing
    {
        double x;
        int outcome; // of the board between this crossing and the next one
    };
    struct Strip
    {
        double low;
        double high;
        std::vector<Crossing> crossings; // the first one at the board's left edge
    };

    double m_spread;
    std::vector<Strip> m_strips;
};

// The plan that finishes a leg in the fewest expected visits to the board from every remaining
// score up to highestScore, under double-out rules: a visit that leaves 1, goes below 0, or reaches
// 0 on a dart that is not a double or the bull is bust and returns to the score the visit started
// from. Solved by dynamic programming over the score and the darts left in the visit, the
// single-player stochastic shortest path of Haugh and Wang, "Play like the pros? Solving the game
// of darts as a dynamic zero-sum game", INFORMS Journal on Computing 34 (2022); the value of a
// visit's start, which a bust returns to, is found by policy iteration on that one number.
class FinishPlan
{
public:
    // Aims whose expected visits lie within this fraction of the best one's are near-equal: a
    // model that gives every player of a standard one spread for every aim cannot tell them apart.
    static constexpr double nearEqual = 0.01;

    FinishPlan(const ThrowModel &model, std::vector<Target> targets, int highestScore = 170);

    int highestScore() const { return m_highest; }
    // From the start of a visit at the score (2 or more), counting that visit.
    double expectedVisits(int score) const;
    // The best chance of checking out in the visit that starts at the score, whatever a miss
    // leaves for the visits after.
    double finishChance(int score) const;

    // The aims of the visit that starts at the score while each dart hits the bed it is aimed at:
    // at each dart the best aim among those that still leave a checkout with the darts left. Empty
    // when three darts cannot check the score out.
    CheckoutRoute route(int score) const;
    // The same, except that among the aims near-equal to the best one the route takes the one that
    // is best for tieBreak, the plan of another player aiming at the same targets.
    CheckoutRoute route(int score, const FinishPlan &tieBreak) const;
    // Whether the plan's own best first aim keeps a checkout in hand; when it does not, the plan
    // sets up the next visit and the route is the best of the aims that do.
    bool startsOnRoute(int score) const;

    // The chance of checking out, and the expected visits, when the visit that starts at the
    // score aims its darts as the route says until one lands elsewhere, and from then on aims for
    // the best chance of checking out in the visit, or as the plan says for the expected visits.
    // A single of the route is aimed at whichever single bed of that number the plan prefers.
    double routeFinishChance(int score, const CheckoutRoute &route) const;
    double routeExpectedVisits(int score, const CheckoutRoute &route) const;

private:
    struct Outcome
    {
        int index; // DartBoard::outcomeIndex of the bed
        int score;
        bool finishes;
        double chance;
    };
    // The plan of one visit, by the score it started from: for each score and darts left (stored
    // at (dartsLeft - 1) * (start + 1) + score), the target aimed at and the expected visits still
    // to come after this one.
    struct Visit
    {
        std::vector<int> aim;
        std::vector<double> after;
    };

    void solveVisit(int start);
    void solveFinishChances();
    double afterAiming(int start, int score, int dartsLeft, int target) const;
    double finishAiming(int score, int dartsLeft, int target) const;
    bool keepsCheckout(int score, int dartsLeft, const Dart &bed) const;
    CheckoutRoute routeOf(int score, const FinishPlan *tieBreak) const;
    int targetFor(int start, int score, int dartsLeft, const Dart &bed) const;
    double followRoute(int start, int score, int dartsLeft, const CheckoutRoute &route, int next, bool chance) const;

    std::vector<Target> m_targets;
    std::vector<std::vector<Outcome>> m_outcomes; // by target
    int m_highest;
    std::vector<int> m_fewestDarts; // by score, 0 when three darts cannot check it out
    std::vector<double> m_expected; // by start score
    std::vector<Visit> m_visits; // by start score
    std::vector<double> m_finishChance; // by (dartsLeft - 1) * (highestScore + 1) + score
};
