#pragma once

// The kinds of layer handle: the code each carries in bits 27-30, the size of its table and
// what happens when the table is full or a record cannot be allocated.

#include "layer/core/handle_texts.h"

namespace layer {

enum HandleKind : int {
    kGraphHandleKind = 1,
    kSoundHandleKind = 2,
    kMovieHandleKind = 3,
    kFontHandleKind = 4,
    kSurface2DHandleKind = 5,
    kSurface3DDataHandleKind = 6,
    kSurfaceDataHandleKind = 7,
    kMaskHandleKind = 8,
    kSocketHandleKind = 9,
    kTextInputHandleKind = 10,
    kMidiHandleKind = 11,
    kLightHandleKind = 12,
    kHeldImageHandleKind = 14,
};

// What a table does when it cannot take a record.
enum class HandleFailure {
    // -1; the owner logs what it needs to.
    kRefuse,
    // The text is logged, -1.
    kLog,
    // The text ends the process.
    kFatal,
};

struct HandleKindInfo {
    int table_size = 0;
    HandleFailure when_full = HandleFailure::kRefuse;
    const char* full_text = nullptr;
    HandleFailure when_no_memory = HandleFailure::kRefuse;
    const char* no_memory_text = nullptr;
};

inline constexpr HandleKindInfo kHandleKinds[] = {
    {},
    {32768, HandleFailure::kFatal, kGraphTableFullText, HandleFailure::kFatal, kGraphNoMemoryText},
    {4096, HandleFailure::kLog, kSoundTableFullText, HandleFailure::kLog, kSoundNoMemoryText},
    {100},
    {40},
    {32768, HandleFailure::kLog, kSurface2DTableFullText},
    {65536},
    {65536, HandleFailure::kLog, kSurfaceDataTableFullText, HandleFailure::kLog,
     kSurfaceDataNoMemoryText},
    {512},
    {4096},
    {256},
    {256},
    {4096, HandleFailure::kRefuse, nullptr, HandleFailure::kFatal, kLightNoMemoryText},
    {},
    {8192},
};

// slot | ((check | kind << 11) << 16): kind in bits 27-30, check number in bits 16-26.
constexpr int MakeLayerHandle(int kind, int check, int slot) {
    return slot | ((check | kind << 11) << 16);
}

constexpr int kCheckNumberMask = 0x07FF0000;
constexpr int kHandleKindMask = 0x78000000;
constexpr int kCheckNumberCount = 2048;

}  // namespace layer
