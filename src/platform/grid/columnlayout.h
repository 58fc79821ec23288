#pragma once

// Weighted column layout: the one implementation of the rule that shares a
// grid's width among its visible columns by their layout weights.
//
// Header-only and free of widgets on purpose: code that must not link Qt
// Widgets (the common helpers) can include it and delegate to it.

#include <QList>

#include <algorithm>
#include <optional>

namespace columnlayout {

// Screens (or windows) up to this width get best fit instead of weights.
inline constexpr int NarrowMaxWidth = 1152;

// Pixels left free for the row indicator and the vertical scroll bar.
inline constexpr int ReservedWidth = 30;

// True when a screen of this width lays its columns out by weight; narrower
// screens fit every column to its contents instead.
constexpr bool usesWeights(int screenWidth) noexcept
{
    return screenWidth > NarrowMaxWidth;
}

// The width of one weight unit: trunc((gridWidth - 30) / sum of weights).
// No unit exists when the weights sum to 0 or less; a grid narrower than the
// reserved margin gets a unit of 0 rather than negative widths.
constexpr std::optional<int> weightUnit(int gridWidth, int weightSum) noexcept
{
    if (weightSum <= 0)
        return std::nullopt;
    return std::max(0, (gridWidth - ReservedWidth) / weightSum);
}

// Widths for the visible columns whose weights are given, in the same order:
// weight x unit. A negative weight counts as 0. Returns nothing when the
// weights sum to 0, in which case the caller falls back to best fit.
inline std::optional<QList<int>> weightedWidths(const QList<int> &weights, int gridWidth)
{
    int sum = 0;
    for (int w : weights)
        sum += std::max(0, w);
    const std::optional<int> unit = weightUnit(gridWidth, sum);
    if (!unit)
        return std::nullopt;
    QList<int> widths;
    widths.reserve(weights.size());
    for (int w : weights)
        widths.append(std::max(0, w) * *unit);
    return widths;
}

// The whole common rule in one step: weights on a wide screen, "best fit"
// (nothing) on a narrow one or when the weights sum to 0.
inline std::optional<QList<int>> layoutWidths(const QList<int> &weights, int gridWidth, int screenWidth)
{
    if (!usesWeights(screenWidth))
        return std::nullopt;
    return weightedWidths(weights, gridWidth);
}

} // namespace columnlayout
