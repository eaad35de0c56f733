#pragma once

// The record behind a graph handle, and its table.

#include <cstdint>
#include <string>

#include "layer/core/handle_table.h"
#include "layer/graphics/format_key.h"

namespace layer {

constexpr int kMaxGraphTiles = 64;

struct GraphRecord {
    int CheckNo = 0;
    int* DeleteNotice = nullptr;
    int Handle = 0;
    FormatKey Key;
    // The loader's option word, passed again on a reload.
    int LoadOption = 0;
    // The new-graph mode word at creation.
    int Mode = 0;
    // 3D surface-data handles of texture graphs, 2D surface handles otherwise.
    int Tiles[kMaxGraphTiles] = {};
    int TileCount = 0;
    // The file the picture came from ("" when none) and the current folder at the time.
    std::string FileName;
    std::string FileDir;
    // Position of this graph's picture inside the source image.
    int SourceX = 0;
    int SourceY = 0;
    int Width = 0;
    int Height = 0;
    // Movie handle bound to the graph, -1 none.
    int Movie = -1;
    // 1 after a display loss until the picture was loaded again.
    int LostFlag = 0;
    // Tracked memory freed with the graph.
    void* OwnedBuffer = nullptr;
};

using GraphTable = HandleTable<GraphRecord, kGraphHandleKind>;

// The graph record, or null when the value is not a live graph handle.
GraphRecord* GetGraphRecord(int handle);
// Stores the notice and clears the int it points to; 0, or -1 for an invalid handle.
int SetGraphDeleteNotice(int handle, int* notice);
// The third field of a graph record: its handle.
int GetThirdField(const GraphRecord* record);

}  // namespace layer
