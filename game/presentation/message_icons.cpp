// The icons of message text: graphs numbered by the characters 4 to 6 of their file names.
#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

#include "game/map/data_folder.h"
#include "game/map/image_cache.h"
#include "game/presentation/text_layer_calls.h"
#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kIconFolder[] = "BasicData\\";
constexpr char kIconList[] = "EncodedIconList.xxxxx";
constexpr char kIconPattern[] = "icon???.png";
constexpr int kIconCount = 1000;
constexpr int kLineCapacity = 512;

// The names in the list file up to its end or its first empty line; false without the file.
bool ReadIconList(std::vector<std::string>& names) {
    const std::string path = kDataFolder + kIconFolder + kIconList;
    const layer::FileHandle file = layer::OpenDataFile(path.c_str(), 0);
    if (file == 0)
        return false;
    char line[kLineCapacity];
    for (int length; (length = layer::ReadDataFileLine(line, kLineCapacity, file)) > 0;)
        names.emplace_back(line, static_cast<std::size_t>(length));
    layer::CloseDataFile(file);
    return true;
}

// "icon???.png" in either case, '?' any one byte.
bool MatchesIconPattern(const std::string& name) {
    constexpr std::size_t length = sizeof(kIconPattern) - 1;
    if (name.size() != length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (kIconPattern[i] != '?' && std::tolower(byte) != kIconPattern[i])
            return false;
    }
    return true;
}

void KeepIconFile(const char* name, void* context) {
    if (MatchesIconPattern(name))
        static_cast<std::vector<std::string>*>(context)->emplace_back(name);
}

// The icon files of the data folder in name order (the listing's byte order); the current
// folder stays as it is.
std::vector<std::string> FindIconFiles() {
    std::vector<std::string> names;
    const std::string folder = kDataFolder + "BasicData";
    layer::ListFolder(folder.c_str(), KeepIconFile, &names);
    return names;
}

void PlaceIcon(TextResources& textResources, int number, int graph) {
    std::vector<int>& handles = textResources.IconHandles;
    if (static_cast<int>(handles.size()) <= number)
        handles.resize(static_cast<std::size_t>(number) + 1, 0);
    int& slot = handles[static_cast<std::size_t>(number)];
    // A later file with the same number replaces the earlier one, whose graph would leak.
    if (slot > 0)
        TheTextLayerCalls.RemoveGraph(slot, 0);
    slot = graph;
    int width = 0;
    int height = 0;
    TheTextLayerCalls.GetGraphExtent(graph, &width, &height);
    textResources.IconWidths[static_cast<std::size_t>(number)] = width;
    textResources.IconHeights[static_cast<std::size_t>(number)] = height;
}

}  // namespace

int IconNumber(const std::string& name) {
    if (name.size() <= 4)
        return 0;
    const std::string digits = name.substr(4, 3);
    std::size_t at = 0;
    const bool negative = at < digits.size() && digits[at] == '-';
    if (at < digits.size() && (digits[at] == '-' || digits[at] == '+'))
        ++at;
    int value = 0;
    for (; at < digits.size() && digits[at] >= '0' && digits[at] <= '9'; ++at)
        value = value * 10 + (digits[at] - '0');
    return negative ? -value : value;
}

void LoadIcons(TextResources& textResources) {
    for (int handle : textResources.IconHandles) {
        if (handle > 0)
            TheTextLayerCalls.RemoveGraph(handle, 0);
    }
    textResources.IconHandles.clear();
    textResources.IconWidths.assign(kIconCount, 0);
    textResources.IconHeights.assign(kIconCount, 0);
    std::vector<std::string> names;
    if (!ReadIconList(names))
        names = FindIconFiles();
    for (const std::string& name : names) {
        const int number = IconNumber(name);
        if (number < 0 || number >= kIconCount)
            continue;
        const int graph = LoadGraphicSP(kIconFolder + name, 1, 1, nullptr, true);
        if (graph != -1)
            PlaceIcon(textResources, number, graph);
    }
}

}  // namespace game
