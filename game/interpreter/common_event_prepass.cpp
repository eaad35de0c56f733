#include "game/interpreter/common_event_prepass.h"

#include <array>
#include <optional>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/database_name_maps.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/flow_commands.h"
#include "game/interpreter/label_scan.h"

namespace game {
namespace {

constexpr std::int32_t kFirstFastCode = 210000;
constexpr std::int32_t kVariableOperationCode = 121;
constexpr std::int32_t kLowestVariableId = 1000000;
constexpr std::int32_t kFirstDataBaseId = 1000000000;
constexpr std::int32_t kChangeableDataBaseId = 1100000000;

// 210000 + 10 x operator (0 to 3) + calculation (0 to 2).
bool IsFastCode(std::int32_t code) {
    const std::int32_t form = code - kFirstFastCode;
    return form >= 0 && form / 10 <= 3 && form % 10 <= 2;
}

struct Context {
    std::vector<EventCommand>& commands;
    int commonIndex;
    VariableStore& store;
};

// The address of a literal argument, or null when the line does not hold it.
std::int32_t* ArgumentCell(EventCommand& line, std::size_t index) {
    return index < line.args.size() ? &line.args[index] : nullptr;
}

// A literal operand points at its own argument, a variable at its cell.
std::int32_t* OperandCell(Context& context, EventCommand& line, std::size_t index, bool literal) {
    return literal ? ArgumentCell(line, index)
                   : context.store.GetVariablePointer(Arg(line, index), context.commonIndex);
}

void Unprepare(EventCommand& line) {
    line.preparedInts.clear();
    line.preparedPointers.clear();
}

// The first line after `from` on the indent, or -1.
int NextLineAt(const Context& context, int from, int indent) {
    for (int l = from + 1; l < static_cast<int>(context.commands.size()); ++l) {
        if (context.commands[static_cast<std::size_t>(l)].indent == indent)
            return l;
    }
    return -1;
}

int EarlierLineAt(const Context& context, int from, int indent) {
    for (int l = from - 1; l >= 0; --l) {
        if (context.commands[static_cast<std::size_t>(l)].indent == indent)
            return l;
    }
    return -1;
}

// Number branch: cells of at most three conditions and the lines of its cases, else line and
// end. Only a branch with a case line per condition is prepared: a missing case would jump to
// line 0.
void PrepareNumberBranch(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    const int conditions = Arg(line, 1) & 15;
    if (conditions > 3)
        return;
    std::vector<std::int32_t> prepared(9, 0);
    std::vector<std::int32_t*> cells(2 * static_cast<std::size_t>(conditions), nullptr);
    prepared[1] = conditions;
    for (int k = 0; k < conditions; ++k) {
        const auto base = static_cast<std::size_t>(3 * k);
        const std::int32_t left = Arg(line, base + 2);
        const std::int32_t right = Arg(line, base + 3);
        const std::int32_t option = Arg(line, base + 4);
        if (left >= kChangeableDataBaseId)
            return;
        cells[2 * k] = context.store.GetVariablePointer(left, context.commonIndex);
        cells[2 * k + 1] =
            OperandCell(context, line, base + 3, (option & 0x10) != 0 || right < kLowestVariableId);
        if (cells[2 * k] == nullptr || cells[2 * k + 1] == nullptr)
            return;
        prepared[2 + k] = option & 15;
    }
    std::vector<int> cases;
    std::optional<int> elseLine;
    std::optional<int> end;
    for (int l = j + 1; l < static_cast<int>(context.commands.size()) && !end; ++l) {
        const EventCommand& candidate = context.commands[static_cast<std::size_t>(l)];
        if (candidate.indent != line.indent)
            continue;
        const std::int32_t code = Arg(candidate, 0);
        if (code == 401)
            cases.push_back(l);
        else if (code == 420 && !elseLine)
            elseLine = l;
        else if (code == 420)
            return;
        else if (code == 499)
            end = l;
    }
    if (!end || static_cast<int>(cases.size()) != conditions)
        return;
    for (int k = 0; k < conditions; ++k)
        prepared[5 + static_cast<std::size_t>(k)] = cases[static_cast<std::size_t>(k)];
    if (elseLine)
        cases.push_back(*elseLine);
    for (int l : cases)
        context.commands[static_cast<std::size_t>(l)].preparedInts = {2, *end};
    prepared[8] = elseLine ? *elseLine : *end;
    prepared[0] = 1;
    line.preparedInts = std::move(prepared);
    line.preparedPointers = std::move(cells);
}

void PrepareCaseLine(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    if (!line.preparedInts.empty())
        return;
    const int next = NextLineAt(context, j, line.indent);
    if (next >= 0)
        line.preparedInts = {1, next};
}

void PrepareLoopEnd(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    const int start = EarlierLineAt(context, j, line.indent);
    if (start >= 0)
        line.preparedInts = {1, start};
}

// Variable operation: three cells, its operator and calculation; the four simple operators
// on sums, differences and products become fast codes.
void PrepareVariableOperation(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    const std::int32_t target = Arg(line, 1);
    const std::int32_t left = Arg(line, 2);
    const std::int32_t right = Arg(line, 3);
    const std::int32_t options = Arg(line, 4);
    if (target == kChangeableDataBaseId || (options & 0x100FF) != 0 || !IsNumberVariableId(left) ||
        !IsNumberVariableId(right) || left >= kFirstDataBaseId || right >= kFirstDataBaseId)
        return;
    line.preparedInts.assign(8, 0);
    std::int32_t* cells[3] = {
        context.store.GetVariablePointer(target, context.commonIndex),
        OperandCell(context, line, 2, left < kLowestVariableId),
        OperandCell(context, line, 3, right < kLowestVariableId),
    };
    if (cells[0] == nullptr || cells[1] == nullptr || cells[2] == nullptr)
        return;
    line.preparedPointers.assign(std::begin(cells), std::end(cells));
    const int assignment = (options >> 8) & 15;
    const int calculation = (options >> 12) & 15;
    line.preparedInts[0] = calculation <= 1 && right == 0 ? 2 : 1;
    line.preparedInts[1] = assignment;
    line.preparedInts[2] = calculation;
    if (assignment <= 3 && calculation <= 2)
        line.args[0] = kFirstFastCode + 10 * assignment + calculation;
}

DataBase* DataBaseOf(int selector) {
    static constexpr std::array<DataBase*, 3> kDataBases{&CDataBase, &SysDataBase, &UserDataBase};
    return selector >= 0 && selector < 3 ? kDataBases[static_cast<std::size_t>(selector)] : nullptr;
}

// Replaces a name by its number in args[index] when the map holds it, clearing its bit.
void ResolveName(EventCommand& line, std::size_t index, std::int32_t bit,
                 const NameHandleMap& names) {
    if ((Arg(line, 4) & bit) == 0 || index >= line.strings.size() || index >= line.args.size())
        return;
    const auto found = names.find(line.strings[index]);
    if (found == names.end())
        return;
    line.args[index] = found->second;
    line.args[4] &= ~bit;
}

void ResolveDataBaseNames(EventCommand& line, int selector) {
    if ((Arg(line, 4) & 0x70000) == 0 || line.strings.size() < 2 || selector < 0 || selector > 2)
        return;
    const auto d = static_cast<std::size_t>(selector);
    ResolveName(line, 1, 0x10000, DBTypeNameMaps[d]);
    const std::int32_t type = Arg(line, 1);
    if (type >= kLowestVariableId || type < 0)
        return;
    const auto t = static_cast<std::size_t>(type);
    if (t < DBDataNameMaps[d].size())
        ResolveName(line, 2, 0x20000, DBDataNameMaps[d][t]);
    if (t < DBContentNameMaps[d].size())
        ResolveName(line, 3, 0x40000, DBContentNameMaps[d][t]);
}

// Database operation: names into numbers, then the cells of a plain number read or write.
// A read whose target is a literal is not prepared: its cell would be the command's own
// argument.
void PrepareDataBaseOperation(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    const std::int32_t options = Arg(line, 4);
    const int selector = (options >> 8) & 15;
    ResolveDataBaseNames(line, selector);
    DataBase* database = DataBaseOf(selector);
    if (database == nullptr)
        return;
    const std::int32_t type = Arg(line, 1);
    const std::int32_t data = Arg(line, 2);
    const std::int32_t content = Arg(line, 3);
    const std::int32_t operand = Arg(line, 5);
    const int direction = (options >> 12) & 15;
    if (!IsNumberVariableId(operand) || type >= kLowestVariableId || content >= kLowestVariableId ||
        (options & 15) != 0 || data < 0 || content < 0 || operand >= kFirstDataBaseId ||
        (direction == 1 && operand < kLowestVariableId))
        return;
    if (type < 0 || type >= database->GetDBTypeCount() ||
        content >= database->GetDBContentCount(type) ||
        database->GetDBContentKind(type, content) != 1)
        return;
    const auto t = static_cast<std::size_t>(type);
    if (t >= database->typeDescs.size() ||
        static_cast<std::size_t>(content) >= database->typeDescs[t].contentDefaults.size())
        return;
    std::int32_t* dataCell = OperandCell(context, line, 2, data < kLowestVariableId);
    std::int32_t* operandCell = OperandCell(context, line, 5, operand < kLowestVariableId);
    if (dataCell == nullptr || operandCell == nullptr)
        return;
    const std::int32_t code = database->types[t].contentCodes[static_cast<std::size_t>(content)];
    line.preparedInts = {1, code % 1000, (options >> 4) & 15, direction,
                         data < database->GetDBDataCount(type) ? 1 : 0};
    line.preparedPointers = {
        reinterpret_cast<std::int32_t*>(database), dataCell, operandCell,
        &database->typeDescs[t].contentDefaults[static_cast<std::size_t>(content)]};
}

// Label jump: the label line and the loop changes on the way, when the name is fixed.
void PrepareLabelJump(Context& context, int j) {
    EventCommand& line = context.commands[static_cast<std::size_t>(j)];
    const std::string& name = Str(line, 0);
    if (name.find('\\') != std::string::npos)
        return;
    const std::optional<LabelJump> jump = FindLabelJump(
        context.commands, j, [&](const EventCommand& label) { return Str(label, 0) == name; },
        NestingRule::kStrict);
    if (!jump)
        return;
    std::vector<std::int32_t> prepared{1, jump->target,
                                       static_cast<std::int32_t>(jump->changes.size())};
    for (const LoopStackChange& change : jump->changes) {
        prepared.push_back(change.leave ? -1 : change.indent);
        prepared.push_back(change.leave ? -1 : change.passes);
    }
    line.preparedInts = std::move(prepared);
}

using Preparation = void (*)(Context&, int);
struct PreparationEntry {
    std::int32_t code;
    Preparation prepare;
};
constexpr PreparationEntry kPreparations[] = {
    {111, PrepareNumberBranch},      {121, PrepareVariableOperation}, {213, PrepareLabelJump},
    {250, PrepareDataBaseOperation}, {401, PrepareCaseLine},          {420, PrepareCaseLine},
    {498, PrepareLoopEnd},
};

}  // namespace

void PrepareCommandList(std::vector<EventCommand>& commands, int commonIndex,
                        VariableStore& store) {
    for (EventCommand& line : commands) {
        Unprepare(line);
        const std::int32_t code = Arg(line, 0);
        if (IsFastCode(code))
            line.args[0] = kVariableOperationCode;
    }
    Context context{commands, commonIndex, store};
    for (int j = 0; j < static_cast<int>(commands.size()); ++j) {
        const std::int32_t code = Arg(commands[static_cast<std::size_t>(j)], 0);
        for (const PreparationEntry& entry : kPreparations) {
            if (entry.code == code)
                entry.prepare(context, j);
        }
    }
}

void LinkCommonEventCommands() {
    for (std::size_t i = 0; i < CommonEvents.events.size(); ++i)
        PrepareCommandList(CommonEvents.events[i].commands, static_cast<int>(i), TheVariableStore);
}

DataBase* PreparedDataBase(const EventCommand& line) {
    return line.preparedPointers.empty() ? nullptr
                                         : reinterpret_cast<DataBase*>(line.preparedPointers[0]);
}

}  // namespace game
