// Bytes as the current map's save block, read in the layouts of three save versions: a
// block that does not fit leaves the read-past-end flag set.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/core/save_buffer.h"
#include "game/map/map_state.h"
#include "game/map/map_state_save.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::uint16_t version : {99, 104, 111}) {
        game::SaveBuffer save(std::vector<std::uint8_t>(data, data + size));
        save.set_version(version);
        game::MapState mapState;
        if (!game::ReadMapState(save, mapState, false) && save.position() > save.end())
            std::abort();
    }
    return 0;
}
