#include "game/interpreter/message_text.h"

#include "game/core/error_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/message_text_internal.h"
#include "game/interpreter/message_text_texts.h"

namespace game {
namespace {

// System variable 0, which receives the number of an "@" line.
constexpr std::int32_t kAtLineTarget = 9000000;
// More characters than this between "@" and the line feed are not a number.
constexpr std::size_t kAtLineDigits = 9;

}  // namespace

void TakeAtLine(std::string& text) {
    if (text.empty() || text[0] != '@')
        return;
    const std::size_t line_feed = text.find('\n');
    if (line_feed == std::string::npos) {
        text.erase(0, 1);
        return;
    }
    std::int32_t value = 0;
    if (line_feed - 1 > kAtLineDigits)
        ShowErrorBox(kAtLineError, "", "");
    else
        value = ReadTextNumber(text, 1, [](std::size_t) { return false; });
    TheVariableStore.StoreValueById(kAtLineTarget, value);
    text.erase(0, line_feed + 1);
}

std::string ExpandMessageText(std::string text, int eventNumber, int commonNumber, int mapId,
                              const MessageTextOptions& options) {
    if (options.atLine)
        TakeAtLine(text);
    if (options.wrap)
        text = options.prefix + text + options.suffix;
    SubstituteReferences(text, eventNumber, commonNumber, mapId);
    if (options.substitutionsOnly)
        return text;
    return ConvertEscapes(text);
}

}  // namespace game
