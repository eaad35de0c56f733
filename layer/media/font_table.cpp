#include "layer/media/font_table.h"

#include <cstring>

#include "layer/core/handle_kinds.h"
#include "layer/core/tracked_memory.h"
#include "layer/media/font_texture_cache.h"
#include "layer/media/media_services.h"
#include "layer/media/text_draw_services.h"

namespace layer {

FontTable font_table;

int MakeFontHandle(int slot, int check_number) {
    return MakeLayerHandle(kFontHandleKind, check_number, slot);
}

FontRecord* GetFontRecord(int handle) {
    if (handle < 0 || (handle & kHandleKindMask) != kFontHandleKind << 27) {
        return nullptr;
    }
    const int slot = handle & 0xFFFF;
    if (slot >= kFontSlotCount) {
        return nullptr;
    }
    FontRecord* record = font_table.slots[slot];
    if (record == nullptr || (record->check_number << 16) != (handle & kCheckNumberMask)) {
        return nullptr;
    }
    return record;
}

int TestFontHandle(int value) {
    return GetFontRecord(value) != nullptr ? 1 : 0;
}

int FontHandleInSlot(int slot) {
    const FontRecord* record = font_table.slots[slot];
    return record == nullptr ? -1 : MakeFontHandle(slot, record->check_number);
}

int GraphicsNotReady() {
    return text_draw_services.graphics_not_ready();
}

int FreeFontHandle(int handle) {
    FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    platform::CurrentGlyphSource().delete_font(record->face);
    if (record->cache_memory != nullptr) {
        FreeTracked(record->cache_memory);
    }
    if (record->work_surface != -1) {
        text_draw_services.delete_surface(record->work_surface);
        record->work_surface = -1;
    }
    ReleaseFontTexture(*record);
    if (record->delete_notice != nullptr) {
        *record->delete_notice = 1;
    }
    FreeTracked(record);
    font_table.slots[handle & 0xFFFF] = nullptr;
    return 0;
}

int SetFontDeleteNotice(int handle, int* notice) {
    FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    record->delete_notice = notice;
    if (notice != nullptr) {
        *notice = 0;
    }
    return 0;
}

int SetFontCharacterGap(int gap, int handle) {
    FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    record->character_gap = gap;
    return 0;
}

int QueryFontInfo(char* face, int* size, int* thickness, int handle) {
    const FontRecord* record = GetFontRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    if (face != nullptr) {
        std::memcpy(face, record->face_name, kFontRecordFaceSize);
    }
    if (size != nullptr) {
        *size = record->size;
    }
    if (thickness != nullptr) {
        *thickness = record->thickness;
    }
    return 0;
}

int QueryFontSize(int handle) {
    const FontRecord* record = GetFontRecord(handle);
    return record == nullptr ? -1 : record->size;
}

}  // namespace layer
