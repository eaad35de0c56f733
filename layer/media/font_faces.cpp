// The installed faces a game may choose from.
#include <cstring>

#include "layer/core/tracked_memory.h"
#include "layer/media/media_services.h"
#include "platform/fonts/glyph_source.h"

namespace layer {
namespace {

constexpr int kFaceNameSlot = 64;
constexpr int kScratchFaceSlots = 4096;

struct FaceListState {
    char (*names)[kFaceNameSlot];
    int count;
    int max_count;
    int scratch_size;
    int japanese_only;
};

// One face offered by the system: 1 to go on listing, 0 to stop.
int AcceptFontFace(const platform::InstalledFace& face, FaceListState& list) {
    const bool wanted =
        list.japanese_only == 1 ? face.truetype && face.japanese : list.japanese_only == 0;
    // Faces named with a leading at-sign are the vertical ones.
    if (!wanted || face.name.empty() || face.name[0] == '@') {
        return 1;
    }
    for (int i = 0; i < list.count; ++i) {
        if (std::strcmp(list.names[i], face.name.c_str()) == 0) {
            return 1;
        }
    }
    if (list.scratch_size != 0 && list.count == list.scratch_size) {
        return 0;
    }
    std::strncpy(list.names[list.count], face.name.c_str(), kFaceNameSlot - 1);
    list.names[list.count][kFaceNameSlot - 1] = '\0';
    ++list.count;
    return list.max_count == 0 || list.count < list.max_count ? 1 : 0;
}

}  // namespace

int ListFontFaces(char (*names)[64], int max_count, int japanese_only) {
    FaceListState list{names, 0, max_count, 0, japanese_only};
    if (names == nullptr) {
        list.names = static_cast<char(*)[kFaceNameSlot]>(
            AllocTracked(sizeof(char[kFaceNameSlot]) * kScratchFaceSlots, __FILE__, __LINE__));
        if (list.names == nullptr) {
            return -1;
        }
        list.scratch_size = kScratchFaceSlots;
    }
    for (const platform::InstalledFace& face : platform::ListInstalledFaces()) {
        if (AcceptFontFace(face, list) == 0) {
            break;
        }
    }
    if (names == nullptr) {
        FreeTracked(list.names);
    }
    return list.count;
}

}  // namespace layer
