// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include "match/Checkout.h"

// The advice of one level under one rule, as make_checkout_table works it out when Pontix is built
// (match/make/make_checkout_table.cpp): what the checkout unit looks up.

// The plan covers the scores up to this one.
inline constexpr int adviceHighestScore = 220;

struct AdviceEntry
{
    CheckoutRoute route; // empty when three darts cannot check the score out
    double chance = 0; // of checking out in the visit following the route
    bool setUpFirst = false; // the model rates setting up better than the route
    Dart aim; // the plan's own first aim, named like a route's darts; number 0 below the lowest score
};

struct AdviceTable
{
    std::array<AdviceEntry, adviceHighestScore + 1> scores;
    Dart bestScoring; // the aim of the highest expected score, for the scores above the plan's
};
