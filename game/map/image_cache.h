#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace game {

// The images the map and the characters draw, loaded once per file name (relative to the
// data folder) into a graph for the whole image and one derived graph per cell, kept until
// the map changes or a save is loaded. The cache owns its graphs.
class ImageCache {
  public:
    enum SizeMode { kCellCounts = 0, kCellSizes = 1 };

    // Makes sure the file is cached, split into cellsX x cellsY cells (or cells of that many
    // pixels with kCellSizes); a name already cached keeps its first split. A missing file
    // is shown once and remembered: later calls for it give false without a box. An empty
    // name gives true and loads nothing.
    bool LoadGraphic(const std::string& name, int cellsX, int cellsY, int sizeMode);
    // Loads every cached image again from its file, keeping indices and splits; false at
    // the first file that cannot be opened.
    bool ReLoadGraphic();
    // Deletes every cached graph and forgets every name, failed ones included.
    bool ReleaseAllGraphics();

    // The index of a cached name, -1 when it is not cached.
    int FindGraphic(const std::string& name) const;
    // Entry 0 is the whole image, 1 + row * cellsX + column a cell; -1 outside the list.
    int GraphicHandle(int index, int entry) const;
    int CellCountX(int index) const;
    int CellCountY(int index) const;

    std::map<std::string, int> names;
    std::vector<std::vector<int>> handles;
    std::vector<int> cellCountsX;
    std::vector<int> cellCountsY;
    std::set<std::string> failedNames;
};

extern ImageCache TheImageCache;

// Loads a file outside the cache; with a cell list and more than one cell the list becomes
// the whole image followed by the cells. The caller owns the graphs. -1 when the name is
// empty or the file missing (shown unless quiet).
int LoadGraphicSP(const std::string& name, int cellsX, int cellsY, std::vector<int>* cells,
                  bool quiet);

// The whole image and its cells: cells of (width / cellsX) x (height / cellsY) pixels row by
// row; no cells when a count is 0 or less.
std::vector<int> SplitGraph(int whole, int cellsX, int cellsY);

}  // namespace game
