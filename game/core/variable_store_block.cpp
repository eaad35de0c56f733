// The variable store's block in the save file.
#include <algorithm>
#include <string_view>

#include "game/core/common_event.h"
#include "game/core/game_random.h"
#include "game/core/save_buffer.h"
#include "game/core/variable_store.h"

namespace game {
namespace {

// Longer texts are saved cut to this many bytes.
constexpr std::size_t kMaxSavedText = 32000;
constexpr std::size_t kIntBytes = 4;

void WriteCount(SaveBuffer& buffer, std::size_t count) {
    buffer.WriteInt(static_cast<std::int32_t>(count));
}

void WriteText(SaveBuffer& buffer, std::string_view text) {
    buffer.WriteString(text.substr(0, kMaxSavedText));
}

template <typename Slots>
void WriteSlots(SaveBuffer& buffer, const Slots& slots) {
    buffer.WriteByte(static_cast<std::uint8_t>(slots.size()));
    for (std::int32_t value : slots)
        buffer.WriteInt(value);
}

// A count of the block: negative counts fail without the read-past-end flag; counts whose
// items cannot fit in the bytes left fail as a short block, before anything is allocated.
bool ReadCount(SaveBuffer& buffer, std::size_t itemBytes, std::size_t& count) {
    std::int32_t stored = 0;
    if (!buffer.ReadInt(stored) || stored < 0 || !buffer.CountFits(stored, itemBytes))
        return false;
    count = static_cast<std::size_t>(stored);
    return true;
}

// A one-byte slot count followed by the slots.
template <typename Slots>
bool ReadSlots(SaveBuffer& buffer, Slots& slots) {
    std::uint8_t count = 0;
    if (!buffer.ReadByte(count))
        return false;
    slots.resize(count);
    for (auto& value : slots) {
        if (!buffer.ReadInt(value))
            return false;
    }
    return true;
}

std::size_t LengthBytes(const SaveBuffer& buffer) {
    return buffer.version() < SaveBuffer::kFirstLongStringVersion ? 2 : kIntBytes;
}

bool ReadTexts(SaveBuffer& buffer, std::vector<std::string>& texts) {
    for (std::string& text : texts) {
        if (!buffer.ReadString(text))
            return false;
    }
    return true;
}

}  // namespace

void VariableStore::SaveVariableStore(SaveBuffer& buffer) const {
    buffer.WriteInt(
        static_cast<std::int32_t>(GameRandomControl(static_cast<int>(RandomMode::kRead))));
    WriteCount(buffer, selfVariables.size());
    for (const auto& events : selfVariables) {
        WriteCount(buffer, events.size());
        for (const auto& slots : events)
            WriteSlots(buffer, slots);
    }
    WriteCount(buffer, variableSets.size());
    for (const auto& set : variableSets) {
        WriteCount(buffer, set.size());
        for (std::int32_t value : set)
            buffer.WriteInt(value);
    }
    WriteCount(buffer, stringVariables.size());
    for (const std::string& text : stringVariables)
        WriteText(buffer, text);
    WriteCount(buffer, commonNumbers.size());
    for (const auto& slots : commonNumbers)
        WriteSlots(buffer, slots);
    WriteCount(buffer, commonStrings.size());
    for (const auto& texts : commonStrings) {
        buffer.WriteByte(static_cast<std::uint8_t>(texts.size()));
        for (const std::string& text : texts)
            WriteText(buffer, text);
    }
}

bool VariableStore::LoadVariableStore(SaveBuffer& buffer, bool restoreSeed) {
    std::int32_t seed = 0;
    if (!buffer.ReadInt(seed))
        return false;
    if (restoreSeed)
        GameRandomControl(static_cast<int>(RandomMode::kSet), static_cast<std::uint32_t>(seed));

    std::size_t count = 0;
    if (!ReadCount(buffer, kIntBytes, count))
        return false;
    selfVariables.resize(count);
    for (auto& events : selfVariables) {
        if (!ReadCount(buffer, 1, count))
            return false;
        events.resize(count);
        for (auto& slots : events) {
            if (!ReadSlots(buffer, slots))
                return false;
        }
    }

    if (!ReadCount(buffer, kIntBytes, count))
        return false;
    variableSets.resize(count);
    for (auto& set : variableSets) {
        if (!ReadCount(buffer, kIntBytes, count))
            return false;
        set.resize(count);
        for (std::int32_t& value : set) {
            if (!buffer.ReadInt(value))
                return false;
        }
    }

    if (!ReadCount(buffer, LengthBytes(buffer), count))
        return false;
    stringVariables.resize(count);
    if (!ReadTexts(buffer, stringVariables))
        return false;

    const std::size_t common_events = CommonEvents.events.size();
    if (!ReadCount(buffer, 1, count))
        return false;
    const std::size_t saved_numbers = count;
    commonNumbers.resize(std::max(saved_numbers, common_events));
    for (std::size_t c = saved_numbers; c < commonNumbers.size(); ++c)
        commonNumbers[c].resize(kCommonNumberSlots);
    for (std::size_t c = 0; c < saved_numbers; ++c) {
        if (!ReadSlots(buffer, commonNumbers[c]))
            return false;
    }

    if (!ReadCount(buffer, 1, count))
        return false;
    const std::size_t saved_texts = count;
    commonStrings.resize(std::max(saved_texts, common_events));
    for (std::size_t c = saved_texts; c < commonStrings.size(); ++c)
        commonStrings[c].resize(kCommonStringSlots);
    for (std::size_t c = 0; c < saved_texts; ++c) {
        std::uint8_t texts = 0;
        if (!buffer.ReadByte(texts))
            return false;
        commonStrings[c].resize(texts);
        if (!ReadTexts(buffer, commonStrings[c]))
            return false;
    }
    return true;
}

}  // namespace game
