#include "game/core/system_message_box.h"

#include <cstdio>

namespace game {
namespace {

// The layer has no message box entry for the game yet: the box is answered at once and its
// texts go to the console.
MessageBoxResult ConsoleMessageBox(std::string_view text, std::string_view caption,
                                   MessageBoxButtons) {
    WriteConsoleLine(caption);
    WriteConsoleLine(text);
    return MessageBoxResult::kOk;
}

MessageBoxSink current_sink = &ConsoleMessageBox;

}  // namespace

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
    const MessageBoxSink previous = current_sink;
    current_sink = sink != nullptr ? sink : &ConsoleMessageBox;
    return previous;
}

MessageBoxResult ShowSystemMessageBox(std::string_view text, std::string_view caption,
                                      MessageBoxButtons buttons) {
    return current_sink(text, caption, buttons);
}

void WriteConsoleLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace game
