#include "layer/graphics/frame_dump.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/media/graph_image.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_savers.h"
#include "platform/game_path.h"
#include "platform/presenter.h"

namespace layer {
namespace {

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;
constexpr int kPngCompression = 6;

bool frame_presented = false;

// The dump path is named from the folder the process was started in, whatever folder the
// game made current since.
std::string DumpGamePath(const char* path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string() : platform::DiskPathToGamePath(absolute.string());
}

}  // namespace

void NoteFramePresented() {
    frame_presented = true;
}

void DumpPresentedFrame() {
    const char* path = GetTestHooks().dump_frame_path;
    if (path[0] == '\0')
        return;
    if (!frame_presented) {
        std::fprintf(stderr, "QVARN_DUMP_FRAME: no frame was presented, %s not written\n", path);
        return;
    }
    GraphImage image;
    if (CreateXrgb32Image(kFrameWidth, kFrameHeight, &image) != 0)
        return;
    const bool read = platform::ReadRetainedFrame({0, 0, kFrameWidth, kFrameHeight},
                                                  reinterpret_cast<std::uint32_t*>(image.pixels),
                                                  image.pitch) == 0;
    const std::string game_path = DumpGamePath(path);
    if (!read || game_path.empty() ||
        SaveImagePng(game_path.c_str(), &image, kPngCompression) != 0) {
        std::fprintf(stderr, "QVARN_DUMP_FRAME: %s could not be written\n", path);
    }
    FreeGraphImage(&image);
}

}  // namespace layer
