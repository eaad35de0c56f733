#include "layer/core/window_procedure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layer/core/core_settings.h"
#include "layer/core/input_devices.h"
#include "layer/core/typed_char_buffer.h"
#include "layer/core/window_state.h"
#include "platform/message_queue.h"
#include "tests/layer/core/fake_services.h"

namespace {

using platform::Message;
using platform::MessageKind;

class WindowProcedure : public testing::Test {
  protected:
    void SetUp() override {
        test::ResetFakes();
        layer::window_state = {};
        layer::window_state.window_mode = 1;
        layer::typed_char_buffer = {};
        layer::core_settings = {};
        platform::DiscardWindowMessages();
    }
    void TearDown() override {
        layer::window_state = {};
        layer::core_settings = {};
        platform::DiscardWindowMessages();
    }

    static Message Make(MessageKind kind) {
        Message message;
        message.kind = kind;
        return message;
    }

    static std::vector<int> TypedBytes() {
        std::vector<int> bytes;
        unsigned char character[2];
        while (layer::ReadTypedChar(character, 1) == 1) {
            bytes.push_back(character[0]);
        }
        return bytes;
    }
};

TEST_F(WindowProcedure, TypedCharactersKeepPrintablesAndTheEditingControls) {
    for (int character : {0x0A, 0x02, 0x16, 0x41, 0x1B, 0x7F, 0x1F, 0x03}) {
        Message message = Make(MessageKind::kChar);
        message.character = character;
        layer::RunWindowProcedure(message);
    }
    EXPECT_EQ(TypedBytes(), (std::vector<int>{0x0D, 0x16, 0x41, 0x1B, 0x7F, 0x03}));
}

TEST_F(WindowProcedure, EditingKeysPushTheirCodesWhileTheRingHasRoom) {
    struct KeyCase {
        int key_code;
        int code;  // 0: not an editing key
    };
    const KeyCase cases[] = {{0xD3, 0x10}, {0xCB, 0x1D}, {0xCD, 0x1C}, {0xC8, 0x1E}, {0xD0, 0x1F},
                             {0xC7, 0x1A}, {0xCF, 0x19}, {0xC9, 0x17}, {0xD1, 0x15}, {0x1E, 0}};
    for (const KeyCase& key : cases) {
        Message message = Make(MessageKind::kKeyDown);
        message.key_code = key.key_code;
        layer::RunWindowProcedure(message);
        EXPECT_EQ(TypedBytes(), key.code != 0 ? std::vector<int>{key.code} : std::vector<int>{})
            << key.key_code;
    }

    while (layer::PushTypedChar('x') == 0) {
    }
    Message left = Make(MessageKind::kKeyDown);
    left.key_code = 0xCB;
    layer::RunWindowProcedure(left);
    EXPECT_EQ(TypedBytes(), std::vector<int>(1024, 'x'));
}

TEST_F(WindowProcedure, WheelCountsOneNotchPerMessageWhateverItsSize) {
    for (int wheel : {120, 1, -360, -1, 5}) {
        Message message = Make(MessageKind::kMouseWheel);
        message.wheel = wheel;
        layer::RunWindowProcedure(message);
    }
    EXPECT_EQ(layer::window_state.wheel_count, 1);
}

TEST_F(WindowProcedure, CloseTwiceKeepsTheRequestedState) {
    layer::RunWindowProcedure(Make(MessageKind::kClose));
    EXPECT_EQ(layer::window_state.close_state, layer::kWindowCloseRequested);
    EXPECT_EQ(layer::window_state.quit, 1);
    layer::RunWindowProcedure(Make(MessageKind::kClose));
    EXPECT_EQ(layer::window_state.close_state, layer::kWindowCloseRequested);

    Message quit;
    ASSERT_TRUE(platform::TakeWindowMessage(&quit));
    EXPECT_EQ(quit.kind, MessageKind::kQuit);
}

TEST_F(WindowProcedure, ScreenSaverAndMonitorPowerAreRefused) {
    struct CommandCase {
        platform::SysCommand command;
        int result;
    };
    for (const CommandCase& command : {CommandCase{platform::SysCommand::kScreenSave, 1},
                                       CommandCase{platform::SysCommand::kMonitorPower, 1},
                                       CommandCase{platform::SysCommand::kOther, 0}}) {
        Message message = Make(MessageKind::kSysCommand);
        message.command = command.command;
        EXPECT_EQ(layer::RunWindowProcedure(message), command.result);
    }
}

TEST_F(WindowProcedure, F10NoticeSetsTheReportFlagOnlyForOne) {
    for (const auto& [value, flag] : {std::pair{1, 1}, std::pair{2, 0}, std::pair{1, 1}}) {
        Message message = Make(MessageKind::kF10Report);
        message.value = value;
        layer::RunWindowProcedure(message);
        EXPECT_EQ(layer::input_devices.f10_report, flag);
    }
}

TEST_F(WindowProcedure, MinimisedFullScreenActivationDoesNotRebuild) {
    layer::window_state.window_mode = 0;
    layer::core_settings.started = 1;
    Message activate = Make(MessageKind::kActivate);
    activate.active = 1;
    activate.minimized = 1;
    layer::RunWindowProcedure(activate);
    EXPECT_TRUE(test::FakeCallsNamed({"RecreateGraphicsAfterLoss"}).empty());
    EXPECT_EQ(layer::window_state.active, 1);

    activate.minimized = 0;
    layer::RunWindowProcedure(activate);
    EXPECT_EQ(test::FakeCallsNamed({"RecreateGraphicsAfterLoss"}).size(), 1u);
}

TEST_F(WindowProcedure, ActivationWhileCreatingOnlySetsTheFlag) {
    layer::window_state.creating = 1;
    Message activate = Make(MessageKind::kActivate);
    activate.active = 1;
    layer::RunWindowProcedure(activate);
    EXPECT_EQ(layer::window_state.active, 1);
    EXPECT_TRUE(test::FakeCalls().empty());
}

TEST_F(WindowProcedure, AppDeactivationDeactivates) {
    layer::window_state.active = 1;
    Message app = Make(MessageKind::kActivateApp);
    app.active = 0;
    layer::RunWindowProcedure(app);
    EXPECT_EQ(layer::window_state.active, 0);
    EXPECT_EQ(
        test::FakeCallsNamed({"SuspendAllMovies", "ReacquireInputDevices", "ApplyPadVibration"}),
        (std::vector<std::string>{"SuspendAllMovies", "ReacquireInputDevices",
                                  "ApplyPadVibration"}));
}

TEST_F(WindowProcedure, DisplayChangesTheScreenCannotFollowCloseTheWindow) {
    struct ChangeCase {
        const char* what;
        int restore_handler;
        int depth;
        int width;
        int height;
        bool closes;
    };
    const ChangeCase cases[] = {
        {"same mode", 0, 16, 640, 480, false},       {"larger desktop", 1, 16, 800, 600, false},
        {"32 bits", 1, 32, 640, 480, false},         {"no restore handler", 0, 16, 800, 600, true},
        {"24 bits", 1, 24, 640, 480, true},          {"8 bits from 16", 1, 8, 640, 480, true},
        {"narrower desktop", 1, 16, 600, 480, true}, {"lower desktop", 1, 16, 640, 400, true},
    };
    for (const ChangeCase& change : cases) {
        SetUp();
        test::Graphics().restore_handler_installed = change.restore_handler;
        Message message = Make(MessageKind::kDisplayChange);
        message.depth = change.depth;
        message.width = change.width;
        message.height = change.height;
        layer::RunWindowProcedure(message);
        EXPECT_EQ(layer::window_state.quit_requested, change.closes ? 1 : 0) << change.what;
        EXPECT_EQ(layer::window_state.display_changed, change.closes ? 0 : 1) << change.what;
        Message posted;
        EXPECT_EQ(platform::TakeWindowMessage(&posted), change.closes) << change.what;
        const bool rebuilt = !test::FakeCallsNamed({"RecreateGraphicsAfterLoss"}).empty();
        EXPECT_EQ(rebuilt, !change.closes && change.depth + change.width != 16 + 640)
            << change.what;
    }
}

TEST_F(WindowProcedure, DisplayChangeWhileSwitchingOnlyTellsTheSwitch) {
    layer::window_state.switching = 1;
    Message message = Make(MessageKind::kDisplayChange);
    message.depth = 24;
    layer::RunWindowProcedure(message);
    EXPECT_EQ(layer::window_state.display_changed, 1);
    EXPECT_EQ(layer::window_state.quit_requested, 0);
}

TEST_F(WindowProcedure, PaintBeforeStartPresentsNothing) {
    Message paint = Make(MessageKind::kPaint);
    paint.width = 640;
    paint.height = 480;
    layer::RunWindowProcedure(paint);
    EXPECT_TRUE(test::FakeCallsNamed({"PresentBackScreen"}).empty());

    layer::core_settings.started = 1;
    test::Graphics().draw_target = layer::kDrawTargetBack;
    test::Graphics().vsync_wait = 1;
    layer::RunWindowProcedure(paint);
    EXPECT_EQ(
        test::FakeCallsNamed({"SetVsyncWait", "PresentBackScreen"}),
        (std::vector<std::string>{"SetVsyncWait(0)", "PresentBackScreen", "SetVsyncWait(1)"}));
    EXPECT_EQ(layer::window_state.in_paint, 0);
}

}  // namespace
