#include <cstdint>

#include "game/core/display_scale.h"
#include "game/core/event_record_io.h"
#include "game/core/save_buffer.h"
#include "game/map/map_character.h"

namespace game {
namespace {

// The stored name length counts the terminator and fits the reader's 260-byte buffer.
constexpr std::int16_t kMaxNameLength = 260;

void WriteShort(SaveBuffer& save, std::int16_t value) {
    save.WriteBytes(&value, sizeof value);
}

bool ReadShort(SaveBuffer& save, std::int16_t& value) {
    return save.ReadBytes(&value, sizeof value);
}

bool ReadShorts(SaveBuffer& save, std::initializer_list<std::int16_t*> fields) {
    for (std::int16_t* field : fields) {
        if (!ReadShort(save, *field))
            return false;
    }
    return true;
}

bool ReadName(SaveBuffer& save, std::string& name) {
    std::int16_t length = 0;
    if (!ReadShort(save, length))
        return false;
    // A length the writer never writes is damage: marked before anything is allocated.
    if (length < 1 || length > kMaxNameLength)
        return save.CountFits(-1, 1);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (!save.ReadBytes(bytes.data(), bytes.size()))
        return false;
    name = bytes.c_str();
    return true;
}

}  // namespace

void WriteMapCharacter(SaveBuffer& save, const MapCharacter& character) {
    save.WriteInt(character.referenceId);
    save.WriteInt(character.x);
    save.WriteInt(character.y);
    save.WriteInt(character.lift);
    save.WriteByte(character.removed);
    save.WriteInt(character.graphicNumber);
    WriteShort(save, static_cast<std::int16_t>(character.graphicName.size() + 1));
    save.WriteBytes(character.graphicName.c_str(), character.graphicName.size() + 1);
    for (std::int16_t value :
         {character.opacity, character.blendKind, character.direction, character.pattern})
        WriteShort(save, value);
    save.WriteByte(character.forcedRoute);
    save.WriteByte(character.passThrough);
    WriteMoveRoute(save, character.runningRoute);
    WriteMoveRoute(save, character.savedRoute);
    for (std::int16_t value :
         {character.moveKind, character.speed, character.frequency, character.animationSpeed,
          character.runningRouteIndex, character.savedRouteIndex})
        WriteShort(save, value);
    save.WriteByte(character.directionFixed);
    save.WriteByte(character.drawOnTop);
    save.WriteByte(character.turnedToHero);
    save.WriteInt(static_cast<std::int32_t>(character.spareList.size()));
    for (std::int32_t value : character.spareList)
        save.WriteInt(value);
}

bool ReadMapCharacter(SaveBuffer& save, MapCharacter& character) {
    if (!save.ReadInt(character.referenceId) || !save.ReadInt(character.x) ||
        !save.ReadInt(character.y) || !save.ReadInt(character.lift) ||
        !save.ReadByte(character.removed))
        return false;
    // A glide in progress is not kept.
    character.pixelX = 2 * TileSize * character.x;
    character.pixelY = 2 * TileSize * character.y;
    if (!save.ReadInt(character.graphicNumber) || !ReadName(save, character.graphicName) ||
        !ReadShorts(save, {&character.opacity, &character.blendKind, &character.direction,
                           &character.pattern}) ||
        !save.ReadByte(character.forcedRoute) || !save.ReadByte(character.passThrough) ||
        !ReadMoveRoute(save, character.runningRoute) ||
        !ReadMoveRoute(save, character.savedRoute) ||
        !ReadShorts(save, {&character.moveKind, &character.speed, &character.frequency,
                           &character.animationSpeed, &character.runningRouteIndex,
                           &character.savedRouteIndex}) ||
        !save.ReadByte(character.directionFixed) || !save.ReadByte(character.drawOnTop) ||
        !save.ReadByte(character.turnedToHero))
        return false;
    std::int32_t count = 0;
    if (!save.ReadInt(count) || !save.CountFits(count, 4))
        return false;
    character.spareList.assign(static_cast<std::size_t>(count), 0);
    for (std::int32_t& value : character.spareList) {
        if (!save.ReadInt(value))
            return false;
    }
    return true;
}

}  // namespace game
