// A version byte, then bytes as the variable store's save block: a block that loads saves
// and loads again to the same store.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/core/save_buffer.h"
#include "game/core/variable_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    game::SaveBuffer buffer(std::vector<std::uint8_t>(data + 1, data + size));
    buffer.set_version(data[0] & 1 ? 110 : 111);
    game::VariableStore loaded(game::VariableStore::Contents::kEmpty);
    if (!loaded.LoadVariableStore(buffer, false))
        return 0;
    for (const std::string& text : loaded.stringVariables) {
        if (text.size() > 32000)
            return 0;  // saved cut, so not read back whole
    }
    game::SaveBuffer writer;
    loaded.SaveVariableStore(writer);
    game::SaveBuffer reader(writer.block());
    game::VariableStore again(game::VariableStore::Contents::kEmpty);
    if (!again.LoadVariableStore(reader, false) || again.selfVariables != loaded.selfVariables ||
        again.variableSets != loaded.variableSets ||
        again.stringVariables != loaded.stringVariables ||
        again.commonNumbers != loaded.commonNumbers || again.commonStrings != loaded.commonStrings)
        std::abort();
    return 0;
}
