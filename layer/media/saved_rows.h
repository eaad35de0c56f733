#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "layer/media/graph_image.h"

namespace layer {

// What the PNG and JPEG savers hand to their libraries: rows of R, G, B bytes and a row
// pointer for each, all from tracked memory and freed together.
struct SavedRows {
    std::uint8_t* bytes = nullptr;
    std::uint8_t** rows = nullptr;
};

// Fills the rows from the image's pixels (through FetchImagePixel); false when the memory
// cannot be had or the image has no pixels, with nothing left allocated.
bool MakeSavedRows(GraphImage* image, SavedRows* saved);
void FreeSavedRows(SavedRows* saved);

// The disk path at which to write a game path, or nullopt when its folder is missing.
std::optional<std::string> SaveTargetPath(const char* file_name);

// Ends a save once its library is done: frees the rows and closes the file at the disk path;
// a failed close fails the save, and a failed save removes the file. The save's result, 0 or
// -1.
int FinishSavedFile(int result, SavedRows* rows, std::FILE* file, const std::string& path);

}  // namespace layer
