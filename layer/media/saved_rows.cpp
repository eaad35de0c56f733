#include "layer/media/saved_rows.h"

#include "layer/core/tracked_memory.h"
#include "layer/media/image_pixels.h"
#include "platform/game_path.h"

namespace layer {

bool MakeSavedRows(GraphImage* image, SavedRows* saved) {
    if (image->pixels == nullptr || image->width < 1 || image->height < 1) {
        return false;
    }
    const std::size_t row_size = static_cast<std::size_t>(image->width) * 3;
    saved->rows = static_cast<std::uint8_t**>(
        AllocTrackedZeroed(sizeof(std::uint8_t*) * image->height, __FILE__, __LINE__));
    saved->bytes =
        static_cast<std::uint8_t*>(AllocTracked(row_size * image->height, __FILE__, __LINE__));
    if (saved->rows == nullptr || saved->bytes == nullptr) {
        FreeSavedRows(saved);
        return false;
    }
    for (int y = 0; y < image->height; ++y) {
        std::uint8_t* row = saved->bytes + row_size * y;
        saved->rows[y] = row;
        for (int x = 0; x < image->width; ++x) {
            int red = 0, green = 0, blue = 0;
            FetchImagePixel(image, x, y, &red, &green, &blue, nullptr);
            row[x * 3] = static_cast<std::uint8_t>(red);
            row[x * 3 + 1] = static_cast<std::uint8_t>(green);
            row[x * 3 + 2] = static_cast<std::uint8_t>(blue);
        }
    }
    return true;
}

void FreeSavedRows(SavedRows* saved) {
    FreeTracked(saved->bytes);
    FreeTracked(saved->rows);
    *saved = SavedRows{};
}

std::optional<std::string> SaveTargetPath(const char* file_name) {
    if (file_name == nullptr) {
        return std::nullopt;
    }
    return platform::ResolveGamePathForCreate(file_name);
}

int FinishSavedFile(int result, SavedRows* rows, std::FILE* file, const std::string& path) {
    FreeSavedRows(rows);
    if (std::fclose(file) != 0) {
        result = -1;
    }
    if (result != 0) {
        std::remove(path.c_str());
    }
    return result;
}

}  // namespace layer
