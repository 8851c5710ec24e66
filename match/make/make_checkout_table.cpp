// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Works out the checkout advice of every score from the model of where darts land and writes it as
// C++ tables for the checkout unit; run when Pontix is built.
//
//   make_checkout_table double|straight TABLE.h
//                                       writes the advice of every level under double or straight
//                                       out: each score's route, its chance, whether the plan
//                                       rates setting up better, and the plan's own first aim
//   make_checkout_table --report [FILE] prints, for double out at the default level, each score's route, the club
//   player's own route
//                                       (before near-ties are settled), the route's chance of
//                                       checking out in the visit and its expected visits for the
//                                       club player and for the strong one, and whether the club
//                                       player's plan itself goes for the checkout; FILE holds
//                                       other routes to weigh the same way, a score and its darts
//                                       a line ("129 T19 T16 D12")
#include <cstdio>
#include <fstream>
#include <future>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "match/AdviceTable.h"
#include "match/DartModel.h"

namespace {

const char *ringName(Dart::Ring ring)
{
    switch (ring) {
    case Dart::Ring::Single:
        return "Single";
    case Dart::Ring::Double:
        return "Double";
    case Dart::Ring::Treble:
        break;
    }
    return "Treble";
}

std::string written(const CheckoutRoute &route)
{
    std::string text;
    for (int i = 0; i < route.count; ++i) {
        const Dart &dart = route.darts[std::size_t(i)];
        if (i > 0)
            text += ' ';
        if (dart.number == 25)
            text += dart.ring == Dart::Ring::Double ? "Bull" : "25";
        else
            text += (dart.ring == Dart::Ring::Treble          ? "T"
                            : dart.ring == Dart::Ring::Double ? "D"
                                                              : "")
                + std::to_string(dart.number);
    }
    return text;
}

bool read(const std::string &text, CheckoutRoute &route)
{
    std::istringstream in(text);
    std::string word;
    route = {};
    while (in >> word) {
        if (route.count == 3)
            return false;
        Dart dart;
        if (word == "Bull") {
            dart = {Dart::Ring::Double, 25};
        } else {
            const char ring = word.front();
            dart.ring = ring == 'T' ? Dart::Ring::Treble : ring == 'D' ? Dart::Ring::Double : Dart::Ring::Single;
            const std::string digits = dart.ring == Dart::Ring::Single ? word : word.substr(1);
            if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 2)
                return false;
            dart.number = std::stoi(digits);
            if (dart.number < 1 || (dart.number > 20 && !(dart.number == 25 && dart.ring == Dart::Ring::Single)))
                return false;
        }
        route.darts[std::size_t(route.count++)] = dart;
    }
    return route.count > 0;
}

std::string dartCode(const Dart &dart)
{
    return std::string("Dart {Dart::Ring::") + ringName(dart.ring) + ", " + std::to_string(dart.number) + "}";
}

// The plans of every level under the rule, worked out side by side.
std::vector<std::unique_ptr<FinishPlan>> levelPlans(CheckoutRule rule, const std::vector<Target> &targets)
{
    std::vector<std::future<std::unique_ptr<FinishPlan>>> working;
    for (double spread : levelSpreads) {
        working.push_back(std::async(std::launch::async, [&targets, rule, spread] {
            return std::make_unique<FinishPlan>(ThrowModel(spread), targets, rule, adviceHighestScore);
        }));
    }
    std::vector<std::unique_ptr<FinishPlan>> plans;
    for (auto &plan : working)
        plans.push_back(plan.get());
    return plans;
}

