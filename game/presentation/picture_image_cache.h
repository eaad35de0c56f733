#pragma once

#include <string>
#include <vector>

namespace game {

class Picture;
class PictureList;

// One loaded picture image: a file with the split it was first asked for, its whole-image
// graph and the graphs of its cells, row by row.
struct PictureImageEntry {
    std::string name;
    int splitX = 1;
    int splitY = 1;
    int whole = -1;
    std::vector<int> cells;
    int cellWidth = 0;
    int cellHeight = 0;
};

// The pictures' own image cache, apart from the map's: one entry per file name and split,
// shared by every picture that shows it. It owns every graph in it.
struct PictureImageCache {
    std::vector<PictureImageEntry> entries;
};

extern PictureImageCache ThePictureImageCache;

// Points the picture at the cached image of (name, splitX, splitY), loading it from the data
// folder first when needed. False when the file cannot be read: the picture is unchanged.
bool PictureControl(Picture& picture, const std::string& name, int splitX, int splitY);
// Removes every entry of the file unless a picture of the global list still shows it; the
// picture of that number is left out of the test unless includeSelf.
void ReleasePictureImage(const std::string& name, bool includeSelf, int number);
// After the display lost its graphs: every entry is read again from its file and every
// picture of the list points at the new graphs. A file gone since keeps its old graphs.
void RePictureControl(PictureList& pictureList);
// Removes every graph of the cache and empties it.
void ReleaseAllPictureImages();

}  // namespace game
