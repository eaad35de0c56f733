// The picture records are not built yet: the part is written empty, and the records of a
// part read are checked for their room and passed over.
#include "game/save/save_pictures.h"

#include <cstdint>
#include <string>

#include "game/core/save_buffer.h"
#include "game/save/save_fields.h"

namespace game {
namespace {

constexpr std::uint16_t kFirstEffectVersion = 105;
constexpr std::uint16_t kFirstFollowVersion = 107;
// Rows 8 to 12 (20 ints), the effect rows 13 to 16 (18 ints).
constexpr std::size_t kBaseIntBytes = 20 * 4;
constexpr std::size_t kEffectIntBytes = 18 * 4;

bool PassOverPicture(SaveBuffer& save) {
    std::uint8_t head[9];
    std::string name;
    std::uint8_t rest[kBaseIntBytes + kEffectIntBytes + 1];
    std::size_t restBytes = kBaseIntBytes;
    restBytes += save.version() >= kFirstEffectVersion ? kEffectIntBytes : 0;
    restBytes += save.version() >= kFirstFollowVersion ? 1 : 0;
    return save.ReadBytes(head, sizeof head) && ReadStr16(save, name) &&
           save.ReadBytes(rest, restBytes);
}

}  // namespace

bool WritePictureList(SaveBuffer& save, const PictureList&) {
    WriteInt16(save, 0);
    return true;
}

bool ReadPictureList(SaveBuffer& save, PictureList&, bool) {
    std::int16_t count = 0;
    if (!ReadInt16(save, count))
        return false;
    if (count < 0)
        return save.CountFits(-1, 1);
    for (int i = 0; i < count; ++i) {
        if (!PassOverPicture(save))
            return false;
    }
    return true;
}

}  // namespace game
