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
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

// "1フレームあたりの処理が500000個を越えました！ イベント%d (コモン%d) %d行"
constexpr char kStepLimitReport[] =
    "1\x83t\x83\x8C\x81[\x83\x80\x82\xA0\x82\xBD\x82\xE8\x82\xCC\x8F\x88\x97\x9D\x82\xAA"
    "500000\x8C\xC2\x82\xF0\x89z\x82\xA6\x82\xDC\x82\xB5\x82\xBD\x81I \x83"
    "C\x83x\x83\x93\x83g%d (\x83R\x83\x82\x83\x93%d) %d\x8Ds";
// "Ev%d Common%d Line%d DBの存在しない部分を読みに行こうとしました"
constexpr char kDataBaseReadReport[] =
    "Ev%d Common%d Line%d "
    "DB\x82\xCC\x91\xB6\x8D\xDD\x82\xB5\x82\xC8\x82\xA2\x95\x94\x95\xAA\x82\xF0\x93\xC7\x82\xDD\x82"
    "\xC9\x8Ds\x82\xB1\x82\xA4\x82\xC6\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

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
        layer::GetTextInputString(buffer, handle);
        typed.assign(buffer, std::find(buffer, buffer + kTypedTextBytes - 1, '\0'));
    }
    layer::DeleteTextInput(handle);
    interpreter.textInputHandle = 0;
    FinishTextEntry(interpreter, state == kTextInputCancelled, typed);
}

enum class Pass { kGoOn, kStop };

void RunFrameSteps(EventInterpreter& interpreter);

// The checks before a dispatch, in their order; kStop ends the run for this frame.
Pass WaitOrPick(EventInterpreter& interpreter) {
    if (!interpreter.children.empty()) {
        interpreter.children.front().commandsThisFrame = interpreter.commandsThisFrame;
        RunFrameSteps(interpreter.children.front());
        if (SaveLoadedThisFrame != 0)
            return Pass::kStop;
        interpreter.commandsThisFrame = interpreter.children.front().commandsThisFrame;
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

// The steps of one frame. The count goes on across the events the main interpreter picks and
// into the children it calls, so the cap bounds all the work of a frame; past the report the
// frame is spent and whatever comes here again stops at once.
void RunFrameSteps(EventInterpreter& interpreter) {
    for (;;) {
        if (++interpreter.commandsThisFrame > kCommandsPerFrame) {
            if (interpreter.commandsThisFrame > kCommandsPerFrame + 1)
                return;
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

}  // namespace

std::uint8_t SaveLoadedThisFrame = 0;

void RunInterpreter(EventInterpreter& interpreter) {
    if (SaveLoadedThisFrame != 0)
        return;
    interpreter.commandsThisFrame = 0;
    RunFrameSteps(interpreter);
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
