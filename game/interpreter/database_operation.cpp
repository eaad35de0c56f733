#include "game/interpreter/database_operation.h"

#include <array>
#include <optional>
#include <string>

#include "game/core/database.h"
#include "game/core/database_name_maps.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/core/ring_string.h"
#include "game/core/variable_ids.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/common_event_prepass.h"
#include "game/interpreter/database_operation_texts.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/message_text.h"

namespace game {
namespace {

constexpr std::int32_t kChangeableBase = 1100000000;
// By the option word's database field: 0 changeable, 1 system, 2 user.
constexpr std::array<std::int32_t, 3> kBases{1100000000, 1300000000, 1000000000};
constexpr int kSystemSelector = 1;
// Literal data or content arguments selecting the special operations.
constexpr std::int32_t kCount = -1;
constexpr std::int32_t kReset = -2;
constexpr std::int32_t kName = -3;
// The spare sound records the system database's types 1 to 3 carry beyond those loaded.
constexpr int kSpareSoundRecords = 10;

enum Mode { kDirect = 0, kIndirect = 1, kText = 2 };

DataBase* SelectedDataBase(int selector) {
    static constexpr std::array<DataBase*, 3> kDataBases{&CDataBase, &SysDataBase, &UserDataBase};
    return selector >= 0 && selector < 3 ? kDataBases[static_cast<std::size_t>(selector)] : nullptr;
}

std::int32_t Wrapped(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// The number operators on 32-bit values that wrap; a zero divisor counts as 1.
using NumberOperator = std::int32_t (*)(std::int32_t v, std::int32_t x);
constexpr std::array<NumberOperator, 8> kNumberOperators{{
    [](std::int32_t, std::int32_t x) { return x; },
    [](std::int32_t v, std::int32_t x) { return Wrapped(static_cast<std::int64_t>(v) + x); },
    [](std::int32_t v, std::int32_t x) { return Wrapped(static_cast<std::int64_t>(v) - x); },
    [](std::int32_t v, std::int32_t x) { return Wrapped(static_cast<std::int64_t>(v) * x); },
    [](std::int32_t v, std::int32_t x) {
        return Wrapped(static_cast<std::int64_t>(v) / (x == 0 ? 1 : x));
    },
    [](std::int32_t v, std::int32_t x) {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(v) % (x == 0 ? 1 : x));
    },
    [](std::int32_t v, std::int32_t x) { return v > x ? v : x; },
    [](std::int32_t v, std::int32_t x) { return v < x ? v : x; },
}};

std::optional<std::int32_t> ApplyNumberOperator(int op, std::int32_t v, std::int32_t x) {
    if (op < 0 || op >= static_cast<int>(kNumberOperators.size()))
        return std::nullopt;
    return kNumberOperators[static_cast<std::size_t>(op)](v, x);
}

void Report(const std::string& line1, const std::string& line2, const std::string& line3) {
    ShowErrorBox(line1, line2, line3);
}

struct Operation {
    EventInterpreter& interpreter;
    const EventCommand& line;
    int mode;
    int op;
    int selector;
    int direction;
    std::int32_t type;
    std::int32_t data;
    std::int32_t content;

    std::int32_t Value(std::int32_t id) { return interpreter.ReadInterpreterValue(id); }
    std::string Text(std::int32_t id) { return interpreter.ReadInterpreterString(id); }

