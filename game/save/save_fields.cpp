#include "game/save/save_fields.h"

#include <cstring>

#include "game/core/format_text.h"
#include "game/core/save_buffer.h"
#include "game/core/shift_jis_byte_kind.h"
#include "game/core/system_message_box.h"
#include "game/save/save_fields_texts.h"

namespace game {
namespace {

// The most bytes a str16 holds besides its terminator.
constexpr std::size_t kStr16Room = 32766;

// The longest prefix of at most `room` bytes that does not split a two-byte character.
std::size_t CutAtCharacter(const std::string& text, std::size_t room) {
    if (text.size() <= room)
        return text.size();
    return GetShiftJisByteKind(text, room) == kTrailByte ? room - 1 : room;
}

bool ReadLength(SaveBuffer& save, std::int32_t& length) {
    if (!save.ReadInt(length))
        return false;
    return length >= 0 || save.CountFits(-1, 1);
}

}  // namespace

void WriteInt16(SaveBuffer& save, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(bits),
                                   static_cast<std::uint8_t>(bits >> 8)};
    save.WriteBytes(bytes, 2);
}

bool ReadInt16(SaveBuffer& save, std::int16_t& value) {
    std::uint8_t bytes[2];
    if (!save.ReadBytes(bytes, 2))
        return false;
    value = static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
    return true;
}

void WriteStr16(SaveBuffer& save, const std::string& text) {
    const std::size_t kept = CutAtCharacter(text, kStr16Room);
    if (kept < text.size())
        WriteConsoleLine(FormatText(kCutTextFormat, text.size(), kept));
    WriteInt16(save, static_cast<std::int16_t>(kept + 1));
    save.WriteBytes(text.data(), kept);
    save.WriteByte(0);
}

bool ReadStr16(SaveBuffer& save, std::string& text) {
    std::int16_t length = 0;
    if (!ReadInt16(save, length))
        return false;
    if (length < 0)
        return save.CountFits(-1, 1);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (!save.ReadBytes(bytes.data(), bytes.size()))
        return false;
    text.assign(bytes.c_str(), strnlen(bytes.c_str(), bytes.size()));
    return true;
}

void WriteTextList(SaveBuffer& save, const std::vector<std::string>& list) {
    save.WriteInt(static_cast<std::int32_t>(list.size()));
    for (const std::string& entry : list) {
        save.WriteInt(static_cast<std::int32_t>(entry.size()));
        save.WriteBytes(entry.data(), entry.size());
    }
}

bool ReadTextList(SaveBuffer& save, std::vector<std::string>& list) {
    std::int32_t count = 0;
    if (!save.ReadInt(count) || !save.CountFits(count, 4))
        return false;
    if (list.size() < static_cast<std::size_t>(count))
        list.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t length = 0;
        if (!ReadLength(save, length) || !save.CountFits(length, 1))
            return false;
        std::string& entry = list[static_cast<std::size_t>(i)];
        entry.assign(static_cast<std::size_t>(length), '\0');
        save.ReadBytes(entry.data(), entry.size());
    }
    return true;
}

void WriteIntList(SaveBuffer& save, const std::vector<int>& list) {
    save.WriteInt(static_cast<std::int32_t>(list.size()));
    for (int value : list)
        save.WriteInt(value);
}

bool ReadIntList(SaveBuffer& save, std::vector<int>& list) {
    std::int32_t count = 0;
    if (!save.ReadInt(count) || !save.CountFits(count, 4))
        return false;
    if (list.size() < static_cast<std::size_t>(count))
        list.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        save.ReadInt(list[static_cast<std::size_t>(i)]);
    return true;
}

}  // namespace game
