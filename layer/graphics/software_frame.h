#pragma once

// The software screens shown in the window without display surfaces, through the presenter.

#include "layer/core/rect.h"
#include "layer/softrender/memimg.h"

namespace layer {

// Writes the source rectangle of the image into the destination rectangle (window client
// coordinates), stretched when the sizes differ, and shows it.
int PresentSoftwareImage(const MEMIMG& image, const Rect& destination, const Rect& source);
// Reads the window's client area from its origin into the image, as far as both reach.
int ReadWindowIntoSoftwareImage(MEMIMG* image);

}  // namespace layer
