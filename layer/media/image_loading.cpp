#include "layer/media/image_loading.h"

#include <cstring>

#include "layer/core/file_operation_table.h"
#include "layer/core/stream_functions.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/dib_from_image.h"
#include "layer/media/dxt_expansion.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/pixel_conversion.h"
#include "layer/media/tracked_block.h"

namespace layer {

namespace {

constexpr std::size_t kNameBufferSize = 260;

// Decodes from the memory block or the file; a memory stream is closed at once, a file is
// left open for the caller to close.
int DecodeSource(const char* file_name, const void* memory, int memory_size, int from_memory,
                 FileHandle* file, GraphImage* image) {
    if (from_memory != 0) {
        const StreamValue stream = OpenMemoryStream(memory, memory_size);
        if (stream == 0) {
            return -1;
        }
        const BoundStream bound{*GetMemoryStreamFunctions(), stream};
        const int result = DecodeImageFromStream(bound, image);
        bound.functions.close(stream);
        return result;
    }
    if (file_name == nullptr) {
        return -1;
    }
    *file = DispatchFileOpen(file_name, 0, 1, 0);
    if (*file == 0) {
        return -1;
    }
    return DecodeImageFromStream(BoundStream{*GetFileStreamFunctions(), *file}, image);
}

// Replaces the pixels with a copy whose rows run right to left.
int MirrorImage(GraphImage* image) {
    if (ExpandCompressedImage(image) != 0) {
        return -1;
    }
    TrackedBlock mirrored =
        TrackedBlock::Allocate(static_cast<std::size_t>(image->pitch) * image->height);
    if (!mirrored || ConvertPixelRect(mirrored.get(), image->pitch, &image->format, image->pixels,
                                      image->pitch, &image->format, nullptr, 0, nullptr, 0, 0, 0, 0,
                                      image->width, image->height, 1, 0, 0, 0, 0, 0, 0, 0) < 0) {
        return -1;
    }
    FreeTracked(image->pixels);
    image->pixels = mirrored.Release();
    return 0;
}

int HandOutDib(GraphImage* image, BitmapInfo** info, std::uint8_t** dib_pixels) {
    if (ExpandCompressedImage(image) != 0) {
        return -1;
    }
    auto* header =
        static_cast<BitmapInfo*>(AllocTrackedZeroed(sizeof(BitmapInfo), __FILE__, __LINE__));
    if (header == nullptr) {
        return -1;
    }
    std::uint8_t* pixels = nullptr;
    const int made = MakeDibFromImage(*image, header, &pixels, 0, 0);
    if (made < 0) {
        FreeTracked(header);
        return -1;
    }
    if (made == 1) {
        FreeTracked(image->pixels);
    }
    // The pixels now belong to the DIB alone.
    image->pixels = nullptr;
    *info = header;
    *dib_pixels = pixels;
    return 0;
}

}  // namespace

int LoadImageData(const char* file_name, const void* memory, int memory_size, int from_memory,
                  int dib, int mirror, GraphImage* image, BitmapInfo** info,
                  std::uint8_t** dib_pixels) {
    FileHandle file = 0;
    GraphImage decoded;
    int result = DecodeSource(file_name, memory, memory_size, from_memory, &file, &decoded);
    if (result == 0 && mirror == 1) {
        result = MirrorImage(&decoded);
    }
    if (result == 0) {
        if (dib != 0) {
            result = HandOutDib(&decoded, info, dib_pixels);
        } else {
            *image = std::move(decoded);
        }
    }
    FreeGraphImage(&decoded);
    if (file != 0) {
        DispatchFileClose(file);
    }
    return result;
}

bool MakeAlphaCompanionName(const char* file_name, std::string* companion) {
    const std::size_t length = std::strlen(file_name);
    if (length + 3 > kNameBufferSize) {
        return false;
    }
    const char* dot = std::strrchr(file_name, '.');
    const std::size_t stem = dot != nullptr ? static_cast<std::size_t>(dot - file_name) : length;
    *companion = std::string(file_name, stem) + "_a" + std::string(file_name + stem);
    return true;
}

int LoadImageWithAlpha(const char* file_name, const void* image_memory, int image_size,
                       int image_from_memory, const void* alpha_memory, int alpha_size,
                       int alpha_from_memory, GraphImage* image, GraphImage* alpha_image,
                       int mirror) {
    if (LoadImageData(file_name, image_memory, image_size, image_from_memory, 0, mirror, image,
                      nullptr, nullptr) != 0) {
        return -1;
    }
    const bool fetch =
        alpha_from_memory == 0 || (alpha_from_memory == 1 && alpha_memory != nullptr);
    if (!fetch) {
        return 1;
    }
    std::string companion;
    const char* companion_name = nullptr;
    if (file_name != nullptr && image_from_memory == 0) {
        if (!MakeAlphaCompanionName(file_name, &companion)) {
            return 1;
        }
        companion_name = companion.c_str();
    }
    return LoadImageData(companion_name, alpha_memory, alpha_size, alpha_from_memory, 0, mirror,
                         alpha_image, nullptr, nullptr) == 0
               ? 0
               : 1;
}

}  // namespace layer
