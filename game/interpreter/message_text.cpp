#include "game/interpreter/message_text.h"

#include "game/core/error_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/message_text_internal.h"

namespace game {
namespace {

// "＠後に数字だけでなく、文字が入っている可能性があります"
constexpr char kAtLineError[] =
    "\x81\x97\x8C\xE3\x82\xC9\x90\x94\x8E\x9A\x82\xBE\x82\xAF\x82\xC5\x82\xC8\x82\xAD\x81"
    "A\x95\xB6\x8E\x9A\x82\xAA\x93\xFC\x82\xC1\x82\xC4\x82\xA2\x82\xE9\x89\xC2\x94\\\x90\xAB\x82"
    "\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7";

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
