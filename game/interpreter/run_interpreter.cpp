#include "game/interpreter/run_interpreter.h"

#include <algorithm>
#include <string>

#include "game/core/database.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/play_settings.h"
#include "game/core/processing_point.h"
#include "game/core/screen_state.h"
#include "game/core/shift_jis_byte_kind.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter_texts.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kTextInputCancelled = 2;
constexpr int kTextInputTyping = 0;
// Frames an interpreter pauses after its step report.
constexpr int kPauseAfterReport = 5;
// The typed text is read into this many bytes, the terminator included.
constexpr int kTypedTextBytes = 256;

bool AnyForcedRoute() {
    if (TheParty.forcedRoute != 0)
        return true;
    const auto forced = [](const MapCharacter& character) { return character.forcedRoute != 0; };
    return std::any_of(TheParty.members.begin(), TheParty.members.end(), forced) ||
           std::any_of(TheMapState.eventCharacters.begin(), TheMapState.eventCharacters.end(),
                       forced);
}

void CollectTextInput(EventInterpreter& interpreter) {
    const int handle = interpreter.textInputHandle;
    const int state = layer::GetTextInputState(handle);
    if (state == kTextInputTyping)
        return;
    TheScreenState.StringInputActive = 0;
    std::string typed;
    if (state != kTextInputCancelled) {
        char buffer[kTypedTextBytes] = {};
        layer::GetTextInputString(buffer, kTypedTextBytes, handle);
        typed.assign(buffer, std::find(buffer, buffer + kTypedTextBytes - 1, '\0'));
    }
    layer::DeleteTextInput(handle);
    interpreter.textInputHandle = 0;
    FinishTextEntry(interpreter, state == kTextInputCancelled, typed);
}

enum class Pass { kGoOn, kStop };

// The checks before a dispatch, in their order; kStop ends the run for this frame.
Pass WaitOrPick(EventInterpreter& interpreter) {
    if (!interpreter.children.empty()) {
        RunInterpreter(interpreter.children.front());
        if (SaveLoadedThisFrame != 0)
            return Pass::kStop;
        if (!interpreter.children.front().IsInterpreterRunning())
            interpreter.children.erase(interpreter.children.begin());
        if (!interpreter.children.empty())
            return Pass::kStop;
    }
    if (interpreter.textInputHandle != 0) {
        CollectTextInput(interpreter);
        if (interpreter.textInputHandle != 0)
            return Pass::kStop;
    }
    if (interpreter.messageWait)
        return Pass::kStop;
    if (TheScreenState.TransitionRunning != 0 && TheScreenState.transitionHold != 0)
        return Pass::kStop;
    if (interpreter.moveWait) {
        if (AnyForcedRoute())
            return Pass::kStop;
        interpreter.moveWait = false;
    }
    if (TheScreenState.scrollWait != 0) {
        if (TheMapState.IsViewScrolling())
            return Pass::kStop;
        TheScreenState.scrollWait = 0;
    }
    if (interpreter.keyWait) {
        EvaluateKeyInput(interpreter);
        return Pass::kStop;
    }
    if (interpreter.waitFrames > 0) {
        interpreter.waitFrames -= FramesPerUpdate;
        return Pass::kStop;
    }
    if (TheScreenState.SceneNumber == 0)
        return Pass::kStop;
    if (!interpreter.IsInterpreterRunning()) {
        if (interpreter.autoPick && interpreter.slot == 0)
            interpreter.PickNextEvent();
        if (!interpreter.IsInterpreterRunning())
            return Pass::kStop;
    }
    return Pass::kGoOn;
}

}  // namespace

std::uint8_t SaveLoadedThisFrame = 0;

// The count starts at every run, a child's own included, and goes on across the events the
// main interpreter picks, so an event that restarts at once still reaches the report.
void RunInterpreter(EventInterpreter& interpreter) {
    if (SaveLoadedThisFrame != 0)
        return;
    interpreter.commandsThisFrame = 0;
    for (;;) {
        if (++interpreter.commandsThisFrame > kCommandsPerFrame) {
            interpreter.commandsThisFrame = 0;
            ShowErrorBox(FormatText(kStepLimitReport, interpreter.eventNumber,
                                    interpreter.commonNumber, interpreter.line),
                         "", "");
            interpreter.waitFrames = kPauseAfterReport;
        }
        if (WaitOrPick(interpreter) == Pass::kStop)
            return;
        TheProcessingPoint = {interpreter.eventNumber, interpreter.commonNumber, interpreter.line};
        TheMapState.pageRefreshRequest = 1;
        if (DispatchCommands(interpreter) == 0)
            return;
        if (TheScreenState.SceneNumber <= 0)
            return;
        if (DBReadError >= 1) {
            ShowErrorBox(FormatText(kDataBaseReadReport, interpreter.eventNumber,
                                    interpreter.commonNumber, interpreter.line),
                         "", "");
            DBReadError = 0;
        }
        if (SaveLoadedThisFrame != 0)
            return;
        ++interpreter.line;
    }
}

void FinishTextEntry(EventInterpreter& interpreter, bool cancelled, std::string_view typed) {
    if (cancelled) {
        TheMainInterpreter.TextInputState = -1;
        interpreter.StoreInterpreterString(interpreter.textTarget, interpreter.textBuffer);
        return;
    }
    TheMainInterpreter.TextInputState = 0;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        interpreter.textBuffer.push_back(typed[i]);
        if (typed[i] == '\\' && GetShiftJisByteKind(typed, i) == kSingleByte)
            interpreter.textBuffer.push_back('\\');
    }
    interpreter.StoreInterpreterString(interpreter.textTarget, interpreter.textBuffer);
}

}  // namespace game
