// The message and choice commands: they expand their texts, hand them to the windows and
// leave the interpreter waiting until a window releases it.
#include <algorithm>

#include "game/core/screen_state.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/message_text.h"
#include "game/interpreter/window_links.h"

namespace game {
namespace {

constexpr std::int32_t kOfferChoicesCode = 102;
// A choice shows at most this many items.
constexpr std::size_t kMaxChoiceItems = 10;

bool WindowBusy() {
    return !TheScreenState.messageText.empty() || !TheScreenState.choiceText.empty();
}

std::string Expand(const EventInterpreter& interpreter, const std::string& text,
                   const MessageTextOptions& options) {
    return ExpandMessageText(text, interpreter.eventNumber, interpreter.commonNumber,
                             interpreter.mapId, options);
}

}  // namespace

void ShowMessageText(EventInterpreter& interpreter, const std::string& text) {
    interpreter.messageWait = true;
    LinkMessageWindow(TheScreenState, 1, &interpreter);
    TheScreenState.messageText = text;
}

bool OpenMessageOrChoice(EventInterpreter& interpreter, EventCommand command) {
    ScreenState& screen = TheScreenState;
    const std::int32_t options = Arg(command, 1);
    screen.choiceCount = options & 15;
    screen.choiceCloseNow = 0;
    for (std::string& item : screen.systemStrings)
        item.clear();
    bool all_empty = true;
    const std::size_t items = std::min(command.strings.size(), kMaxChoiceItems);
    for (std::size_t j = 0; j < items; ++j) {
        MessageTextOptions item_options;
        item_options.atLine = true;
        const std::string item = Expand(interpreter, command.strings[j], item_options);
        screen.choiceText += item + "\n";
        screen.systemStrings[j] = item;
        all_empty = all_empty && item.empty();
    }
    interpreter.messageWait = true;
    const int cancel = (options >> 4) & 15;
    screen.choiceCancelValue = cancel - 2;
    screen.choiceOptions = (options >> 8) & 15;
    LinkChoiceWindow(screen, command.indent, &interpreter);
    if (!all_empty)
        return true;
    // Nothing to show: the choice closes at once with its cancel value.
    screen.choiceCloseNow = 1;
    screen.messageHold = 0;
    screen.choiceText.clear();
    ReturnChoiceResult(screen, cancel);
    return false;
}

std::uint8_t DisplayMessage(EventInterpreter& interpreter) {
    if (WindowBusy())
        return 0;
    ScreenState& screen = TheScreenState;
    MessageTextOptions options;
    options.wrap = true;
    options.atLine = true;
    options.prefix = TheMainInterpreter.MessageExtraTextA;
    options.suffix = TheMainInterpreter.MessageExtraTextB;
    std::string text = Expand(interpreter, Str(interpreter.CurrentLine(), 0), options);
    if (text.empty())
        text.push_back(' ');  // an empty message still opens the window
    ShowMessageText(interpreter, text);
    screen.lastMessageText = text;
    screen.messageTextCopy.clear();
    screen.messageHold = 0;
    // A choice right after the message is shown with it in the same step.
    const EventCommand next = interpreter.LineAt(interpreter.line + 1);
    if (Arg(next, 0) == kOfferChoicesCode) {
        ++interpreter.line;
        screen.messageSetting = 0;
        screen.messageOpen = 1;
        screen.messageActive = 0;
        if (!OpenMessageOrChoice(interpreter, next))
            screen.messageOpen = 0;
    }
    return 1;
}

std::uint8_t OfferChoices(EventInterpreter& interpreter) {
    if (WindowBusy())
        return 0;
    TheScreenState.messageSetting = 0;
    TheScreenState.messageOpen = 0;
    TheScreenState.messageActive = 0;
    OpenMessageOrChoice(interpreter, interpreter.CurrentLine());
    return 1;
}

std::uint8_t SetChoiceCloseFlag(EventInterpreter&) {
    TheScreenState.choiceCloseNow = 1;
    return 1;
}

std::uint8_t SetMessageHoldFlag(EventInterpreter&) {
    TheScreenState.messageHold = 1;
    return 1;
}

}  // namespace game
