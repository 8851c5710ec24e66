// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing operations from a weighted table, for tests that run random sequences of them.
#pragma once

#include <cstddef>

// The sum of the weights of a table of entries, each with an int member `weight`.
template <typename Entry, std::size_t N> constexpr int totalWeight(const Entry (&table)[N])
{
    int total = 0;
    for (const Entry &entry : table)
        total += entry.weight;
    return total;
}

// The entry a roll in [0, totalWeight) falls on: the first entry takes the first `weight`
// rolls, the next the following ones, and so on.
template <typename Entry, std::size_t N> const Entry &entryForRoll(const Entry (&table)[N], int roll)
{
    for (const Entry &entry : table) {
        if (roll < entry.weight)
            return entry;
        roll -= entry.weight;
    }
    return table[N - 1];
}
