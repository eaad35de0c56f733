// Bytes as a map character's save block: a block that does not fit leaves the read-past-end
// flag set, and no count or length allocates beyond the block.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/core/save_buffer.h"
#include "game/map/map_character.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::SaveBuffer save(std::vector<std::uint8_t>(data, data + size));
    game::MapCharacter character;
    if (!game::ReadMapCharacter(save, character) && save.position() > save.end())
        std::abort();
    return 0;
}
