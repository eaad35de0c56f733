#include "game/core/data_file_loading.h"

#include "layer/core/layer_api.h"

namespace game {

std::optional<std::vector<std::uint8_t>> ReadWholeDataFile(const std::string& path) {
    const layer::FileHandle file = layer::OpenDataFile(path.c_str(), 0);
    if (file == 0)
        return std::nullopt;
    const int size = layer::GetDataFileSize(path.c_str());
    std::vector<std::uint8_t> image(static_cast<std::size_t>(size > 0 ? size : 0));
    bool whole = size >= 0;
    if (size > 0) {
        // Plain files answer 1 for a whole read, archive entries the byte count.
        const int result = layer::ReadDataFile(image.data(), size, file);
        whole = result == 1 || result == size;
    }
    layer::CloseDataFile(file);
    if (!whole)
        return std::nullopt;
    return image;
}

}  // namespace game
