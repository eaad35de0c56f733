#include "layer/media/dib_section.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/core/tracked_object.h"
#include "layer/media/dib_conversion.h"
#include "layer/media/image_messages_texts.h"

namespace layer {

namespace {

int Rows(const BitmapInfoHeader& header) {
    return static_cast<int>(std::llabs(static_cast<std::int64_t>(header.height)));
}

// The section's pixels: 8-bit indices copied in top-down order, anything else converted.
bool DrawPixels(const BitmapInfo& given, const std::uint8_t* pixels, DibSection* section) {
    const BitmapInfoHeader& header = given.header;
    const int rows = Rows(header);
    if (header.bit_count == 8) {
        const std::int64_t in_row = BitmapRowSize(header.width, 8);
        TrackedBlock out = TrackedBlock::AllocateZeroed(static_cast<std::size_t>(in_row) * rows);
        if (!out) {
            return false;
        }
        for (int y = 0; y < rows; ++y) {
            const int stored = header.height > 0 ? rows - 1 - y : y;
            std::memcpy(out.get() + y * in_row, pixels + stored * in_row, header.width);
        }
        section->pitch = static_cast<int>(in_row);
        section->bits = out.Release();
        return true;
    }
    DibPixels dib;
    dib.header = header;
    dib.palette = given.colours;
    for (int i = 0; i < 3; ++i) {
        std::memcpy(&dib.masks[i], &given.colours[i], 4);
    }
    dib.bits = pixels;
    dib.size = static_cast<std::size_t>(BitmapRowSize(header.width, header.bit_count)) * rows;
    TrackedBlock out;
    if (ConvertDibToRgb24(dib, &out) != DibConversion::kDone) {
        return false;
    }
    section->pitch = static_cast<int>(BitmapRowSize(header.width, 24));
    section->bits = out.Release();
    return true;
}

void MirrorRows(DibSection* section) {
    const int bytes = section->info.header.bit_count / 8;
    const int width = section->info.header.width;
    for (int y = 0; y < Rows(section->info.header); ++y) {
        std::uint8_t* row = section->bits + static_cast<std::size_t>(y) * section->pitch;
        for (int left = 0, right = width - 1; left < right; ++left, --right) {
            std::swap_ranges(row + left * bytes, row + (left + 1) * bytes, row + right * bytes);
        }
    }
}

DibSection* Refuse(const char* text, BitmapInfo* info, std::uint8_t* pixels) {
    WriteLog(text);
    FreeTracked(pixels);
    FreeTracked(info);
    return nullptr;
}

}  // namespace

DibSection* CreateDIBGraph(BitmapInfo* info, std::uint8_t* pixels, int mirror) {
    DibSection* section = NewTracked<DibSection>(__FILE__, __LINE__);
    if (section == nullptr) {
        return Refuse(kNoMemoryInCreateDibGraphText, info, pixels);
    }
    BitmapInfoHeader& header = section->info.header;
    header.size = sizeof(BitmapInfoHeader);
    header.width = info->header.width;
    header.height = -Rows(info->header);
    header.planes = 1;
    header.bit_count = info->header.bit_count == 8 ? 8 : 24;
    if (header.bit_count == 8) {
        std::memcpy(section->info.colours, info->colours, sizeof info->colours);
    }
    if (!HasAcceptedSize(info->header) || !DrawPixels(*info, pixels, section)) {
        DeleteTracked(section);
        return Refuse(kDibCreationFailed3Text, info, pixels);
    }
    if (mirror == 1) {
        MirrorRows(section);
    }
    return section;
}

int DeleteDibSection(DibSection* section) {
    if (section != nullptr) {
        FreeTracked(section->bits);
        DeleteTracked(section);
    }
    return 0;
}

}  // namespace layer
