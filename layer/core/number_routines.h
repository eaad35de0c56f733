#pragma once

#include <cstddef>

#include "layer/core/rect.h"

namespace layer {

// Absolute values. AbsInt of INT_MIN stays INT_MIN, as the processor's negation gives.
int AbsInt(int value);
float AbsFloat(float value);

// Conversions toward zero. NaN and values outside the int range give INT_MIN, the
// processor's "integer indefinite" value.
int FloatToInt(float value);
int DoubleToInt(double value);
// Left, top, right and bottom converted toward zero like DoubleToInt.
Rect RectFromDoubles(double left, double top, double right, double bottom);

float SqrtFloat(float value);
// Sine and cosine computed in double precision, each rounded to float.
void SinCos(float angle, float* sine, float* cosine);

// Skips to the first digit or "-", then reads an optional "-" and at most 32 decimal digits
// in wrapping 32-bit arithmetic. -1 when the text ends before a digit or "-"; a "-" without
// digits gives 0.
int ParseInt(const char* text);
// Writes the value in the base (2 to 36; any other base counts as 10) into `output`, which
// holds `capacity` bytes: a "-" for negative values, then the digits, most significant first,
// with letters a, b, c... above 9. A text that does not fit is cut; the output is terminated
// when capacity > 0 and returned.
char* IntToText(int value, char* output, std::size_t capacity, int base);

}  // namespace layer
