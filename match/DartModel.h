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
    // average (60.07 at 16.5 mm, the tenth of a millimetre nearest to 60). The default level's
    // advice is this player's.
    static constexpr double clubSpread = 16.5;
    // The spread of a strong player, whose three darts at treble 20 score 100 on average (99.83 at
    // 8.3 mm, likewise the nearest). The routes of every level settle their near-ties by it (see
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

// The spreads the advice is worked out for, one for each of the levels of Checkout.h, by the
// three-dart average it stands for: aiming every dart at treble 20, the model's own expected score
// of three darts is nearest to that average at this spread, to the tenth of a millimetre (30 at
// 63.1 mm scores 30.00, 40 at 31.7 mm 39.98, 50 at 21.0 mm 49.98, 60 at 16.5 mm 60.07, 70 at
// 13.7 mm 69.82, 80 at 11.5 mm 80.01, 90 at 9.8 mm 89.74, 100 at 8.3 mm 99.83). Whether the
// player aims there is not asked: an average is what the scoreboard knows of a player, and treble
// 20 is where players of every level mostly aim, even those whose best scoring aim it no longer
// is. In this model that is treble 19 from a spread of 17 mm (an average of 59), treble 7 from
// about 32 mm and a single 16 from about 42 mm: the drift of the best aim down and to the left as
// the spread grows that Tibshirani, Price and Taylor's heat maps show.
inline constexpr std::array<double, levelAverages.size()> levelSpreads {63.1, 31.7, 21.0, 16.5, 13.7, 11.5, 9.8, 8.3};
static_assert(levelSpreads[defaultLevel] == ThrowModel::clubSpread, "the default level is the good club player");
static_assert(levelSpreads.back() == ThrowModel::strongSpread, "the strongest level is the strong player");

// The target of the highest expected score of one dart.
const Target &bestScoringTarget(const ThrowModel &model, const std::vector<Target> &targets);

// The plan that finishes a leg in the fewest expected visits to the board from every remaining
// score up to highestScore, under the rule given: a visit that goes below 0, or reaches 0 on a
// dart the rule does not let finish, or under double out leaves 1, is bust and returns to the
// score the visit started from. Solved by dynamic programming over the score and the darts left in
// the visit, the single-player stochastic shortest path of Haugh and Wang, "Play like the pros?
// Solving the game of darts as a dynamic zero-sum game", INFORMS Journal on Computing 34 (2022);
// the value of a visit's start, which a bust returns to, is found by policy iteration on that one
// number.
class FinishPlan
{
public:
    // Aims whose merit lies within this fraction of the best one's are near-equal: a model that
    // gives every player of a standard one spread for every aim cannot tell them apart. The merit
    // is the expected visits, counting this one, under double out, and the chance of checking out
    // in the visit under straight out.
    static constexpr double nearEqual = 0.01;

    FinishPlan(const ThrowModel &model, std::vector<Target> targets, CheckoutRule rule, int highestScore);

    CheckoutRule rule() const { return m_rule; }
    int highestScore() const { return m_highest; }
    // The lowest score a visit may leave: 2 under double out, 1 under straight out.
    int lowestScore() const { return m_lowest; }
    // From the start of a visit at the score (lowestScore() or more), counting that visit.
    double expectedVisits(int score) const;
    // The best chance of checking out in the visit that starts at the score, whatever a miss
    // leaves for the visits after.
    double finishChance(int score) const;
    // The fewest darts that check the score out, 0 when three cannot.
    int fewestDarts(int score) const;

    // The darts of the visit that starts at the score while each dart hits the bed it counts on,
    // the fewest darts that check it out, or one more where that keeps the bull out of the route
    // and the plan rates the longer route better (101 = T19 12 D16 rather than T17 Bull). At each
    // dart the aim is the best of those whose bed still leaves a finish within the route's darts:
    // under double out the fewest expected visits, under straight out the best chance of checking
    // out in the visit. An aim at the bull or its outer ring is named by the ring the plan counts
    // on, the one that carries the larger part of the aim's chance of checking out in the visit
    // (61 = 25 D18, 125 = 25 T20 D20). Empty when three darts cannot check the score out.
    CheckoutRoute route(int score) const;
    // The same, except that among the aims near-equal to the best one the route takes the one that
    // is best for tieBreak, the plan of another player aiming at the same targets under the same
    // rule.
    CheckoutRoute route(int score, const FinishPlan &tieBreak) const;
    // Whether the bed the plan's own best first aim counts on (setUpAim) can still check the score
    // out in the visit.
    bool startsOnRoute(int score) const;
    // Whether the plan rates setting up the next visit better than the route: its own best first
    // aim cannot check out in the visit, and the route needs more expected visits than the plan by
    // more than the near-equal margin.
    bool prefersSetUp(int score, const CheckoutRoute &route) const;
    // The bed the plan's own first aim of the visit that starts at the score counts on: the aimed
    // bed, or where hitting it would bust, the single of its number; aimed at the bull or its outer
    // ring, the ring that brings the larger part of the visits the aim saves.
    Dart setUpAim(int score) const;

    // The chance of checking out, and the expected visits, when the visit that starts at the
    // score aims its darts as the route says until one lands elsewhere, and from then on aims for
    // the best chance of checking out in the visit, or as the plan says for the expected visits.
    // A single of the route is aimed at whichever single bed of that number the plan prefers, a
    // 25 at the bull or its outer ring.
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
    // What a route may still use: its darts left, and whether the bull.
    struct Budget
    {
        int darts;
        bool bull;
    };

    void solveVisit(int start);
    void solveFinishChances();
    double afterAiming(int start, int score, int dartsLeft, int target) const;
    double finishAiming(int score, int dartsLeft, int target) const;
    double chanceWith(int score, int dartsLeft) const;
    double aimMerit(int start, int score, int dartsLeft, int target) const;
    bool nearBest(double merit, double best) const;
    bool fits(int score, const Dart &bed, Budget budget) const;
    double chanceOf(int target, const Dart &bed) const;
    bool namedBed(int score, int dartsLeft, int target, Budget budget, Dart &bed) const;
    CheckoutRoute plannedRoute(int start, Budget budget, const FinishPlan *tieBreak) const;
    CheckoutRoute routeOf(int score, const FinishPlan *tieBreak) const;
    int targetFor(int start, int score, int dartsLeft, const Dart &bed, bool chance) const;
    double followRoute(int start, int score, int dartsLeft, const CheckoutRoute &route, int next, bool chance) const;

    std::vector<Target> m_targets;
    std::vector<std::vector<Outcome>> m_outcomes; // by target
    CheckoutRule m_rule;
    int m_lowest;
    int m_highest;
    std::vector<int> m_fewestDarts; // by score, 0 when three darts cannot check it out
    std::vector<int> m_fewestWithoutBull; // the same without the bull
    std::vector<double> m_expected; // by start score
    std::vector<Visit> m_visits; // by start score
    std::vector<double> m_finishChance; // by (dartsLeft - 1) * (highestScore + 1) + score
};