int writeTables(CheckoutRule rule, const std::vector<Target> &targets, const char *path)
{
    const std::vector<std::unique_ptr<FinishPlan>> plans = levelPlans(rule, targets);
    // The near-ties of the default level and the stronger ones are settled by the strongest level,
    // whose own are real ties, as the public charts settle them. A weaker player's are left to
    // their own plan: what the strongest player prefers among them runs against what suits the
    // weaker one, whose best scoring aim is no longer treble 20.
    const FinishPlan &strong = *plans.back();
    const auto routeOf = [&](std::size_t level, int score) {
        const FinishPlan &plan = *plans[level];
        if (score < plan.lowestScore())
            return CheckoutRoute {};
        const bool settled = level >= std::size_t(defaultLevel) && level + 1 < plans.size();
        return settled ? plan.route(score, strong) : plan.route(score);
    };
    const char *name = rule == CheckoutRule::DoubleOut ? "doubleOutAdvice" : "straightOutAdvice";
    std::ofstream out(path);
    out << "// Written by make_checkout_table from the model of where darts land (match/DartModel.h), one\n"
           "// table for each level of match/Checkout.h; not to be edited.\n"
           "#pragma once\n\n"
           "#include <array>\n\n"
           "#include \"match/AdviceTable.h\"\n\n"
           "inline constexpr std::array<AdviceTable, "
        << plans.size() << "> " << name << " {{\n";
    out.precision(9);
    for (std::size_t level = 0; level < plans.size(); ++level) {
        const FinishPlan &plan = *plans[level];
        const ThrowModel model(levelSpreads[level]);
        out << "    // average " << levelAverages[level] << ", spread " << levelSpreads[level] << " mm\n"
            << "    {{{\n";
        for (int score = 0; score <= plan.highestScore(); ++score) {
            const bool playable = score >= plan.lowestScore();
            const CheckoutRoute route = routeOf(level, score);
            out << "        {{{";
            for (int i = 0; i < 3; ++i)
                out << (i > 0 ? ", " : "") << dartCode(route.darts[std::size_t(i)]);
            out << "}, " << route.count << "}, " << plan.routeFinishChance(score, route) << ", "
                << (playable && plan.prefersSetUp(score, route) ? "true" : "false") << ", "
                << dartCode(playable ? plan.setUpAim(score) : Dart {}) << "}, // " << score
                << (route.isEmpty() ? "" : ": " + written(route)) << '\n';
        }
        out << "    }},\n"
            << "    " << dartCode(bestScoringTarget(model, targets).bed) << "},\n";
    }
    out << "}};\n";
    out.close();
    return out ? 0 : 1;
}

int report(const FinishPlan &plan, const FinishPlan &strong, const char *others)
{
    std::multimap<int, std::string> weighed;
    if (others) {
        std::ifstream in(others);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            int score = 0;
            if (words >> score) {
                std::string rest;
                std::getline(words, rest);
                weighed.insert({score, rest});
            }
        }
    }
    const auto weigh = [&](int score, const CheckoutRoute &route) {
        std::printf("%.4f\t%.4f\t%.4f\t%.4f", plan.routeFinishChance(score, route),
            plan.routeExpectedVisits(score, route), strong.routeFinishChance(score, route),
            strong.routeExpectedVisits(score, route));
    };
    std::printf("score\troute\tclub's own\tchance\tvisits\tstrong chance\tstrong visits\tplan on route\n");
    for (int score = 2; score <= plan.highestScore(); ++score) {
        const CheckoutRoute route = plan.route(score, strong);
        std::printf("%d\t%s\t%s\t", score, written(route).c_str(), written(plan.route(score)).c_str());
        if (route.isEmpty())
            std::printf("\t\t\t");
        else
            weigh(score, route);
        std::printf("\t%s\n", plan.startsOnRoute(score) ? "yes" : "no");
        const auto [from, to] = weighed.equal_range(score);
        for (auto it = from; it != to; ++it) {
            CheckoutRoute other;
            if (!read(it->second, other) || other.total() != score) {
                std::printf("\t%s\tnot a route of %d\n", it->second.c_str(), score);
                continue;
            }
            std::printf("\t%s\t\t", written(other).c_str());
            weigh(score, other);
            std::printf("\n");
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    const std::vector<Target> targets = standardTargets();
    if (first == "--report") {
        const FinishPlan plan(ThrowModel(ThrowModel::clubSpread), targets, CheckoutRule::DoubleOut, 170);
        const FinishPlan strong(ThrowModel(ThrowModel::strongSpread), targets, CheckoutRule::DoubleOut, 170);
        return report(plan, strong, argc > 2 ? argv[2] : nullptr);
    }
    if ((first == "double" || first == "straight") && argc == 3)
        return writeTables(first == "double" ? CheckoutRule::DoubleOut : CheckoutRule::StraightOut, targets, argv[2]);
    std::cerr << "usage: make_checkout_table double|straight TABLE.h | --report [FILE]\n";
    return 2;
}
