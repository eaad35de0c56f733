// QVARN_WRITE_FUZZ_SEEDS=1 writes the command-list fuzz target's seeds of the map-side
// commands into the source tree: each code with arguments at the edges of its ranges.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/core/data_file_buffer.h"
#include "game/core/event_record_io.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

using tools::CommandListBuilder;

constexpr std::int32_t kBig = 2000000000;
constexpr std::int32_t kVariable = 2000001;
constexpr std::int32_t kRandom = 8000100;

// The flag byte asks for 4 frames, unprepared.
void WriteSeed(const std::string& name, const CommandListBuilder& list) {
    const std::vector<EventCommand> commands = list.Build();
    DataFileBuffer cursor;
    cursor.WriteDataByte(0x06);
    cursor.WriteDataInt(static_cast<std::int32_t>(commands.size()));
    for (const EventCommand& command : commands)
        WriteEventCommand(cursor, command);
    const std::filesystem::path folder =
        std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds/command_list";
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(cursor.data().data()),
               static_cast<std::streamsize>(cursor.data().size()));
}

TEST(MapSideFuzzSeeds, WritesFuzzSeedsWhenAsked) {
    const char* asked = std::getenv("QVARN_WRITE_FUZZ_SEEDS");
    if (asked == nullptr || std::string(asked) != "1")
        GTEST_SKIP() << "seeds are written only when asked";
    CommandListBuilder tiles;
    tiles.Add(121, {kVariable, kBig, 0, 4})
        .Add(230)
        .Add(231)
        .Add(240, {-1, 0x0F})
        .Add(240, {kBig, 1})
        .Add(240, {-1000000, 0})
        .Add(241, {1})
        .Add(241, {-1})
        .Add(242, {1, 0, 0, kVariable, kVariable, 3})
        .Add(242, {3, 19, 14, -kBig, -kBig, 7})
        .Add(242, {2, 5, 5, 3, 3, 8})
        .Add(242, {0, 5, 5, 3, 3, 1})
        .Add(242, {1, 5, 5, 1, 1, 31});
    WriteSeed("map_side_tiles", tiles);

    CommandListBuilder values;
    values.Add(121, {kVariable, INT_MIN + 1, 0, 4}).Add(121, {kVariable, 1, 0, 2 << 8});
    for (int kind = 0; kind <= 15; kind += 1) {
        for (int operation : {0, 4, 5, 8, 9}) {
            values.Add(124, {kVariable, (kind << 12) | (operation << 8) | 0x21, -2, kRandom});
            values.Add(124,
                       {kVariable, (kind << 12) | (operation << 8) | 0xF0010, INT_MIN, 999999});
        }
    }
    values.Add(123, {kVariable, 0x1180, 300})
        .Add(123, {kVariable, 0x0280})
        .Add(123, {kVariable, 0x017F, -5});
    WriteSeed("map_side_values", values);

    CommandListBuilder placement;
    placement.Add(130, {-1, kBig - 1, -kBig, -1, 0})
        .Add(130, {-2, 5, 5, 0, 1})
        .Add(130, {0, 999999, -999999, 0, 1})
        .Add(130, {-10001, 99})
        .Add(130, {-999999, 1, 1})
        .Add(130, {kRandom, 1, 1});
    WriteSeed("map_side_placement", placement);

    CommandListBuilder party;
    for (std::int32_t options :
         {0x00, 0x01, 0x02, 0x03, 0x04, 0x14, 0x70, 0x85, 0x25, 0x105, 0xF9, 0x1FF}) {
        party.Add(270, {options, -kBig, kVariable}, {"hero.png"});
        party.Add(270, {options, 6, 3999999}, {""});
    }
    party.Add(260, {1, 2}, {"\\v[1]\\s[900]", "\\self[99]"});
    party.Add(280, {0x0FF, kBig - 1}).Add(280, {0x1FF, -kBig}).Add(280, {0x2FF}).Add(280, {0xF00});
    for (std::int32_t options : {0x000, 0x3F0, 0x1F1, 0x301, 0x002, 0x003, 0x00F})
        party.Add(281, {options, 999999, -999999});
    for (std::int32_t options : {0x00, 0x40, 0xF0, 0x01, 0x11, 0x21, 0x02, 0x12, 0x0F})
        party.Add(290, {options, kRandom, -2, 999999, -999999, 999999, -999999});
    WriteSeed("map_side_party_and_view", party);
}

}  // namespace
}  // namespace game
