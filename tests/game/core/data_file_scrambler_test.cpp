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

TEST(ChooseScrambleHeader, DrawsNonZeroSeedsAndOneFillerBytePerHeaderByte) {
    const ScrambleHeader header = ChooseScrambleHeader(1700000000u, 20);
    EXPECT_TRUE(HasSeeds(header.seeds));
    EXPECT_EQ(header.filler.size(), 20u);
    const ScrambleHeader again = ChooseScrambleHeader(1700000000u, 20);
    EXPECT_EQ(again.seeds, header.seeds);
    EXPECT_EQ(again.filler, header.filler);
}

}  // namespace
}  // namespace game
