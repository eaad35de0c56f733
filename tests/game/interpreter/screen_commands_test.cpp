// The picture, screen colour and transition commands run from command lines.
#include "game/interpreter/screen_commands.h"

#include <gtest/gtest.h>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/presentation/picture_list.h"
#include "layer/graphics/graphics_services.h"
#include "tests/game/presentation/picture_fixture.h"
#include "tools/lib/command_list_builder.h"

namespace game {
namespace {

constexpr std::int32_t kRange = 0x1000000;

class ScreenCommands : public test::PictureScreens {
  protected:
    void SetUp() override {
        test::PictureScreens::SetUp();
        WriteImage("a.png", 16, 8, 0xFF0000);
        TheScreenState.SceneNumber = 1;
        TheVariableStore.variableSets[0].resize(10);
        TheVariableStore.stringVariables.resize(5);
    }
    void TearDown() override {
        layer::RemoveGraph(TheScreenState.transitionImage, 0);
        test::PictureScreens::TearDown();
    }

    // A line run as common event 0 in a fresh interpreter, for a number of frames.
    static EventInterpreter RunLine(std::int32_t code, std::vector<std::int32_t> args,
                                    std::vector<std::string> strings = {}, int frames = 1) {
        tools::CommandListBuilder list;
        list.Add(code, std::move(args), std::move(strings));
        CommonEvents.events[0].commands = list.Build();
        EventInterpreter interpreter;
        interpreter.SetUpInterpreter(0, false);
        interpreter.StartInterpreter(CommandListRef::Common(0), -1, 0);
        for (int frame = 0; frame < frames; ++frame)
            RunInterpreter(interpreter);
        return interpreter;
    }

    // The picture command's ints after its code: operation word, number, duration, cells
    // across, cells down, pattern, opacity, x, y, zoom, angle, string variable, colour,
    // delay, range end; the first `count` of them.
    static std::vector<std::int32_t> PictureLine(std::int32_t operation, std::int32_t number,
                                                 std::size_t count = 15) {
        std::vector<std::int32_t> ints = {
            operation, number, 0, 1, 1, 1, 255, 10, 20, 100, 0, 0, kNeutralColour, 0, number};
        ints.resize(count);
        return ints;
    }

    // System database type 11, record 0: the rule image's file.
    static void SetRuleImage(const std::string& name) {
        SysDataBase.types.resize(12);
        SysDataBase.types[11].records = {DataBaseRecord{{}, {name}}};
    }

