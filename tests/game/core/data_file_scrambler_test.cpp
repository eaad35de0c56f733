#include "game/core/data_file_scrambler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace game {
namespace {

std::vector<std::uint8_t> Body(std::size_t length) {
    std::vector<std::uint8_t> body(length);
    for (std::size_t i = 0; i < length; ++i)
        body[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return body;
}

std::vector<std::uint8_t> Scrambled(std::vector<std::uint8_t> data,
                                    std::vector<std::uint8_t> seeds) {
    CheckBytes checks{};
    DescrambleDataFile(data, 0, data.size(), seeds, CheckMode::kNone, checks);
    return data;
}

TEST(DescrambleDataFile, ScramblingTwiceGivesTheBodyBack) {
    for (std::size_t length : {0u, 1u, 2u, 5u, 300u}) {
        SCOPED_TRACE(length);
        const std::vector<std::uint8_t> plain = Body(length);
        const std::vector<std::uint8_t> scrambled = Scrambled(plain, {200, 13, 77});
        EXPECT_EQ(Scrambled(scrambled, {200, 13, 77}), plain);
        if (length >= 100) {
            EXPECT_NE(scrambled, plain);
        }
    }
}

// Known answers worked out apart from the code. The generator from seed s: state = s, then
// per draw state = state * 214013 + 2531011 (mod 2^32), draw = (state >> 16) & 0x7FFF, and a
// scrambling byte is draw >> 12. Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724, 11478,
// 29358, 26962, 24464, 5705, 28145; seed 2 draws 45, 29216, 24198, 17795, 29484; seed 3
// draws 48, 7196; seed 255 draws 871, 28819, 21850, 10966, 17631, 30073, 15608, 6726.
TEST(DescrambleDataFile, KnownAnswers) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> seeds;
        std::size_t start;
        std::size_t end;
        std::vector<std::uint8_t> plain;
        std::vector<std::uint8_t> scrambled;
        std::uint8_t check;
    };
    const std::vector<std::uint8_t> zeros(12, 0);
    const std::vector<std::uint8_t> tens{0x10, 0x20, 0x30, 0x40, 0x50, 0x60,
                                         0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0};
    const Case cases[] = {
        {"one seed, every byte", {1}, 0, 12, zeros, {0, 4, 1, 6, 4, 3, 2, 7, 6, 5, 1, 6}, 0},
        {"a seed above 127", {255}, 0, 8, zeros, {0, 7, 5, 2, 4, 7, 3, 1, 0, 0, 0, 0}, 0},
        // Bytes 1 to 10: pass 1 (seed 1) XORs 0 4 1 6 4 3 2 7 6 5 into each, pass 2 (seed 2)
        // 0 7 5 4 7 into bytes 1 3 5 7 9, pass 3 (seed 3) 0 1 into bytes 1 and 6.
        {"three passes over a range",
         {1, 2, 3},
         1,
         11,
         tens,
         {0x10, 0x20, 0x34, 0x46, 0x56, 0x61, 0x72, 0x86, 0x97, 0xA1, 0xB5, 0xC0},
         0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> data = c.plain;
        CheckBytes checks{0, 0x55, 0xAA};
        EXPECT_TRUE(DescrambleDataFile(data, c.start, c.end, c.seeds, CheckMode::kStore, checks));
        EXPECT_EQ(data, c.scrambled);
        EXPECT_EQ(checks, (CheckBytes{c.check, 0x55, 0xAA}));
    }
}

TEST(DescrambleDataFile, OnlyTheThreeLowBitsChange) {
    const std::vector<std::uint8_t> plain = Body(500);
    const std::vector<std::uint8_t> scrambled = Scrambled(plain, {1, 2, 3});
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(plain[i] & 0xF8, scrambled[i] & 0xF8) << i;
}

TEST(DescrambleDataFile, AllZeroSeedsChangeNothingAndStoreNoCheck) {
    std::vector<std::uint8_t> data = Body(50);
    CheckBytes checks{9, 9, 9};
    EXPECT_TRUE(DescrambleDataFile(data, 0, data.size(), std::vector<std::uint8_t>{0, 0, 0},
                                   CheckMode::kStore, checks));
    EXPECT_EQ(data, Body(50));
    EXPECT_EQ(checks, (CheckBytes{9, 9, 9}));
}

TEST(DescrambleDataFile, AZeroSeedStillRunsItsPass) {
    // Seeds (0, 7, 0) against (0, 7): only the third pass differs, visiting every fifth byte.
    const std::vector<std::uint8_t> three = Scrambled(Body(400), {0, 7, 0});
    const std::vector<std::uint8_t> two = Scrambled(Body(400), {0, 7});
    int differences = 0;
    for (std::size_t i = 0; i < three.size(); ++i) {
        if (three[i] != two[i]) {
            EXPECT_EQ(i % 5, 0u) << i;
            ++differences;
        }
    }
    EXPECT_GT(differences, 0);
}

TEST(DescrambleDataFile, VerifyComparesOnlyTheFirstCheckOverTheGivenRange) {
    std::vector<std::uint8_t> data = Body(40);
    CheckBytes checks{0, 0, 0};
    DescrambleDataFile(data, 0, 30, std::vector<std::uint8_t>{5, 6, 7}, CheckMode::kStore, checks);
    DescrambleDataFile(data, 0, 30, std::vector<std::uint8_t>{5, 6, 7}, CheckMode::kNone, checks);
    checks[1] = 0x55;
    checks[2] = 0xAA;
    data[35] ^= 0xFF;  // the unparsed tail is not summed
    EXPECT_TRUE(DescrambleDataFile(data, 0, 30, {}, CheckMode::kVerify, checks));
    data[3] ^= 1;
    EXPECT_FALSE(DescrambleDataFile(data, 0, 30, {}, CheckMode::kVerify, checks));
}

TEST(SealDataFile, PutsSeedsAndTheCheckAtTheFramePositions) {
    struct Case {
        const DataFileFrame* frame;
        ScrambleSeeds seeds;
    };
    for (const Case& c : {Case{&kDataFileFrame, {3, 4, 5}}, Case{&kGameDatFrame, {0, 8, 6}},
                          Case{&kSaveFileFrame, {1, 0, 0}}}) {
        const auto header = static_cast<std::size_t>(c.frame->headerLength);
        std::vector<std::uint8_t> file(header, 0);
        const std::vector<std::uint8_t> body = Body(64);
        file.insert(file.end(), body.begin(), body.end());
        SealDataFile(file, *c.frame, c.seeds);
        EXPECT_EQ(ReadFrameSeeds(file, *c.frame), c.seeds);
        CheckBytes checks = ReadFrameChecks(file, *c.frame);
        EXPECT_EQ(checks[1], 0);
        EXPECT_EQ(checks[2], 0);
        EXPECT_TRUE(
            DescrambleDataFile(file, header, file.size(), c.seeds, CheckMode::kNone, checks));
        EXPECT_TRUE(DescrambleDataFile(file, header, file.size(), {}, CheckMode::kVerify, checks));
        EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + static_cast<long>(header), file.end()),
                  body);
    }
}