    void StoreNumber(std::int32_t id, std::int32_t x) {
        if (const std::optional<std::int32_t> result = ApplyNumberOperator(op, Value(id), x))
            interpreter.StoreInterpreterValue(id, *result);
    }
    // 0 stores the operand, 1 appends it to the present text, others store nothing.
    void StoreText(std::int32_t id, const std::string& operand) {
        if (op == 0)
            interpreter.StoreInterpreterString(id, operand);
        else if (op == 1)
            interpreter.StoreInterpreterString(id, Text(id) + operand);
    }
    // Reports every negative field; false when there was one.
    bool FieldsAreValid() const {
        const std::string point = GetProcessingPointText();
        if (type < 0)
            Report(kNegativeType, point, "");
        if (data < 0)
            Report(kNegativeData, point, "");
        if (content < 0)
            Report(kNegativeContent, point, "");
        return type >= 0 && data >= 0 && content >= 0;
    }
};

// Names into numbers through the selected database's name maps; false after a report.
bool ResolveNames(Operation& operation) {
    const EventCommand& line = operation.line;
    const std::int32_t options = Arg(line, 4);
    if ((options & 0x70000) == 0 || line.strings.size() < 4)
        return true;
    const bool known = operation.selector >= 0 && operation.selector < 3;
    const auto d = static_cast<std::size_t>(known ? operation.selector : 0);
    auto lookUp = [&](const std::vector<NameHandleMap>* maps, const NameHandleMap* map,
                      const std::string& name) -> std::optional<int> {
        if (!known)
            return std::nullopt;
        if (maps != nullptr) {
            if (operation.type < 0 || static_cast<std::size_t>(operation.type) >= maps->size())
                return std::nullopt;
            map = &(*maps)[static_cast<std::size_t>(operation.type)];
        }
        const auto found = map->find(name);
        return found != map->end() ? std::optional<int>(found->second) : std::nullopt;
    };
    const std::string point = GetProcessingPointText();
    if ((options & 0x10000) != 0) {
        const std::optional<int> type = lookUp(nullptr, &DBTypeNameMaps[d], line.strings[1]);
        if (!type) {
            Report(kTypeNameMissing, line.strings[1], point);
            return false;
        }
        operation.type = *type;
    }
    if ((options & 0x20000) != 0) {
        const std::optional<int> data = lookUp(&DBDataNameMaps[d], nullptr, line.strings[2]);
        if (!data) {
            Report(FormatText(kDataNameMissing, operation.type), line.strings[2], point);
            return false;
        }
        operation.data = *data;
    }
    if ((options & 0x40000) != 0) {
        const std::optional<int> content = lookUp(&DBContentNameMaps[d], nullptr, line.strings[3]);
        if (!content) {
            Report(FormatText(kContentNameMissing, operation.type, operation.data), line.strings[3],
                   point);
            return false;
        }
        operation.content = *content;
    }
    return true;
}

std::int32_t ContentId(std::int32_t base, const Operation& operation) {
    return Wrapped(static_cast<std::int64_t>(base) +
                   static_cast<std::int64_t>(operation.type) * 1000000 +
                   static_cast<std::int64_t>(operation.data) * 100 + operation.content);
}

// Resets every record of a type (data -2) or one record (content -2), always in the
// changeable database.
void ResetRecords(Operation& operation) {
    const std::int32_t type = operation.Value(Arg(operation.line, 1));
    if (Arg(operation.line, 2) == kReset) {
        const int count = CDataBase.GetDBDataCount(type);
        for (int data = 0; data < count; ++data)
            CDataBase.ResetDBRecord(type, data);
        return;
    }
    CDataBase.ResetDBRecord(type, operation.Value(Arg(operation.line, 2)));
}

// The text operand of mode 2: string argument 0 fully expanded for the running interpreter,
// a leading "@" line going to system variable 0.
std::string ExpandedOperand(const EventInterpreter& interpreter, const EventCommand& line) {
    MessageTextOptions options;
    options.atLine = true;
    return ExpandMessageText(Str(line, 0), interpreter.eventNumber, interpreter.commonNumber,
                             interpreter.mapId, options);
}

void Write(Operation& operation) {
    const EventCommand& line = operation.line;
    if (Arg(line, 2) == kReset || Arg(line, 3) == kReset) {
        ResetRecords(operation);
        return;
    }
    if (!operation.FieldsAreValid())
        return;
    const std::int32_t id = ContentId(kChangeableBase, operation);
    const bool numberContent = IsNumberVariableId(id);
    // The present value is read first: reading past the last record grows the changeable
    // database, whatever follows.
    if (numberContent)
        operation.Value(id);
    else
        operation.Text(id);
    const std::int32_t operand = Arg(line, 5);
    const std::string point = GetProcessingPointText();
    switch (operation.mode) {
        case kDirect:
            if (numberContent && !IsNumberVariableId(operand))
                Report(kWriteError1, point, "");
            else if (!numberContent && IsNumberVariableId(operand))
                Report(kWriteError2, point, IntToRingString(id));
            else if (numberContent)
                operation.StoreNumber(id, operation.Value(operand));
            else
                operation.StoreText(id, operation.Text(operand));
            return;
        case kIndirect: {
            const std::int32_t held = operation.Value(operand);
            if (numberContent && !IsNumberVariableId(held))
                Report(kWriteError35, FormatText(kWriteTarget, id), point);
            else if (!numberContent && IsNumberVariableId(held))
                Report(kWriteError4, point, "");
            else if (numberContent)
                operation.StoreNumber(id, operation.Value(held));
            else
                operation.StoreText(id, operation.Text(held));
            return;
        }
        case kText:
            if (numberContent) {
                Report(kWriteError5, point, "");
                return;
            }
            operation.StoreText(id, ExpandedOperand(operation.interpreter, line));
            return;
        default:
            return;
    }
}

// A data or content name into a text target.
void ReadName(Operation& operation, std::int32_t target, const char* report,
              const std::string& name) {
    if (IsNumberVariableId(target)) {
        Report(FormatText(report, target), GetProcessingPointText(), "");
        return;
    }
    operation.StoreText(target, name);
}

void Read(Operation& operation) {
    DataBase* database = SelectedDataBase(operation.selector);
    if (database == nullptr)
        return;
    const EventCommand& line = operation.line;
    const std::int32_t target =
        operation.mode == kIndirect ? operation.Value(Arg(line, 5)) : Arg(line, 5);
    std::int32_t x = 0;
    if (Arg(line, 3) == kName) {
        const std::int32_t type = operation.Value(Arg(line, 1));
        const std::int32_t data = operation.Value(Arg(line, 2));
        ReadName(operation, target, kReadError7Data, database->GetDBDataName(type, data));
        return;
    }
    if (Arg(line, 2) == kName) {
        const std::int32_t type = operation.Value(Arg(line, 1));
        const std::int32_t content = operation.Value(Arg(line, 3));
        ReadName(operation, target, kReadError7Content, database->GetDBContentName(type, content));
        return;
    }
    if (Arg(line, 2) == kCount || Arg(line, 3) == kCount) {
        const std::int32_t type = operation.Value(Arg(line, 1));
        const bool typeExists = type >= 0 && type < database->GetDBTypeCount();
        if (Arg(line, 2) == kCount) {
            x = database->GetDBDataCount(type);
            const std::int32_t literal = Arg(line, 1);
            if (operation.selector == kSystemSelector && literal >= 1 && literal <= 3 && x >= 0)
                x -= kSpareSoundRecords;
        } else {
            x = typeExists ? database->GetDBContentCount(type) : -1;
        }
    } else {
        if (!operation.FieldsAreValid())
            return;
        const std::int32_t id =
            ContentId(kBases[static_cast<std::size_t>(operation.selector)], operation);
        if (!IsNumberVariableId(id)) {
            if (IsNumberVariableId(target)) {
                Report(FormatText(kReadError7Text, id, target), GetProcessingPointText(), "");
                return;
            }
            operation.StoreText(target, operation.Text(id));
            return;
        }
        if (!IsNumberVariableId(target)) {
            Report(kReadError6, FormatText(kReadTargetSource, id, target),
                   GetProcessingPointText());
            return;
        }
        x = operation.Value(id);
    }
    operation.StoreNumber(target, x);
}

// The prepared path: the database and cells kept by the pre-pass, without the variable
// store.
void RunPrepared(const EventCommand& line) {
    DataBase* database = PreparedDataBase(line);
    const std::int32_t* dataCell = PreparedCell(line, 1);
    std::int32_t* operand = PreparedCell(line, 2);
    const std::int32_t* fallback = PreparedCell(line, 3);
    if (database == nullptr || dataCell == nullptr || operand == nullptr || fallback == nullptr)
        return;
    const std::int32_t data = *dataCell;
    if (data < 0) {
        Report(kNegativeData, GetProcessingPointText(), "");
        return;
    }
    const std::int32_t type = Arg(line, 1);
    const auto slot = static_cast<std::size_t>(PreparedInt(line, 1));
    const int op = PreparedInt(line, 2);
    auto numberSlot = [&]() -> std::int32_t* {
        if (type < 0 || static_cast<std::size_t>(type) >= database->types.size())
            return nullptr;
        auto& records = database->types[static_cast<std::size_t>(type)].records;
        if (static_cast<std::size_t>(data) >= records.size())
            return nullptr;
        auto& numbers = records[static_cast<std::size_t>(data)].numbers;
        return slot < numbers.size() ? &numbers[slot] : nullptr;
    };
    if (PreparedInt(line, 3) == 0) {
        if (data >= database->GetDBDataCount(type))
            database->ResizeDBDataList(type, data + 1);
        if (std::int32_t* cell = numberSlot()) {
            if (const std::optional<std::int32_t> result = ApplyNumberOperator(op, *cell, *operand))
                *cell = *result;
        }
        return;
    }
    const std::int32_t* cell = data < database->GetDBDataCount(type) ? numberSlot() : nullptr;
    const std::int32_t x = cell != nullptr ? *cell : *fallback;
    if (const std::optional<std::int32_t> result = ApplyNumberOperator(op, *operand, x))
        *operand = *result;
}

void RunGeneral(EventInterpreter& interpreter, const EventCommand& line) {
    const std::int32_t options = Arg(line, 4);
    Operation operation{interpreter,
                        line,
                        options & 15,
                        (options >> 4) & 15,
                        (options >> 8) & 15,
                        (options >> 12) & 15,
                        interpreter.ReadInterpreterValue(Arg(line, 1)),
                        interpreter.ReadInterpreterValue(Arg(line, 2)),
                        interpreter.ReadInterpreterValue(Arg(line, 3))};
    if (!ResolveNames(operation))
        return;
    if (operation.direction == 0)
        Write(operation);
    else if (operation.direction == 1)
        Read(operation);
}

}  // namespace

std::uint8_t DatabaseOperation(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    if (!line.preparedInts.empty())
        RunPrepared(line);
    else
        RunGeneral(interpreter, line);
    return 1;
}

}  // namespace game
