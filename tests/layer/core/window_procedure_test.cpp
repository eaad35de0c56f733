#include "layer/core/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layer/core/core_settings.h"
#include "layer/core/input_devices.h"
#include "layer/core/layer_api.h"
#include "layer/core/message_pump.h"
#include "layer/core/typed_char_buffer.h"
#include "layer/core/window_state.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"
#include "platform/message_queue.h"
#include "platform/presenter.h"
#include "tests/layer/core/fake_services.h"
#include "tests/layer/core/layer_fixture.h"

namespace {

using platform::Message;
using platform::MessageKind;

class WindowProcedure : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        layer::typed_char_buffer = {};
        layer::core_settings = {};
        platform::DiscardWindowMessages();
        restores = 0;
    }
    void TearDown() override {
        LayerTest::TearDown();
        layer::core_settings = {};
        platform::DiscardWindowMessages();
    }

    // The layer started, with its start's messages handled and a restore handler that counts
    // the rebuilds of lost graphics.
    static void StartLayer() {
        ASSERT_EQ(layer::InitializeLayer(), 0);
        while (platform::HasWindowMessage()) {
            layer::RunMessagePump();
        }
        ASSERT_EQ(layer::InstallGraphRestoreHandler(CountRestore), 0);
        test::FakeCalls().clear();
    }
    static void CountRestore(int) { ++restores; }

    static std::uint32_t FramePixel(int x, int y) {
        std::uint32_t pixel = 0;
        EXPECT_EQ(platform::ReadRetainedFrame({x, y, x + 1, y + 1}, &pixel, 4), 0);
        return pixel & 0xFFFFFF;
    }

    static inline int restores = 0;

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
    StartLayer();
    Message activate = Make(MessageKind::kActivate);
    activate.active = 1;
    activate.minimized = 1;
    layer::RunWindowProcedure(activate);
    EXPECT_EQ(restores, 0);
    EXPECT_EQ(layer::window_state.active, 1);

    activate.minimized = 0;
    layer::RunWindowProcedure(activate);
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(test::FakeCallsNamed({"ResumeAllMovies"}).size(), 2u);
}

TEST_F(WindowProcedure, ActivationWhileCreatingOnlySetsTheFlag) {
    layer::window_state.creating = 1;
    layer::input_devices.last_keyboard_poll = 7;
    Message activate = Make(MessageKind::kActivate);
    activate.active = 1;
    layer::RunWindowProcedure(activate);
    EXPECT_EQ(layer::window_state.active, 1);
    EXPECT_EQ(layer::input_devices.last_keyboard_poll, 7);
    EXPECT_TRUE(test::FakeCalls().empty());
}

// The input devices are read afresh on the next query.
TEST_F(WindowProcedure, AppDeactivationDeactivates) {
    layer::window_state.active = 1;
    layer::input_devices.last_keyboard_poll = 7;
    for (layer::PadRecord& pad : layer::input_devices.pads) {
        pad.last_poll = 7;
    }
    Message app = Make(MessageKind::kActivateApp);
    app.active = 0;
    layer::RunWindowProcedure(app);
    EXPECT_EQ(layer::window_state.active, 0);
    EXPECT_EQ(test::FakeCalls(), (std::vector<std::string>{"SuspendAllMovies"}));
    EXPECT_EQ(layer::input_devices.last_keyboard_poll, -1);
    for (const layer::PadRecord& pad : layer::input_devices.pads) {
        EXPECT_EQ(pad.last_poll, -1);
    }
}

// The screen started in window mode is 640 x 480 in the desktop's 32 bits.
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
        {"same mode", 0, 32, 640, 480, false},       {"larger desktop", 1, 32, 800, 600, false},
        {"16 bits", 1, 16, 640, 480, false},         {"no restore handler", 0, 32, 800, 600, true},
        {"24 bits", 1, 24, 640, 480, true},          {"8 bits from 32", 1, 8, 640, 480, true},
        {"narrower desktop", 1, 32, 600, 480, true}, {"lower desktop", 1, 32, 640, 400, true},
    };
    StartLayer();
    int bits = 0;
    layer::QueryScreenMode(nullptr, nullptr, &bits);
    ASSERT_EQ(bits, 32);
    for (const ChangeCase& change : cases) {
        layer::window_state.quit_requested = 0;
        layer::window_state.display_changed = 0;
        platform::DiscardWindowMessages();
        restores = 0;
        if (change.restore_handler != 0) {
            layer::InstallGraphRestoreHandler(CountRestore);
        } else {
            // No entry takes the handler away; a layer still starting has none yet.
            layer::draw_settings.restore_handler = nullptr;
        }
        Message message = Make(MessageKind::kDisplayChange);
        message.depth = change.depth;
        message.width = change.width;
        message.height = change.height;
        layer::RunWindowProcedure(message);
        EXPECT_EQ(layer::window_state.quit_requested, change.closes ? 1 : 0) << change.what;
        EXPECT_EQ(layer::window_state.display_changed, change.closes ? 0 : 1) << change.what;
        Message posted;
        bool close_posted = false;
        while (platform::TakeWindowMessage(&posted)) {
            close_posted = close_posted || posted.kind == MessageKind::kClose;
        }
        EXPECT_EQ(close_posted, change.closes) << change.what;
        const bool rebuilt = restores != 0;
        EXPECT_EQ(rebuilt, !change.closes && change.depth + change.width != 32 + 640)
            << change.what;
    }
    // The close requests were taken from the queue above; the shutdown asks again.
    layer::window_state.quit_requested = 0;
}

TEST_F(WindowProcedure, DisplayChangeWhileSwitchingOnlyTellsTheSwitch) {
    layer::window_state.switching = 1;
    Message message = Make(MessageKind::kDisplayChange);
    message.depth = 24;
    layer::RunWindowProcedure(message);
    EXPECT_EQ(layer::window_state.display_changed, 1);
    EXPECT_EQ(layer::window_state.quit_requested, 0);
}

// The back screen reaches the window on a paint only once the layer has started.
TEST_F(WindowProcedure, PaintBeforeStartPresentsNothing) {
    StartLayer();
    layer::ChangeDrawTarget(layer::kDrawTargetBack);
    layer::PaintRectangle(0, 0, 640, 480, layer::MakeScreenColor(255, 0, 0), 1);
    Message paint = Make(MessageKind::kPaint);
    paint.width = 640;
    paint.height = 480;

    layer::core_settings.started = 0;
    layer::RunWindowProcedure(paint);
    EXPECT_EQ(FramePixel(5, 5), 0u);

    layer::core_settings.started = 1;
    layer::RunWindowProcedure(paint);
    EXPECT_EQ(FramePixel(5, 5), 0xFF0000u);
    EXPECT_EQ(FramePixel(634, 474), 0xFF0000u);
    EXPECT_EQ(layer::GetVsyncWait(), 1);
    EXPECT_EQ(layer::window_state.in_paint, 0);
}

}  // namespace
