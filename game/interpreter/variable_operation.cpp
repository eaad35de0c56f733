#include "game/interpreter/variable_operation.h"

#include <algorithm>
#include <optional>
#include <string>

#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/message_text_internal.h"
#include "game/interpreter/variable_arithmetic.h"
#include "game/interpreter/variable_operation_texts.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr std::int32_t kChangeableDataBaseTarget = 1100000000;
constexpr std::int32_t kLowestVariableId = 1000000;

enum Option : std::int32_t {
    kSixDigits = 1 << 0,
    kReal = 1 << 1,
    kLiteralA = 1 << 2,
    kLiteralB = 1 << 3,
    kIndirectTarget = 1 << 4,
    kIndirectA = 1 << 5,
    kIndirectB = 1 << 6,
    kRange = 1 << 16,
};

// The leading decimal number of a text, 0 without digits.
std::int32_t TextNumber(const std::string& text) {
    return ReadTextNumber(text, 0, [&](std::size_t i) { return text[i] == '\0'; });
}

std::int32_t Wrapped(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// Plain variables, the most common operands, are told apart without classifying.
bool HoldsNumber(std::int32_t id) {
    return VariableStore::IsPlainVariableId(id) || IsNumberVariableId(id);
}

// The value an ID holds: its number, or the number a text starts with.
std::int32_t ValueOf(EventInterpreter& interpreter, std::int32_t id) {
    if (id < kLowestVariableId)
        return id;
    if (HoldsNumber(id))
        return interpreter.ReadInterpreterValue(id);
    return TextNumber(interpreter.ReadInterpreterString(id));
}

std::int32_t Operand(EventInterpreter& interpreter, std::int32_t argument, bool literal) {
    return literal ? argument : ValueOf(interpreter, argument);
}

void ReportIndirect(const EventInterpreter& interpreter, const char* format, std::int32_t id) {
    ShowErrorBox(
        FormatText(format, interpreter.eventNumber, interpreter.commonNumber, interpreter.line, id),
        "", "");
}

// Stores the expansion of a string variable into a string target; ends the command.
void StoreStringResult(EventInterpreter& interpreter, const EventCommand& line,
                       std::int32_t destination) {
    const std::int32_t options = Arg(line, 4);
    const int assignment = (options >> 8) & 15;
    const int calculation = (options >> 12) & 15;
    std::string result =
        assignment == 1 ? interpreter.ReadInterpreterString(destination) : std::string();
    std::int32_t a = Arg(line, 2);
    std::int32_t b = Arg(line, 3);
    if ((options & kIndirectA) != 0)
        a = interpreter.ReadInterpreterValue(a);
    if ((options & kIndirectB) != 0)
        b = interpreter.ReadInterpreterValue(b);
    if (a != 0 && (IsNumberVariableId(a) || (options & kLiteralA) != 0)) {
        ShowErrorBox(kStringTargetReport1, kStringTargetReport2, GetProcessingPointText());
        return;
    }
    std::string source;
    if (calculation == 0 && b != 0) {
        source = interpreter.ReadInterpreterString(b);
        if (source == "<<ERROR>>")
            source.clear();
    }
    MessageTextOptions expansion;
    expansion.atLine = true;
    result += ExpandMessageText(source, interpreter.eventNumber, interpreter.commonNumber,
                                interpreter.mapId, expansion);
    interpreter.StoreInterpreterString(destination, result);
}

// One target of the general path; false ends the command.
bool OperateOnTarget(EventInterpreter& interpreter, const EventCommand& line, std::int32_t i) {
    const std::int32_t options = Arg(line, 4);
    const bool dataBaseTarget = Arg(line, 1) == kChangeableDataBaseTarget;
    const std::int32_t source =
        dataBaseTarget
            ? Wrapped(static_cast<std::int64_t>(interpreter.ReadInterpreterValue(Arg(line, 5))) *
                          1000000 +
                      static_cast<std::int64_t>(interpreter.ReadInterpreterValue(Arg(line, 6))) *
                          100 +
                      interpreter.ReadInterpreterValue(Arg(line, 7)) + kChangeableDataBaseTarget)
            : Wrapped(static_cast<std::int64_t>(Arg(line, 1)) + i);
    std::int32_t target = source;
    if ((options & kIndirectTarget) != 0)
        target = interpreter.ReadInterpreterValue(target);
    if (!HoldsNumber(target)) {
        StoreStringResult(interpreter, line, target);
        return false;
    }
    std::int32_t present = interpreter.ReadInterpreterValue(source);
    VariableOperands operands{Operand(interpreter, Arg(line, 2), (options & kLiteralA) != 0),
                              Operand(interpreter, Arg(line, 3), (options & kLiteralB) != 0)};
    if ((options & kIndirectA) != 0) {
        if (operands.a < kLowestVariableId) {
            ReportIndirect(interpreter, kLeftIndirectReport, operands.a);
            return false;
        }
        operands.a = ValueOf(interpreter, operands.a);
    }
    if ((options & kIndirectB) != 0) {
        if (operands.b < kLowestVariableId) {
            ReportIndirect(interpreter, kRightIndirectReport, operands.b);
            return false;
        }
        operands.b = ValueOf(interpreter, operands.b);
    }
    std::int32_t destination = target;
    if ((options & kIndirectTarget) != 0) {
        if (present < kLowestVariableId) {
            ReportIndirect(interpreter, kTargetIndirectReport, present);
            return false;
        }
        destination = present;
        present = interpreter.ReadInterpreterValue(destination);
    }
    TheMapState.pageRefreshRequest = 1;

    const int assignment = (options >> 8) & 15;
    const int calculation = (options >> 12) & 15;
    std::optional<std::int32_t> value;
    if ((options & kReal) != 0) {
        const double r = CalculateReal(calculation, operands);
        value = AssignReal(assignment, present, r, operands);
    } else {
        const std::int32_t r = CalculateInteger(calculation, operands);
        value = AssignInteger(assignment, present, r, operands);
    }
    if (!value)
        return true;
    if (assignment != 9)
        value = ClampToSixDigits((options & kSixDigits) != 0, *value);
    interpreter.StoreInterpreterValue(destination, *value);
    return true;
}

// The shortened path of a prepared command: its cells are read and written directly.
void OperateOnCells(const EventCommand& line) {
    std::int32_t* target = PreparedCell(line, 0);
    const std::int32_t* a = PreparedCell(line, 1);
    const std::int32_t* b = PreparedCell(line, 2);
    if (target == nullptr || a == nullptr || b == nullptr)
        return;
    const int assignment = PreparedInt(line, 1);
    const std::int32_t r =
        PreparedInt(line, 0) == 2 ? *a : CalculateWrapped(PreparedInt(line, 2), *a, *b);
    if (const std::optional<std::int32_t> value = AssignWrapped(assignment, *target, r, *a, *b))
        *target = *value;
}

}  // namespace

std::uint8_t VariableOperation(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t form = PreparedInt(line, 0);
    if (!line.preparedInts.empty() && (form == 1 || form == 2)) {
        OperateOnCells(line);
        return 1;
    }
    const std::int32_t options = Arg(line, 4);
    const std::int32_t last = (options & kRange) != 0 ? std::max(Arg(line, 5), 0) : 0;
    for (std::int64_t i = 0; i <= last; ++i) {
        if (!OperateOnTarget(interpreter, line, static_cast<std::int32_t>(i)))
            break;
    }
    return 1;
}

}  // namespace game