TEST(ChooseScrambleHeader, KnownAnswer) {
    // Time 1 draws 41, 18467, 6334: the seeds are (draw >> 4) & 0xFF; the state after them is
    // 1 stepped three times by state * 214013 + 2531011.
    const ScrambleHeader header = ChooseScrambleHeader(1u);
    EXPECT_EQ(header.seeds, (ScrambleSeeds{2, 130, 139}));
    EXPECT_EQ(header.generatorState, 415139642u);
}

TEST(ChooseScrambleHeader, DrawsNonZeroSeedsTheSameForTheSameTime) {
    const ScrambleHeader header = ChooseScrambleHeader(1700000000u);
    EXPECT_TRUE(HasSeeds(header.seeds));
    const ScrambleHeader again = ChooseScrambleHeader(1700000000u);
    EXPECT_EQ(again.seeds, header.seeds);
    EXPECT_EQ(again.generatorState, header.generatorState);
}

// Whole files as the game writes them, worked out by hand from the generator: the check is the
// plain body's sum; the header's other bytes are further draws ((draw >> 8) & 0xFF) after the
// third pass (seeded with seed 3, one draw per fifth byte), or, for a plain body, straight on
// from the state after the seed draws.
TEST(SealDataFile, WritesTheWholeFileAsKnown) {
    struct Case {
        const char* what;
        const DataFileFrame* frame;
        ScrambleHeader header;
        std::vector<std::uint8_t> body;
        std::vector<std::uint8_t> file;
    };
    const Case cases[] = {
        {"seeds of time 1, a save frame",
         &kSaveFileFrame,
         ChooseScrambleHeader(1u),
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {2,  3, 78, 130, 72, 46, 0, 70, 0, 139, 25, 97, 4,  4,  122, 109,
          30, 8, 82, 45,  1,  5,  1, 0,  6, 4,   0,  14, 10, 14, 14,  10}},
        {"plain body, filler on from state 12345",
         &kDataFileFrame,
         ScrambleHeader{{0, 0, 0}, 12345u},
         {5, 6, 7},
         {0, 74, 0, 0, 22, 91, 0, 21, 0, 0, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file(static_cast<std::size_t>(c.frame->headerLength), 0);
        file.insert(file.end(), c.body.begin(), c.body.end());
        SealDataFile(file, *c.frame, c.header);
        EXPECT_EQ(file, c.file) << c.what;
    }
}

}  // namespace
}  // namespace game