    static std::int32_t& V(int index) {
        return TheVariableStore.variableSets[0][static_cast<std::size_t>(index)];
    }
};

TEST_F(ScreenCommands, AShowLineMayEndBeforeItsColourDelayAndRangeEnd) {
    RunLine(150, PictureLine(0, 3, 12), {"a.png"});
    game::Picture& short_line = PictureAt(3);
    EXPECT_EQ(short_line.TargetX, 10);
    EXPECT_EQ(short_line.TargetY, 20);
    EXPECT_EQ(short_line.Tint, (std::array<int, 3>{0, 0, 0}));
    EXPECT_TRUE(short_line.QueuedCommands.empty());
    std::vector<std::int32_t> coloured = PictureLine(0, 4, 13);
    coloured[12] = 0xC86464;
    RunLine(150, coloured, {"a.png"});
    EXPECT_EQ(PictureAt(4).Tint, (std::array<int, 3>{254, 0, 0}));
    std::vector<std::int32_t> delayed = PictureLine(0, 5, 14);
    delayed[13] = 4;
    RunLine(150, delayed, {"a.png"});
    ASSERT_EQ(PictureAt(5).QueuedCommands.size(), 1u);
    EXPECT_EQ(PictureAt(5).QueuedCommands[0].args.delay, 4);
}

TEST_F(ScreenCommands, ValueArgumentsAreReadThroughTheVariablesAndARangeMayRunBackwards) {
    V(1) = 8;
    V(2) = 5;
    V(3) = -30;
    std::vector<std::int32_t> line = PictureLine(kRange, 2000001);
    line[7] = 2000003;
    line[14] = 2000002;
    RunLine(150, line, {"a.png"});
    ASSERT_EQ(ThePictureList.Pictures.size(), 4u);
    EXPECT_EQ(ThePictureList.Pictures.front().Number, 5);
    EXPECT_EQ(ThePictureList.Pictures.back().Number, 8);
    EXPECT_EQ(PictureAt(6).TargetX, -30);
}

TEST_F(ScreenCommands, TheOperationWordChoosesSourceBlendAnchorZoomAndMapLink) {
    TheVariableStore.stringVariables[1] = "a.png";
    std::vector<std::int32_t> fromVariable =
        PictureLine(0x2000000 | 0x200000 | 0x10000 | 0x3000 | 0x200 | 0x10, 1);
    fromVariable[9] = 150;
    fromVariable[11] = 3000001;
    RunLine(150, fromVariable);
    const game::Picture& picture = PictureAt(1);
    EXPECT_EQ(picture.ImageName, "a.png");
    EXPECT_EQ(picture.BlendKind, 2);
    EXPECT_EQ(picture.Anchor, 3);
    EXPECT_EQ(picture.FollowsMap, 1);
    EXPECT_EQ(picture.ZoomX, 150);
    EXPECT_EQ(picture.ZoomY, 100);
    RunLine(150, PictureLine(0x30, 2), {"a.png"});
    EXPECT_EQ(PictureAt(2).IsWindowPicture, 1);
    EXPECT_EQ(PictureAt(2).Cells.size(), 9u);
    RunLine(150, PictureLine(0x20, 3), {"AB"});
    EXPECT_EQ(PictureAt(3).IsStringPicture, 1);
    EXPECT_EQ(PictureAt(3).Text.SourceText, "AB");
    RunLine(150, PictureLine(0x50, 4), {"a.png"});
    EXPECT_EQ(ThePictureList.FindPicture(4), nullptr);
}

TEST_F(ScreenCommands, AMoveTakesItsBlendKindButNoMapLink) {
    RunLine(150, PictureLine(0, 0), {"a.png"});
    std::vector<std::int32_t> move = PictureLine(0x2000000 | 0x4000 | 0x300 | 1, 0);
    move[7] = 99;
    RunLine(150, move);
    const game::Picture& picture = PictureAt(0);
    EXPECT_EQ(picture.TargetX, 99);
    EXPECT_EQ(picture.BlendKind, 3);
    EXPECT_EQ(picture.Anchor, 0);
    EXPECT_EQ(picture.FollowsMap, 0);
}

TEST_F(ScreenCommands, AnEraseLineReadsItsDelayColourAndRangeEndFromItsOwnPlaces) {
    RunLine(150, PictureLine(0, 0), {"a.png"});
    RunLine(150, PictureLine(0, 1), {"a.png"});
    RunLine(150, {2, 0, 10, 3});
    ASSERT_EQ(PictureAt(0).QueuedCommands.size(), 1u);
    const PictureArgs& erase = PictureAt(0).QueuedCommands[0].args;
    EXPECT_EQ(PictureAt(0).QueuedCommands[0].tag, PictureQueueTag::kErase);
    EXPECT_EQ(erase.delay, 3);
    EXPECT_EQ(erase.colour, kNeutralColour);
    EXPECT_EQ(erase.duration, 10);
    RunLine(150, {kRange | 2, 1, 10, 0, 0xC80000 | kLeaveColourBit, 0});
    EXPECT_EQ(PictureAt(0).Erasing, 1);
    EXPECT_EQ(PictureAt(1).Erasing, 1);
    EXPECT_EQ(PictureAt(1).Tint, (std::array<int, 3>{0, 0, 0}));
}

TEST_F(ScreenCommands, CancelAndTheOperationsBeyondItDoNothingElse) {
    std::vector<std::int32_t> delayed = PictureLine(kRange, 0);
    delayed[13] = 9;
    delayed[14] = 2;
    RunLine(150, delayed, {"a.png"});
    RunLine(150, {kRange | 3, 2, 1});
    EXPECT_EQ(PictureAt(0).QueuedCommands.size(), 1u);
    EXPECT_TRUE(PictureAt(1).QueuedCommands.empty());
    EXPECT_TRUE(PictureAt(2).QueuedCommands.empty());
    for (std::int32_t operation = 4; operation <= 15; ++operation) {
        const EventInterpreter interpreter = RunLine(150, PictureLine(operation, 50), {"a.png"});
        EXPECT_FALSE(interpreter.IsInterpreterRunning()) << operation;
    }
    EXPECT_EQ(ThePictureList.FindPicture(50), nullptr);
}

TEST_F(ScreenCommands, AScreenColourChannelBecomesAChangeOfAtMost255) {
    RunLine(151, {50 | 150 << 8 | 100 << 16, 12});
    const MainInterpreter& m = TheMainInterpreter;
    EXPECT_EQ(m.ToneTarget, (std::array<std::int16_t, 3>{-127, 127, 0}));
    EXPECT_EQ(m.ToneFrames, 13);
    RunLine(151, {0x1000000 | 200 | 0 << 8 | 100 << 16, 4});
    EXPECT_EQ(m.ScreenFlashColour, (std::array<std::int16_t, 3>{255, -255, 0}));
    EXPECT_EQ(m.FlashFramesLeft, 5);
    EXPECT_EQ(m.ToneTarget, (std::array<std::int16_t, 3>{-127, 127, 0}));
}

TEST_F(ScreenCommands, ATransitionIsConfiguredWithItsRuleImageOrAsAPlainFade) {
    WriteImage("rule.png", 64, 48, [](int x, int) { return static_cast<std::uint32_t>(x * 4); });
    SetRuleImage("rule.png");
    RunLine(160, {0, 30 | 0x10000});
    const ScreenState& screen = TheScreenState;
    const int rule = screen.transitionImage;
    EXPECT_NE(layer::IsGraphHandleLive(rule), 0);
    EXPECT_EQ(screen.transitionImageName, "Data\\rule.png");
    EXPECT_EQ(screen.transitionPlainFade, 0);
    EXPECT_EQ(screen.transitionLength, 30);
    EXPECT_EQ(screen.transitionHold, 1);
    EXPECT_EQ(TheMainInterpreter.TransitionGraphic, 0);
    EXPECT_EQ(TheMainInterpreter.TransitionLength, 30);
    EXPECT_EQ(TheMainInterpreter.TransitionFlag, 1);
    RunLine(160, {-1, 12});
    EXPECT_EQ(layer::IsGraphHandleLive(rule), 0);
    EXPECT_EQ(screen.transitionPlainFade, 1);
    EXPECT_TRUE(screen.transitionImageName.empty());
    EXPECT_EQ(screen.transitionHold, 0);
    SetRuleImage("gone.png");
    RunLine(160, {0, 12});
    EXPECT_EQ(screen.transitionImage, -1);
    EXPECT_EQ(screen.transitionPlainFade, 0);
}

TEST_F(ScreenCommands, PreparingWaitsForTheWindowsAndCapturesTheScreen) {
    RecreateOffscreenScreens(TheScreenState);
    TheScreenState.windowBusy = 1;
    EventInterpreter waiting = RunLine(161, {});
    EXPECT_TRUE(waiting.IsInterpreterRunning());
    EXPECT_EQ(waiting.line, 0);
    EXPECT_EQ(TheScreenState.TransitionPrepared, 0);
    TheScreenState.windowBusy = 0;
    RunInterpreter(waiting);
    EXPECT_FALSE(waiting.IsInterpreterRunning());
    EXPECT_EQ(TheScreenState.TransitionPrepared, 1);
}

TEST_F(ScreenCommands, ExecutingWithoutPreparingCapturesAndStartsAtOnce) {
    RecreateOffscreenScreens(TheScreenState);
    TheScreenState.transitionLength = 25;
    RunLine(162, {});
    const ScreenState& screen = TheScreenState;
    EXPECT_EQ(screen.TransitionPrepared, 0);
    EXPECT_EQ(screen.TransitionRunning, 1);
    EXPECT_EQ(screen.transitionCounter, 25);
    // The green back screen was captured.
    layer::PutBox(0, 0, 640, 480, 0, 1);
    layer::PaintGraph(0, 0, screen.offscreen1, 0);
    EXPECT_EQ(BackPixel(320, 240), 0x28783Cu);
    // A second transition waits for the running one.
    EXPECT_TRUE(RunLine(162, {}).IsInterpreterRunning());
    EXPECT_TRUE(RunLine(161, {}).IsInterpreterRunning());
}

}  // namespace
}  // namespace game
