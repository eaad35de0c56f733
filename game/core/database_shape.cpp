#include <algorithm>

#include "game/core/database.h"
#include "game/core/database_shape_texts.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"

namespace game {
namespace {

constexpr int kNumberKind = 1;
constexpr int kStringKind = 2;

struct SlotCounts {
    std::size_t numbers = 0;
    std::size_t strings = 0;
};

SlotCounts CountSlots(const DataBaseType& type) {
    SlotCounts counts;
    for (std::int32_t code : type.contentCodes) {
        counts.numbers += code / 1000 == kNumberKind;
        counts.strings += code / 1000 == kStringKind;
    }
    return counts;
}

std::int32_t DefaultOf(const DataBase& db, int type, std::size_t content) {
    if (static_cast<std::size_t>(type) >= db.typeDescs.size())
        return 0;
    const auto& defaults = db.typeDescs[static_cast<std::size_t>(type)].contentDefaults;
    return content < defaults.size() ? defaults[content] : 0;
}

}  // namespace

void DataBase::ResizeDBDataList(int type, int n) {
    if (type >= GetDBTypeCount()) {
        ShowErrorBox(FormatText(kResizeTypeError, type), GetProcessingPointText(), "");
        return;
    }
    if (type < 0 || n < 0)
        return;
    auto& kind = types[static_cast<std::size_t>(type)];
    const auto old_count = kind.records.size();
    const auto new_count = static_cast<std::size_t>(n);
    DataBaseTypeDesc* desc = static_cast<std::size_t>(type) < typeDescs.size()
                                 ? &typeDescs[static_cast<std::size_t>(type)]
                                 : nullptr;
    if (old_count < new_count) {
        kind.records.resize(new_count);
        if (keepDataNames != 0 && desc != nullptr)
            desc->dataNames.resize(desc->dataNames.size() + (new_count - old_count));
    } else {
        kind.records.resize(new_count);
        if (keepDataNames != 0 && desc != nullptr)
            desc->dataNames.resize(new_count);
    }
    const SlotCounts counts = CountSlots(kind);
    for (auto& record : kind.records) {
        record.numbers.resize(counts.numbers, 0);
        record.strings.resize(counts.strings);
    }
    for (std::size_t data = old_count; data < new_count; ++data) {
        for (std::size_t content = 0; content < kind.contentCodes.size(); ++content) {
            if (kind.contentCodes[content] / 1000 == kNumberKind)
                WriteDBValue(type, static_cast<int>(data), static_cast<int>(content),
                             DefaultOf(*this, type, content));
        }
    }
}

void DataBase::ResetDBRecord(int type, int data) {
    if (type >= GetDBTypeCount()) {
        ShowErrorBox(FormatText(kResetTypeError, type), "", "");
        return;
    }
    if (type < 0 || data < 0 ||
        data >= static_cast<int>(types[static_cast<std::size_t>(type)].records.size()))
        return;
    auto& kind = types[static_cast<std::size_t>(type)];
    auto& record = kind.records[static_cast<std::size_t>(data)];
    std::fill(record.numbers.begin(), record.numbers.end(), 0);
    std::fill(record.strings.begin(), record.strings.end(), std::string());
    const bool has_desc = static_cast<std::size_t>(type) < typeDescs.size();
    for (std::size_t content = 0; content < kind.contentCodes.size(); ++content) {
        if (kind.contentCodes[content] / 1000 == kNumberKind && has_desc &&
            content < typeDescs[static_cast<std::size_t>(type)].contentDefaults.size())
            WriteDBValue(type, data, static_cast<int>(content), DefaultOf(*this, type, content));
    }
}

}  // namespace game
