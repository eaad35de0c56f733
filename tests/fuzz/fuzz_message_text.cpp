// A flag byte, then bytes as the text of a message: expanded, then its codes reverted.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/core/error_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/message_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    game::SetErrorBoxSink([](std::string_view, std::string_view, std::string_view) {});
    game::TheVariableStore.stringVariables = {"\\v[0]\\E", "\\s[2]x", "\x95\\"};
    game::TheVariableStore.variableSets = {{-7, 12345}};
    const game::MessageTextOptions options{.substitutionsOnly = (data[0] & 1) != 0,
                                           .wrap = (data[0] & 2) != 0,
                                           .atLine = (data[0] & 4) != 0,
                                           .prefix = "\\c[",
                                           .suffix = "]"};
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string coded = game::ExpandMessageText(text, data[0] >> 4, 0, 0, options);
    const std::string reverted = game::RevertControlCodes(coded);
    if (reverted.size() < coded.size())
        std::abort();  // every reverted pair grows or keeps its size
    game::SplitMessagePage(0, reverted);
    game::DoubleBackslashes(reverted);
    return 0;
}
