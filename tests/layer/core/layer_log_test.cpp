#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "platform/game_path.h"
#include "tests/layer/core/log_capture.h"
#include "tests/support/sjis.h"

namespace {

using test::Sjis;

enum class Op { kWrite, kAdvanceMs, kIndent, kOutdent, kResetLine };

struct Step {
    Op op;
    std::string text;
    int milliseconds = 0;
};

struct LogCase {
    const char* name;
    std::vector<Step> steps;
    std::string expected;
};

Step Write(std::string text) {
    return {Op::kWrite, std::move(text)};
}
Step Advance(int milliseconds) {
    return {Op::kAdvanceMs, "", milliseconds};
}
const Step kIndent{Op::kIndent, ""};
const Step kOutdent{Op::kOutdent, ""};
const Step kResetLine{Op::kResetLine, ""};

class LayerLogTest : public test::LogCapture, public testing::WithParamInterface<LogCase> {};

TEST_P(LayerLogTest, WritesLinesWithTimeStampsAndIndents) {
    for (const Step& step : GetParam().steps) {
        switch (step.op) {
            case Op::kWrite:
                EXPECT_EQ(layer::WriteLog(step.text.c_str()), -1);
                break;
            case Op::kAdvanceMs:
                clock.Advance(static_cast<std::uint64_t>(step.milliseconds) * 1'000'000);
                break;
            case Op::kIndent:
                EXPECT_EQ(layer::IncreaseLogIndent(), 0);
                break;
            case Op::kOutdent:
                EXPECT_EQ(layer::DecreaseLogIndent(), 0);
                break;
            case Op::kResetLine:
                layer::ResetLogLine();
                break;
        }
    }
    EXPECT_EQ(ReadLog(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayerLogTest,
    testing::Values(
        LogCase{"TwoLinesOneStamp",
                {Write("ab\ncd\n"), Advance(1234), Write("e\n")},
                "0:ab\r\ncd\r\n1234:e\r\n"},
        LogCase{"OpenLineContinues", {Write("ab"), Advance(7), Write("cd\n")}, "0:abcd\r\n"},
        LogCase{"LineFeedWithItsReturnEndsConversion", {Write("x\r\ny\nz")}, "0:x\r\ny\nz"},
        LogCase{"EmptyTextLeavesLineOpen", {Write(""), Write("a\n")}, "0:a\r\n"},
        LogCase{"TwoIndentLevels",
                {kIndent, kIndent, Write("a\n"), Advance(3), Write("b\n")},
                "0:\t\ta\r\n3:\t\tb\r\n"},
        LogCase{"AnnouncingAndClosingLines",
                {Write("start\n"), kIndent, Write("step\n"), kOutdent, Write("done\n")},
                "0:start\r\n0:\tstep\r\n0:done\r\n"},
        LogCase{"IndentNeverBelowZero", {kOutdent, kIndent, Write("a\n")}, "0:\ta\r\n"},
        LogCase{"BackslashSecondByte", {Write(Sjis(u8"表\n能\n"))}, Sjis(u8"0:表\r\n能\r\n")},
        LogCase{"WindowCreationStartsLinesAfresh",
                {kIndent, Write("ab"), kResetLine, Write("cd\n")},
                "0:\tab0:cd\r\n"}),
    [](const testing::TestParamInfo<LogCase>& info) { return info.param.name; });

class LayerLogFileTest : public test::LogCapture {};

TEST_F(LayerLogFileTest, FormatAddsLineFeedAndReturnsFailure) {
    EXPECT_EQ(layer::WriteLogFormat("%s:%d", "size", 12), -1);
    EXPECT_EQ(ReadLog(), "0:size:12\r\n");
}

TEST_F(LayerLogFileTest, LongFormattedTextIsCutAtCharacterBoundary) {
    std::string long_text;
    for (int i = 0; i < 600; ++i) {
        long_text += Sjis(u8"あ");
    }
    layer::WriteLogFormat("a%s", long_text.c_str());
    // 1022 bytes fit with the line feed and terminator: "a" and 510 whole characters.
    EXPECT_EQ(ReadLog(), "0:a" + long_text.substr(0, 1020) + "\r\n");
}

TEST_F(LayerLogFileTest, LongTextIsWrittenWhole) {
    const layer::TrackedTotals before = layer::ReadTrackedTotals();
    const std::string text(3000, 'x');
    layer::WriteLog((text + "\n" + text + "\n").c_str());
    EXPECT_EQ(ReadLog(), "0:" + text + "\r\n" + text + "\r\n");
    EXPECT_EQ(layer::ReadTrackedTotals().count, before.count);
}

TEST_F(LayerLogFileTest, InitLogStartsTheFileAndTheClockAfresh) {
    layer::WriteLog("old\n");
    clock.Advance(50'000'000);
    layer::InitLog();
    clock.Advance(2'000'000);
    layer::WriteLog("new\n");
    EXPECT_EQ(ReadLog(), "2:new\r\n");
}

TEST_F(LayerLogFileTest, LogOffWritesNothingAnywhere) {
    tree.write("Log.txt", "kept");
    setenv("QVARN_DEBUG_OUTPUT", "1", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(layer::SetLogEnabled(0), 0);
    EXPECT_EQ(layer::InitLog(), 1);
    EXPECT_EQ(layer::WriteLog("a\n"), -1);
    EXPECT_EQ(layer::WriteLogFormat("%d", 1), -1);
    const std::string debug_output = testing::internal::GetCapturedStderr();
    unsetenv("QVARN_DEBUG_OUTPUT");
    EXPECT_EQ(ReadLog(), "kept");
    EXPECT_EQ(debug_output, "");
}

TEST_F(LayerLogFileTest, DebugOutputGetsTextAndIndentButNoStamp) {
    layer::IncreaseLogIndent();
    setenv("QVARN_DEBUG_OUTPUT", "1", 1);
    testing::internal::CaptureStderr();
    layer::WriteLog(Sjis(u8"表\n").c_str());
    const std::string debug_output = testing::internal::GetCapturedStderr();
    unsetenv("QVARN_DEBUG_OUTPUT");
    EXPECT_EQ(debug_output, "\t表\r\n");
}

TEST_F(LayerLogFileTest, NoDebugOutputWithoutTheSwitch) {
    testing::internal::CaptureStderr();
    layer::WriteLog("a\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ReadLog(), "0:a\r\n");
}

TEST_F(LayerLogFileTest, NoFolderDropsTexts) {
    layer::SetLogFolder("");
    EXPECT_EQ(layer::WriteLog("a\n"), -1);
    EXPECT_EQ(ReadLog(), "");
}

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

// A folder whose last character ends in the byte of "\" still gets its separator.
TEST_F(LayerLogFileTest, FolderEndingInBackslashSecondByte) {
    struct FolderCase {
        const char8_t* game_name;
        const char8_t* disk_name;
    };
    for (const FolderCase& folder :
         {FolderCase{u8"表", u8"表"}, FolderCase{u8"ソ", u8"ソ"}, FolderCase{u8"能\\", u8"能"}}) {
        SCOPED_TRACE(Utf8(folder.game_name));
        std::filesystem::create_directory(tree.path(Utf8(folder.disk_name)));
        layer::SetLogFolder(platform::DiskPathToGamePath(tree.root().string()) + "\\" +
                            Sjis(folder.game_name));
        layer::InitLog();
        layer::WriteLog("a\n");
        EXPECT_EQ(tree.read(Utf8(folder.disk_name) + "/Log.txt"), "0:a\r\n");
    }
}

}  // namespace
