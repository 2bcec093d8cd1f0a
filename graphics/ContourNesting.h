#pragma once
// How many contours enclose each contour, for painting filled contours
// outermost first.

#include <span>

class TXContour;

// Sets each contour's Nesting to the number of the others it lies inside
// (TXContour::IsInside), the counts of comparing every ordered pair, found
// through a grid of buckets over the bounds so that a map of many small
// contours is not quadratic.
void CountNesting(std::span<TXContour* const> Contours);
