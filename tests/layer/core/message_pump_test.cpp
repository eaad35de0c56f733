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

    static void PostSocketNotices(int count) {
        Message message;
        message.kind = MessageKind::kSocketNotify;
        for (int i = 0; i < count; ++i) {
            platform::PostWindowMessage(message);
        }
    }
};

// Each pass of an inactive window ends with the network service, which shows where the passes
// end.
TEST_F(MessagePump, PassesEndAfterFiveDispatchesThenAfterTheRestThenEmpty) {
    layer::window_state.active = 0;
    layer::window_state.quit_requested = 1;
    PostSocketNotices(6);
    EXPECT_EQ(layer::RunMessagePump(), 0);
    const std::vector<std::string> passes =
        test::FakeCallsNamed({"HandleSocketEvent", "PumpNetworkMessages"});
    const std::string notice = "HandleSocketEvent";
    const std::string pass_end = "PumpNetworkMessages";
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

TEST_F(MessagePump, EveryPumpServicesInItsOrder) {
    EXPECT_EQ(layer::RunMessagePump(), 0);
    EXPECT_EQ(test::FakeCalls(), (std::vector<std::string>{
                                     "ServiceStreamSounds", "PollMidiPlayState",
                                     "PumpNetworkMessages", "UpdateHttpSlots", "ApplyTypedChars"}));
}

TEST_F(MessagePump, WaitingZeroMillisecondsPumpsOnce) {
    EXPECT_EQ(layer::WaitMilliseconds(0), 0);
    EXPECT_EQ(test::FakeCallsNamed({"ApplyTypedChars"}).size(), 1u);
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
