#include "game/presentation/picture_image_cache.h"

#include <algorithm>
#include <optional>

#include "game/core/data_file_loading.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/core/system_message_box.h"
#include "game/map/data_folder.h"
#include "game/presentation/picture.h"
#include "game/presentation/picture_image_cache_texts.h"
#include "game/presentation/picture_list.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// Names that stand for no file: their failure is silent.
bool NamesNoFile(const std::string& name) {
    return name.empty() || name == "<<ERROR>>";
}

void ShowMissingFile(const std::string& name, const std::string& text) {
    if (!NamesNoFile(name))
        ShowSystemMessageBox(text, kPictureLoadCaption, MessageBoxButtons::kOkCancel);
}

// The whole image of a file (-1 when it does not decode, the file then named on standard
// error); nothing when it cannot be read.
std::optional<int> LoadWholeImage(const std::string& name) {
    const std::string path = kDataFolder + name;
    const auto image = ReadWholeDataFile(path);
    if (!image)
        return std::nullopt;
    const int size = static_cast<int>(image->size());
    const int graph = layer::GraphFromMemoryImage(image->data(), size, nullptr, 0, 1, 0);
    if (graph < 0)
        layer::NameUndecodableFile(path.c_str(), layer::kImageFile, image->data(), size);
    return graph;
}

void RemoveEntryGraphs(const PictureImageEntry& entry) {
    layer::RemoveGraph(entry.whole, 0);
    for (const int cell : entry.cells)
        layer::RemoveGraph(cell, 0);
}

// Cuts the entry's whole image into its cells. A split larger than the image is used as
// 1 x 1; the result says whether that happened. An image that did not decode has no cells.
bool SplitEntry(PictureImageEntry& entry) {
    entry.cells.clear();
    entry.cellWidth = 0;
    entry.cellHeight = 0;
    int width = 0;
    int height = 0;
    if (entry.whole < 0 || layer::GetGraphExtent(entry.whole, &width, &height) != 0)
        return false;
    const bool tooLarge = width < entry.splitX || height < entry.splitY;
    const int columns = tooLarge ? 1 : std::max(entry.splitX, 1);
    const int rows = tooLarge ? 1 : std::max(entry.splitY, 1);
    entry.cellWidth = width / columns;
    entry.cellHeight = height / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            entry.cells.push_back(layer::CreateSubGraph(column * entry.cellWidth,
                                                        row * entry.cellHeight, entry.cellWidth,
                                                        entry.cellHeight, entry.whole));
    }
    return tooLarge;
}

PictureImageEntry* FindEntry(const std::string& name, int splitX, int splitY) {
    auto& entries = ThePictureImageCache.entries;
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return entry.name == name && entry.splitX == splitX && entry.splitY == splitY;
    });
    return found == entries.end() ? nullptr : &*found;
}

}  // namespace

PictureImageCache ThePictureImageCache;

bool PictureControl(Picture& picture, const std::string& name, int splitX, int splitY) {
    PictureImageEntry* entry = FindEntry(name, splitX, splitY);
    bool splitRefused = false;
    if (entry == nullptr) {
        const std::optional<int> whole = LoadWholeImage(name);
        if (!whole) {
            ShowMissingFile(name, FormatText(kPictureLoadFormat, (kDataFolder + name).c_str(),
                                             GetProcessingPointText().c_str()));
            return false;
        }
        entry = &ThePictureImageCache.entries.emplace_back();
        entry->name = name;
        entry->splitX = splitX;
        entry->splitY = splitY;
        entry->whole = *whole;
        splitRefused = SplitEntry(*entry);
        if (splitRefused) {
            int width = 0;
            int height = 0;
            layer::GetGraphExtent(entry->whole, &width, &height);
            ShowErrorBox(FormatText(kPictureSplitFormat, splitX, splitY, width, height),
                         GetProcessingPointText(), "");
        }
    }
    picture.ImageHandle = entry->whole;
    picture.Cells = entry->cells;
    picture.PreviousWidth = picture.Width;
    picture.PreviousHeight = picture.Height;
    picture.Width = entry->cellWidth;
    picture.Height = entry->cellHeight;
    picture.SplitX = splitRefused ? 1 : splitX;
    picture.SplitY = splitRefused ? 1 : splitY;
    return true;
}

void ReleasePictureImage(const std::string& name, bool includeSelf, int number) {
    if (name.empty())
        return;
    for (const Picture& picture : ThePictureList.Pictures) {
        if ((includeSelf || picture.Number != number) && picture.ImageName == name)
            return;
    }
    std::erase_if(ThePictureImageCache.entries, [&](const PictureImageEntry& entry) {
        if (entry.name != name)
            return false;
        RemoveEntryGraphs(entry);
        return true;
    });
}

void RePictureControl(PictureList& pictureList) {
    for (PictureImageEntry& entry : ThePictureImageCache.entries) {
        const std::optional<int> whole = LoadWholeImage(entry.name);
        if (!whole) {
            ShowMissingFile(entry.name,
                            FormatText(kPictureReloadFormat, (kDataFolder + entry.name).c_str()));
            continue;
        }
        RemoveEntryGraphs(entry);
        entry.whole = *whole;
        SplitEntry(entry);
    }
    for (Picture& picture : pictureList.Pictures) {
        if (picture.ImageName.empty())
            continue;
        if (picture.IsWindowPicture == 0) {
            PictureControl(picture, picture.ImageName, picture.SplitX, picture.SplitY);
            continue;
        }
        const int width = picture.SplitX;
        const int height = picture.SplitY;
        PictureControl(picture, picture.ImageName, kWindowPictureCells, kWindowPictureCells);
        picture.SplitX = width;
        picture.SplitY = height;
    }
}

void ReleaseAllPictureImages() {
    for (const PictureImageEntry& entry : ThePictureImageCache.entries)
        RemoveEntryGraphs(entry);
    ThePictureImageCache.entries.clear();
}

}  // namespace game
