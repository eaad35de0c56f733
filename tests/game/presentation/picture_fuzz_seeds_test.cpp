// The seeds of the picture fuzz target, written by our own script encoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/fuzz/picture_script.h"

namespace test {
namespace {

using Kind = PictureScriptKind;

constexpr std::int32_t kRange = 0x1000000;
constexpr std::int32_t kMax = 2147483647;
constexpr std::int32_t kMin = -2147483647 - 1;

// Every kind of picture and effect with ordinary values, moved, erased and drawn.
PictureScript EveryKind() {
    PictureScript script(1, false);
    script.Add(Kind::kPicture, {0x1000, 1, 10, 3, 3, 5, 255, 100, 100, 150, 0, 0, 0x646464, 0, 0})
        .Add(Kind::kPicture, {0x30, 2, 0, 200, 120, 1, 200, 300, 40, 100, 0, 0, 0xC86464, 0, 0})
        .Add(Kind::kPicture, {0x20, 3, 5, 1, 1, 1, 255, 40, 300, 200, 0}, kCodedText)
        .Add(Kind::kPicture, {0x2001200, 4, 0, 1, 1, 1, 128, 500, 300, 100, 450, 0, 0x3232C8})
        .Add(Kind::kPicture, {kRange | 0x10100, 5, 8, 1, 1, 1, 255, 0, 0, 50, 0, 0, 0, 3, 8})
        .Updates(3)
        .Add(Kind::kPicture, {kRange | 0x10001, 1, 20, 0, 0, 2, 100, 30, 30, 120, 1800, 0, 0, 0, 8})
        .Add(Kind::kEffect, {1, 1, 0, 50, 50, 50, 10})
        .Add(Kind::kEffect, {2, 2, 1, -100, 0, 100, 10})
        .Add(Kind::kEffect, {3, 3, 2, 40, 20, 0, 10})
        .Add(Kind::kEffect, {4, 4, 3, 10, 5, 4, 3})
        .Add(Kind::kEffect, {5, 8, 4, 320, 240, 200, 10})
        .Updates(5)
        .Add(Kind::kPicture, {kRange | 2, 1, 10, 2, 0xC86464, 8})
        .Add(Kind::kPicture, {kRange | 3, 5, 8});
    return script;
}

// Arguments at and past every limit.
PictureScript OutOfRange() {
    PictureScript script(2, true);
    script
        .Add(Kind::kPicture, {kRange, kMax, kMin, kMax, kMin, kMin, kMin, kMax, kMin, kMin, kMax,
                              kMax, -1, 0, kMin})
        .Add(Kind::kPicture, {0x30, -100000, -1, -5, kMax, 0, 300, kMin, kMax, 0, -3601})
        .Add(Kind::kPicture, {0x2F00F0 | 0xF000, 0, kMax, 0, 0, -1000000, -1000000, 5, 5, -1000000,
                              -1000000, 3000001, 0x1C86464, kMax})
        .Add(Kind::kPicture, {0x20, 100000, 0, 1, 1, 1, 255, kMax, kMax, kMax, kMax}, kCodedText)
        .Add(Kind::kPicture, {0, 7, 0, 3, 3, 99, 255, 0, 0, 100, 3600})
        .Add(Kind::kEffect, {kMin, kMax, 3, kMax, kMin, kMax, 0})
        .Add(Kind::kEffect, {0, 7, 4, kMax, kMin, kMin, 0})
        .Add(Kind::kEffect, {0, 7, 0, kMax, kMin, kMax, kMin})
        .Add(Kind::kEffect, {0, 7, 9, 1, 1, 1, 1})
        .Add(Kind::kScreenColour, {-1, -1})
        .Add(Kind::kScreenColour, {0x1FFFFFF, 40000})
        .Add(Kind::kMap, {kMax, kMin, 3, 0, 0})
        .Updates(4)
        .Add(Kind::kMap, {-4000, -4000, 3, 20, 15})
        .Add(Kind::kPicture, {0x2000000, 9, 0, 1, 1, 1, 255, -50, -50}, kImageText)
        .Add(Kind::kConfigure, {99, kMax})
        .Add(Kind::kExecute, {})
        .Add(Kind::kPicture, {kRange | 2, kMin, kMin, kMax, kMin, kMax})
        .Add(Kind::kPicture, {15, 0});
    return script;
}

// Files that are missing, empty, named by the error text or do not decode.
PictureScript BadFiles() {
    PictureScript script(1, false);
    for (const std::uint8_t text : {kEmptyText, kErrorText, kMissingText, kUndecodableText}) {
        script.Add(Kind::kPicture, {0, text, 0, 2, 2, 1, 255, 10, 10}, text)
            .Add(Kind::kPicture, {0x30, text + 10, 0, 100, 100, 1, 255, 10, 10}, text);
    }
    script.Add(Kind::kPicture, {0x10, 20, 0, 1, 1, 1, 255, 0, 0, 100, 0, 3000005});
    return script;
}

// A flash, then a rule transition and a plain fade, each waited for.
PictureScript Transitions() {
    PictureScript script(1, false);
    script.Add(Kind::kPicture, {0, 1, 0, 1, 1, 1, 255, 0, 0})
        .Add(Kind::kScreenColour, {0x1000000 | 200 | 200 << 8 | 100 << 16, 10})
        .Add(Kind::kConfigure, {0, 10 | 0x10000})
        .Add(Kind::kPrepare, {})
        .Add(Kind::kExecute, {})
        .Updates(5)
        .Add(Kind::kExecute, {})
        .Updates(10)
        .Add(Kind::kConfigure, {-1, 6})
        .Add(Kind::kExecute, {})
        .Add(Kind::kScreenColour, {50 | 150 << 8 | 100 << 16, 0});
    return script;
}

// QVARN_WRITE_FUZZ_SEEDS=1 writes the seeds into the source tree.
TEST(PictureFuzzSeeds, WritesFuzzSeedsWhenAsked) {
    const char* asked = std::getenv("QVARN_WRITE_FUZZ_SEEDS");
    if (asked == nullptr || std::string(asked) != "1")
        GTEST_SKIP() << "seeds are written only when asked";
    const std::filesystem::path folder =
        std::filesystem::path(QVARN_SOURCE_DIR) / "tests/fuzz/seeds/picture_commands";
    std::filesystem::create_directories(folder);
    const auto write = [&](const char* name, const PictureScript& script) {
        const std::vector<std::uint8_t>& bytes = script.bytes();
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    };
    write("every_kind", EveryKind());
    write("out_of_range", OutOfRange());
    write("bad_files", BadFiles());
    write("transitions", Transitions());
}

}  // namespace
}  // namespace test
