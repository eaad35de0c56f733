#include "layer/core/message_pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "layer/core/layer_api.h"
#include "layer/core/window_state.h"
#include "platform/clock.h"
#include "platform/message_queue.h"
#include "tests/layer/core/fake_services.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/typed_text_confirm_scope.h"

namespace {

using platform::Message;
using platform::MessageKind;

class MessagePump : public test::LayerTest {
  protected:
    void SetUp() override {
        LayerTest::SetUp();
        ASSERT_EQ(layer::InitializeLayer(), 0);
        while (platform::HasWindowMessage()) {
            layer::RunMessagePump();
        }
        test::FakeCalls().clear();
    }

    static void PostMusicNotices(int count) {
        Message message;
        message.kind = MessageKind::kMusicNotify;
        for (int i = 0; i < count; ++i) {
            platform::PostWindowMessage(message);
        }
    }
};

// Each pass of an inactive window ends with the stream-sound service, which shows where the
// passes end; the pump's own service follows the last.
TEST_F(MessagePump, PassesEndAfterFiveDispatchesThenAfterTheRestThenEmpty) {
    layer::window_state.active = 0;
    layer::window_state.quit_requested = 1;
    PostMusicNotices(6);
    EXPECT_EQ(layer::RunMessagePump(), 0);
    const std::vector<std::string> passes =
        test::FakeCallsNamed({"HandleMciNotify", "ServiceStreamSounds"});
    const std::string notice = "HandleMciNotify";
    const std::string pass_end = "ServiceStreamSounds";
    EXPECT_EQ(passes, (std::vector<std::string>{notice, notice, notice, notice, notice, pass_end,
                                                notice, pass_end, pass_end, pass_end}));
    layer::window_state.quit_requested = 0;
}

TEST_F(MessagePump, EveryPumpAfterTheWindowWasDestroyedReportsTheEnd) {
    Message close;
    close.kind = MessageKind::kClose;
    platform::PostWindowMessage(close);
    EXPECT_EQ(layer::RunMessagePump(), -1);
    EXPECT_EQ(layer::RunMessagePump(), -1);
    EXPECT_EQ(layer::PumpMessages(), -1);
}

TEST_F(MessagePump, InactiveWindowWaitsForAnActivationFromAnotherThread) {
    layer::window_state.active = 0;
    std::atomic<bool> posted{false};
    std::thread activator([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        posted = true;
        Message activate;
        activate.kind = MessageKind::kActivate;
        activate.active = 1;
        platform::PostWindowMessage(activate);
    });
    EXPECT_EQ(layer::RunMessagePump(), 0);
    EXPECT_TRUE(posted);
    EXPECT_EQ(layer::window_state.active, 1);
    activator.join();
}

TEST_F(MessagePump, RunningWhileInactiveReturnsAfterOneIdlePass) {
    layer::window_state.active = 0;
    layer::window_state.run_while_inactive = 1;
    EXPECT_EQ(layer::RunMessagePump(), 0);
    EXPECT_TRUE(test::FakeCallsNamed({"PresentWindowMovies"}).empty());
}

// The typed characters reach the active input within the same pump.
TEST_F(MessagePump, EveryPumpServicesInItsOrderAndAppliesTypedCharacters) {
    const test::TypedTextConfirmScope typing(false);
    const int input = layer::CreateTextInput(8, 0, 0, 0);
    ASSERT_EQ(layer::ActivateTextInput(input), 0);
    test::FakeCalls().clear();
    Message typed;
    typed.kind = MessageKind::kChar;
    typed.character = 'q';
    platform::PostWindowMessage(typed);
    EXPECT_EQ(layer::RunMessagePump(), 0);
    EXPECT_EQ(test::FakeCalls(),
              (std::vector<std::string>{"ServiceStreamSounds", "PollMidiPlayState"}));
    char text[8] = {};
    ASSERT_EQ(layer::GetTextInputString(text, sizeof text, input), 0);
    EXPECT_STREQ(text, "q");
}

TEST_F(MessagePump, WaitingZeroMillisecondsPumpsOnce) {
    EXPECT_EQ(layer::WaitMilliseconds(0), 0);
    EXPECT_EQ(test::FakeCallsNamed({"ServiceStreamSounds"}).size(), 1u);
}

TEST(MessagePumpWithoutWindow, ReturnsZeroAndServicesNothing) {
    test::ResetFakes();
    layer::window_state = {};
    EXPECT_EQ(layer::RunMessagePump(), 0);
    EXPECT_TRUE(test::FakeCalls().empty());
    layer::window_state.quit = 1;
    EXPECT_EQ(layer::RunMessagePump(), -1);
    layer::window_state = {};
}

}  // namespace
