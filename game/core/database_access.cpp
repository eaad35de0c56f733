#include "game/core/database.h"
#include "game/core/database_access_texts.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"

namespace game {
namespace {

constexpr char kErrorText[] = "<<ERROR>>";

constexpr int kNumberKind = 1;
constexpr int kStringKind = 2;

// The slot a content code names in its record, or -1 when the record has no such slot.
template <typename List>
int SlotIn(const List& slots, std::int32_t code) {
    const int slot = code % 1000;
    return slot >= 0 && slot < static_cast<int>(slots.size()) ? slot : -1;
}

}  // namespace

std::int32_t DataBase::ReadDBValue(int type, int data, int content, std::int32_t* out) {
    if (type >= GetDBTypeCount()) {
        ShowErrorBox(FormatText(kValueTypeError, type), GetProcessingPointText(), "");
        DBReadError = 1;
        return 0;
    }
    if (type < 0)
        return 0;
    if (data >= GetDBDataCount(type)) {
        ShowErrorBox(FormatText(kValueDataError, type, data), "", "");
        DBReadError = 1;
        if (static_cast<std::size_t>(type) >= typeDescs.size() || content < 0)
            return 0;
        const auto& defaults = typeDescs[static_cast<std::size_t>(type)].contentDefaults;
        return static_cast<std::size_t>(content) < defaults.size()
                   ? defaults[static_cast<std::size_t>(content)]
                   : 0;
    }
    if (!HasAddress(type, data, content))
        return -1;
    const auto& kind = types[static_cast<std::size_t>(type)];
    const std::int32_t code = kind.contentCodes[static_cast<std::size_t>(content)];
    if (code / 1000 == kStringKind)
        return 0;
    const auto& numbers = kind.records[static_cast<std::size_t>(data)].numbers;
    const int slot = SlotIn(numbers, code);
    const std::int32_t value = slot >= 0 ? numbers[static_cast<std::size_t>(slot)] : 0;
    if (out != nullptr)
        *out = value;
    return value;
}

std::string DataBase::ReadDBString(int type, int data, int content, std::string* out) {
    if (type >= GetDBTypeCount()) {
        ShowErrorBox(kStringTypeError, "", "");
        DBReadError = 1;
        return kErrorText;
    }
    if (data >= GetDBDataCount(type)) {
        ShowErrorBox(kStringDataError, GetProcessingPointText(), "");
        DBReadError = 1;
        return kErrorText;
    }
    const int content_count = GetDBContentCount(type);
    if (content >= content_count) {
        ShowErrorBox(kStringContentError,
                     FormatText(kStringContentDetail, type, data, content, content_count),
                     GetProcessingPointText());
        DBReadError = 1;
        return kErrorText;
    }
    if (!HasAddress(type, data, content))
        return kErrorText;
    const auto& kind = types[static_cast<std::size_t>(type)];
    const std::int32_t code = kind.contentCodes[static_cast<std::size_t>(content)];
    const auto& strings = kind.records[static_cast<std::size_t>(data)].strings;
    const int slot = SlotIn(strings, code);
    if (code / 1000 != kStringKind || slot < 0)
        return kErrorText;
    if (out != nullptr)
        *out = strings[static_cast<std::size_t>(slot)];
    return strings[static_cast<std::size_t>(slot)];
}

std::int32_t* DataBase::GetDBValuePointer(int type, int data, int content, int wantValue) {
    if (!HasAddress(type, data, content))
        return nullptr;
    auto& kind = types[static_cast<std::size_t>(type)];
    std::int32_t& code = kind.contentCodes[static_cast<std::size_t>(content)];
    if (wantValue == 0)
        return &code;
    auto& numbers = kind.records[static_cast<std::size_t>(data)].numbers;
    const int slot = SlotIn(numbers, code);
    if (code / 1000 != kNumberKind || slot < 0)
        return nullptr;
    return &numbers[static_cast<std::size_t>(slot)];
}

bool DataBase::WriteDBValue(int type, int data, int content, std::int32_t value) {
    std::int32_t* cell = GetDBValuePointer(type, data, content, 1);
    if (cell == nullptr)
        return false;
    *cell = value;
    return true;
}

bool DataBase::WriteDBString(int type, int data, int content, const std::string& value) {
    if (!HasAddress(type, data, content))
        return false;
    auto& kind = types[static_cast<std::size_t>(type)];
    const std::int32_t code = kind.contentCodes[static_cast<std::size_t>(content)];
    auto& strings = kind.records[static_cast<std::size_t>(data)].strings;
    const int slot = SlotIn(strings, code);
    if (code / 1000 != kStringKind || slot < 0)
        return false;
    strings[static_cast<std::size_t>(slot)] = value;
    return true;
}

}  // namespace game
