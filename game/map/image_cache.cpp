#include "game/map/image_cache.h"

#include <optional>

#include "game/core/data_file_loading.h"
#include "game/core/format_text.h"
#include "game/core/system_message_box.h"
#include "game/map/data_folder.h"
#include "game/map/image_cache_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

void ShowLoadError(const std::string& text) {
    ShowSystemMessageBox(text, kCaption, MessageBoxButtons::kOkCancel);
}

// The whole image of a file, -1 when it does not decode (the file is then named on standard
// error); nothing when it cannot be read.
std::optional<int> LoadWholeGraph(const std::string& path) {
    const auto image = ReadWholeDataFile(path);
    if (!image)
        return std::nullopt;
    const int size = static_cast<int>(image->size());
    const int graph = layer::GraphFromMemoryImage(image->data(), size, nullptr, 0, 1, 0);
    if (graph < 0)
        layer::NameUndecodableFile(path.c_str(), layer::kImageFile, image->data(), size);
    return graph;
}

void RemoveGraphs(const std::vector<int>& graphs) {
    for (int graph : graphs) {
        if (graph >= 0)
            layer::RemoveGraph(graph, 0);
    }
}

}  // namespace

ImageCache TheImageCache;

std::vector<int> SplitGraph(int whole, int cellsX, int cellsY) {
    std::vector<int> graphs{whole};
    int width = 0;
    int height = 0;
    if (whole < 0 || cellsX <= 0 || cellsY <= 0 ||
        layer::GetGraphExtent(whole, &width, &height) != 0)
        return graphs;
    const int cell_width = width / cellsX;
    const int cell_height = height / cellsY;
    for (int row = 0; row < cellsY; ++row) {
        for (int column = 0; column < cellsX; ++column)
            graphs.push_back(layer::CreateSubGraph(column * cell_width, row * cell_height,
                                                   cell_width, cell_height, whole));
    }
    return graphs;
}

bool ImageCache::LoadGraphic(const std::string& name, int cellsX, int cellsY, int sizeMode) {
    if (names.contains(name) || name.empty())
        return true;
    if (failedNames.contains(name))
        return false;
    const std::string path = kDataFolder + name;
    const std::optional<int> whole = LoadWholeGraph(path);
    if (!whole) {
        ShowLoadError(FormatText(kLoadFormat, path.c_str()));
        failedNames.insert(name);
        return false;
    }
    if (sizeMode == kCellSizes) {
        int width = 0;
        int height = 0;
        layer::GetGraphExtent(*whole, &width, &height);
        cellsX = cellsX > 0 ? width / cellsX : 0;
        cellsY = cellsY > 0 ? height / cellsY : 0;
    }
    names[name] = static_cast<int>(handles.size());
    cellCountsX.push_back(cellsX);
    cellCountsY.push_back(cellsY);
    handles.push_back(SplitGraph(*whole, cellsX, cellsY));
    return true;
}

bool ImageCache::ReLoadGraphic() {
    for (const auto& [name, index] : names) {
        if (name.empty())
            continue;
        const std::string path = kDataFolder + name;
        auto& graphs = handles[static_cast<std::size_t>(index)];
        const std::optional<int> whole = LoadWholeGraph(path);
        if (!whole) {
            ShowLoadError(FormatText(kReloadFormat, path.c_str(), name.c_str()));
            return false;
        }
        RemoveGraphs(graphs);
        graphs = SplitGraph(*whole, CellCountX(index), CellCountY(index));
    }
    return true;
}

bool ImageCache::ReleaseAllGraphics() {
    for (const auto& graphs : handles)
        RemoveGraphs(graphs);
    handles.clear();
    names.clear();
    cellCountsX.clear();
    cellCountsY.clear();
    failedNames.clear();
    return true;
}

int ImageCache::FindGraphic(const std::string& name) const {
    const auto found = names.find(name);
    return found == names.end() ? -1 : found->second;
}

int ImageCache::GraphicHandle(int index, int entry) const {
    if (index < 0 || static_cast<std::size_t>(index) >= handles.size())
        return -1;
    const auto& graphs = handles[static_cast<std::size_t>(index)];
    return entry >= 0 && static_cast<std::size_t>(entry) < graphs.size()
               ? graphs[static_cast<std::size_t>(entry)]
               : -1;
}

int ImageCache::CellCountX(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < cellCountsX.size()
               ? cellCountsX[static_cast<std::size_t>(index)]
               : 0;
}

int ImageCache::CellCountY(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < cellCountsY.size()
               ? cellCountsY[static_cast<std::size_t>(index)]
               : 0;
}

int LoadGraphicSP(const std::string& name, int cellsX, int cellsY, std::vector<int>* cells,
                  bool quiet) {
    if (name.empty())
        return -1;
    const std::string path = kDataFolder + name;
    const std::optional<int> whole = LoadWholeGraph(path);
    if (!whole) {
        if (!quiet)
            ShowLoadError(FormatText(kLoadSpFormat, path.c_str(), cellsX, cellsY));
        return -1;
    }
    if (cells != nullptr && (cellsX > 1 || cellsY > 1))
        *cells = SplitGraph(*whole, cellsX, cellsY);
    return *whole;
}

}  // namespace game
