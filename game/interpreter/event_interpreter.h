#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/event_records.h"

namespace game {

class DataBase;

// Which command list an interpreter runs: none, its own copy, or a common event's list run
// in place. Resolved at every use, so a common event that vanished from a reloaded list, or
// a line past the end, reads as the end line.
struct CommandListRef {
    enum class Kind : std::uint8_t { kNone, kOwn, kCommon };

    static CommandListRef None() { return {}; }
    static CommandListRef Own() { return {Kind::kOwn, 0}; }
    static CommandListRef Common(int index) { return {Kind::kCommon, index}; }

    Kind kind = Kind::kNone;
    int commonIndex = 0;
};

// The line read past a list's end and for an idle interpreter: code -1.
const EventCommand& EndCommandLine();

// Runs one event command list line by line. Interpreters are plain values owned by their
// holder: the main interpreter, every map event's page, every parallel common event, and
// the child of a called event.
class EventInterpreter {
  public:
    static constexpr int kBranchLevels = 50;
    // A branch result meaning that a case of the block was taken or the block is closed.
    static constexpr int kBranchTaken = -100;
    // The highest nesting slot; a deeper set-up ends the program.
    static constexpr int kMaxSlot = 100;

    EventInterpreter() = default;
    EventInterpreter(const EventInterpreter&) = default;
    EventInterpreter& operator=(const EventInterpreter&) = default;
    // Removes the message and choice windows' links to this interpreter.
    ~EventInterpreter();

    // Stores the slot and the automatic choice (which copies the automatic common events),
    // then resets.
    void SetUpInterpreter(int slot, bool autoPick);
    // Clears the run state; the slot, automatic choice, line, own commands, automatic events
    // and key-input text stay.
    void ResetInterpreter();
    // Starts on a list at line 0, on the current map.
    void StartInterpreter(CommandListRef commands, int eventNumber, int commonNumber);
    // The main interpreter's choice of its next event: a reserved common event, the first
    // map event asked to run, then the first automatic common event whose condition holds.
    void PickNextEvent();
    bool IsInterpreterRunning() const { return commandList.kind != CommandListRef::Kind::kNone; }

    // The list being run, or null when idle or when its common event no longer exists: the
    // list held for the dispatcher's run of lines, else resolved anew.
    const std::vector<EventCommand>* CommandList() const {
        return heldCommands.list != nullptr ? heldCommands.list : ResolveCommandList();
    }
    const std::vector<EventCommand>* ResolveCommandList() const;
    // The line at index; the end line where there is none.
    const EventCommand& LineAt(int index) const {
        const std::vector<EventCommand>* list = CommandList();
        if (list == nullptr || index < 0 || static_cast<std::size_t>(index) >= list->size())
            return EndCommandLine();
        return (*list)[static_cast<std::size_t>(index)];
    }
    const EventCommand& CurrentLine() const { return LineAt(line); }

    // Every handler's way to the variables: IDs of the running event's own self variables
    // and data are rewritten, and the map override is set to the event's map first.
    std::int32_t ReadInterpreterValue(std::int32_t id);
    void StoreInterpreterValue(std::int32_t id, std::int32_t value);
    std::string ReadInterpreterString(std::int32_t id, DataBase* database = nullptr);
    void StoreInterpreterString(std::int32_t id, const std::string& text);

    // The branch result of an indent level; levels outside 0 to 49 read 0 and drop writes.
    int BranchResult(int indent) const;
    void SetBranchResult(int indent, int value);

    bool autoPick = false;
    // 0 for top-level interpreters; a common event's child gets its caller's slot + 1.
    int slot = 0;
    int line = 0;
    // Set while a message or choice this interpreter opened is shown.
    bool messageWait = false;
    bool moveWait = false;
    bool keyWait = false;
    int mapId = 0;
    int eventNumber = -1;
    int commonNumber = -1;
    // Frames left to wait, at 60 Hz.
    int waitFrames = 0;
    // The interpreter of a called event; at most one is used.
    std::vector<EventInterpreter> children;
    std::array<int, kBranchLevels> branchResults{};
    CommandListRef commandList;
    std::vector<EventCommand> ownCommands;
    // Copies of the automatic common events, taken at set-up with automatic choice on.
    std::vector<CommonEvent> automaticEvents;
    int calledCommon = 0;
    // Calls nested above this interpreter, of any kind; a call past the cap is not made.
    int callDepth = 0;
    // Indent and remaining passes of every open loop, innermost last; always the same length.
    std::vector<int> loopIndents;
    std::vector<int> loopCounts;
    int keyboardPollState = 0;
    int padPollState = 0;
    // The layer's key-input text while one runs, 0 otherwise; the string variable it fills
    // and the text kept when it started.
    int textInputHandle = 0;
    std::int32_t textTarget = 0;
    std::string textBuffer;
    // Steps counted in the current frame, limited per frame; kept when an event restarts.
    int commandsThisFrame = 0;
    int keyOption = 0;

    // The list resolved once for a run of continue-code lines, none of which changes the
    // list; the dispatcher sets it and drops it before a return code's handler. A copy or an
    // assignment never carries it.
    struct HeldCommandList {
        HeldCommandList() = default;
        HeldCommandList(const HeldCommandList&) {}
        HeldCommandList& operator=(const HeldCommandList&) {
            list = nullptr;
            return *this;
        }
        const std::vector<EventCommand>* list = nullptr;
    };
    HeldCommandList heldCommands;
};

// The start condition of an automatic or parallel common event.
bool TestAutoRunCondition(const CommonEvent& commonEvent);

// The comparisons of conditions and number branches: 0 >, 1 >=, 2 ==, 3 <=, 4 <, 5 !=,
// 6 all bits of right set in left; any other never holds.
bool CompareValues(int comparison, std::int32_t left, std::int32_t right);

// The clamps of the variable operation and variable-from-state commands.
std::int32_t ClampToBillions(std::int64_t value);
std::int32_t ClampToSixDigits(bool apply, std::int32_t value);

}  // namespace game
