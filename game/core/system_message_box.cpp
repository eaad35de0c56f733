#include "game/core/system_message_box.h"

#include <string>

#include "game/core/format_text.h"
#include "game/core/system_message_box_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

MessageBoxResult LayerMessageBox(std::string_view text, std::string_view caption,
                                 MessageBoxButtons buttons) {
    const int answer =
        layer::ShowModalMessageBox(std::string(text).c_str(), std::string(caption).c_str(),
                                   buttons == MessageBoxButtons::kOkCancel);
    return answer == layer::kMessageBoxOk ? MessageBoxResult::kOk : MessageBoxResult::kCancel;
}

MessageBoxSink current_sink = &LayerMessageBox;

}  // namespace

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
    const MessageBoxSink previous = current_sink;
    current_sink = sink != nullptr ? sink : &LayerMessageBox;
    return previous;
}

MessageBoxResult ShowSystemMessageBox(std::string_view text, std::string_view caption,
                                      MessageBoxButtons buttons) {
    return current_sink(text, caption, buttons);
}

void ShowDebugBox(std::string_view text, int a, int b) {
    ShowSystemMessageBox(FormatText("%s %d %d", std::string(text).c_str(), a, b), kDebugBoxCaption);
}

void WriteConsoleLine(std::string_view text) {
    layer::PrintConsoleText((std::string(text) + "\n").c_str());
}

}  // namespace game
