#include "game/core/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace game {
namespace {

using Kind = CommandLineOption::Kind;
using Words = std::vector<std::string>;

TEST(CommandLineTest, SplitKeepsTwentyWordsOfAtMost255Bytes) {
    EXPECT_EQ(SplitCommandLine("  a\tbb  ccc "), (Words{"a", "bb", "ccc"}));
    EXPECT_TRUE(SplitCommandLine("").empty());
    std::string many;
    for (int i = 0; i < 25; ++i)
        many.append("w").append(std::to_string(i)).append(" ");
    const Words words = SplitCommandLine(many);
    ASSERT_EQ(words.size(), 20u);
    EXPECT_EQ(words.back(), "w19");
    EXPECT_EQ(SplitCommandLine(std::string(300, 'x'))[0].size(), 255u);
}

bool NamesFolder(const std::string& argument) {
    return argument.rfind("/games/", 0) == 0;
}

struct FolderCase {
    Words arguments;
    const char* folder;
    std::string unusableFolder;
    std::string commandLine;
};

// Only the first word can name the game folder; a first word written as a path that names
// no folder is held apart for its report.
TEST(CommandLineTest, OnlyTheFirstWordNamesTheGameFolder) {
    const std::string tooLong(4097, 'x');
    const FolderCase cases[] = {
        {{"/games/one", "Test_Of_Main"}, "/games/one", "", "Test_Of_Main"},
        {{"Test_Of_Main", "-sinput", "3000005", "/games/one"},
         "",
         "",
         "Test_Of_Main -sinput 3000005 /games/one"},
        {{"-vinput", "/games/one", "5", "/games/two"}, "", "", "-vinput /games/one 5 /games/two"},
        {{"Test_Of_Main"}, "", "", "Test_Of_Main"},
        {{}, "", "", ""},
        {{"a\\b\\Data", "Test_Of_Main"}, "", "a\\b\\Data", "Test_Of_Main"},
        {{"/nowhere/game"}, "", "/nowhere/game", ""},
        {{tooLong, "Test_Of_Main"}, "", tooLong, "Test_Of_Main"},
        {{std::string(4096, 'x')}, "", "", std::string(4096, 'x')},
    };
    for (const FolderCase& c : cases) {
        const FolderArgument taken = TakeFolderArgument(c.arguments, NamesFolder);
        const std::string first = c.arguments.empty() ? "" : c.arguments[0].substr(0, 40);
        EXPECT_EQ(taken.folder, c.folder) << first;
        EXPECT_EQ(taken.unusableFolder, c.unusableFolder) << first;
        EXPECT_EQ(taken.commandLine, c.commandLine) << first;
    }
}

struct DecimalCase {
    const char* word;
    int value;
};

class DecimalWordTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalWordTest, SignAndLeadingDigits) {
    EXPECT_EQ(ReadDecimalWord(GetParam().word), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Words, DecimalWordTest,
                         testing::Values(DecimalCase{"2000005", 2000005}, DecimalCase{"-42", -42},
                                         DecimalCase{"+7x", 7}, DecimalCase{"abc", 0},
                                         DecimalCase{"", 0}, DecimalCase{"99999999999", 2147483647},
                                         DecimalCase{"-99999999999", -2147483647 - 1}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(CommandLineTest, OptionsAreReadInOrderWithTheirOperands) {
    const std::vector<CommandLineOption> options = ScanCommandLineOptions(
        {"-vinput", "2000005", "42", "Test_Of_Main", "-sinput", "3000001", "abc"});
    EXPECT_EQ(options, (std::vector<CommandLineOption>{{Kind::kNumber, 2000005, 42, ""},
                                                       {Kind::kTestPlay, 0, 0, ""},
                                                       {Kind::kText, 3000001, 0, "abc"}}));
}

TEST(CommandLineTest, AMissingOperandCountsAsEmpty) {
    EXPECT_EQ(ScanCommandLineOptions({"-vinput"}),
              (std::vector<CommandLineOption>{{Kind::kNumber, 0, 0, ""}}));
    EXPECT_EQ(ScanCommandLineOptions({"-sinput", "3000002"}),
              (std::vector<CommandLineOption>{{Kind::kText, 3000002, 0, ""}}));
}

TEST(CommandLineTest, OperandsAreNotReadAsOptionsAndAnEmptyWordEndsTheScan) {
    EXPECT_EQ(ScanCommandLineOptions({"-sinput", "3000000", "Test_Of_Main"}),
              (std::vector<CommandLineOption>{{Kind::kText, 3000000, 0, "Test_Of_Main"}}));
    EXPECT_TRUE(ScanCommandLineOptions({"", "Test_Of_Main"}).empty());
}

}  // namespace
}  // namespace game
