#pragma once

#include <cstdint>

namespace layer {

// Every rectangle of the layer: right and bottom are exclusive, so width = right - left.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Clips `rect` in place to `bounds`. An inverted rectangle first collapses onto its left or
// top edge; then each edge is clamped into the bounds on its own axis, the upper bound tested
// first. The result lies inside the bounds and is never inverted. Always 0.
int ClipRect(Rect* rect, const Rect& bounds);

// Swaps left with right and top with bottom where they are the wrong way round. Always 0.
int OrderRectCorners(Rect* rect);

// Stores right - left and bottom - top into the outputs given (either may be null). Always 0.
int MeasureRect(const Rect& rect, std::int32_t* width, std::int32_t* height);

}  // namespace layer
