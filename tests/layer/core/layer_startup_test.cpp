#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layer/core/api_lock.h"
#include "layer/core/core_settings.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/system_info.h"
#include "layer/core/window_state.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "platform/file_system.h"
#include "platform/game_path.h"
#include "platform/input_events.h"
#include "platform/instance_lock.h"
#include "platform/presenter.h"
#include "platform/sdl_main_window.h"
#include "tests/layer/core/fake_services.h"
#include "tests/layer/core/layer_fixture.h"
#include "tests/support/input_events.h"
#include "tests/support/sjis.h"

namespace {

using test::FakeCallsNamed;
using test::Sjis;

class LayerStartup : public test::LayerTest {};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(LayerStartup, StartsWithTheSystemReportAndAWindowOfTheScreenSize) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const std::string log = ReadLog();
    for (const char8_t* line :
         {u8"\tＱｖａｒｎ Ver2.25c\r\n", u8"\tＯＳ  Linux ", u8"\tＣＰＵ動作速度：大体",
          u8"メモリ総量:", u8"タイマーの精度を検査します\r\n",
          u8" パフォーマンスカウンターを使用します タイマー分解能 : ",
          u8"二重起動はされていませんでした\r\n"}) {
        EXPECT_TRUE(Contains(log, Sjis(line))) << reinterpret_cast<const char*>(line);
    }
    SDL_Window* window = platform::CurrentSdlWindow();
    ASSERT_NE(window, nullptr);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Qvarn");
    EXPECT_EQ(layer::window_state.class_name, "D123987X");
    EXPECT_EQ(layer::IsWindowActive(), 1);
}

TEST_F(LayerStartup, CaptionNamesTheWindowAndItsClass) {
    layer::SetWindowCaption(Sjis(u8"テスト").c_str());
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_STREQ(SDL_GetWindowTitle(platform::CurrentSdlWindow()), "テスト");
    EXPECT_EQ(layer::window_state.class_name, Sjis(u8"テスト"));
}

// The card's details are read only while Shift is held; the display stand-in without GL names
// itself and its assumed 16 MB.
TEST_F(LayerStartup, AHeldShiftReportsTheVideoCard) {
    platform::StartInputEvents();
    test::PushKey(SDL_SCANCODE_RSHIFT, true);
    ASSERT_EQ(layer::InitializeLayer(), 0);
    test::PushKey(SDL_SCANCODE_RSHIFT, false);
    const std::string log = ReadLog();
    EXPECT_TRUE(Contains(log, Sjis(u8"\tビデオカードの情報\r\n")));
    EXPECT_TRUE(
        Contains(log, Sjis(u8"\t\tビデオカードドライバ:qvarn-display バージョン:1.0.0.0 ")));
    EXPECT_TRUE(Contains(log, Sjis(u8"ドライバ記述:Software display \r\n")));
    EXPECT_TRUE(
        Contains(log, Sjis(u8"\t\tビデオメモリ総量:16.00MB ビデオメモリ空き容量:16.00MB\r\n")));
    EXPECT_EQ(layer::system_info.video_driver_name, "qvarn-display");
    EXPECT_EQ(layer::system_info.video_driver_description, "Software display");
    EXPECT_EQ(layer::system_info.free_video_memory, 0x1000000u);
}

TEST_F(LayerStartup, WithoutShiftTheVideoCardKeepsTheAssumedValues) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_FALSE(Contains(ReadLog(), Sjis(u8"ビデオカードドライバ:")));
    EXPECT_EQ(layer::system_info.video_driver_name, "");
    EXPECT_EQ(layer::system_info.free_video_memory, 0u);
    EXPECT_EQ(layer::system_info.total_video_memory, 0x1000000u);
}

TEST_F(LayerStartup, SecondStartChangesNothing) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const std::string log = ReadLog();
    SDL_Window* window = platform::CurrentSdlWindow();
    const int graph = layer::CreateBlankGraph(8, 8, 0);
    ASSERT_GE(graph, 0);
    test::FakeCalls().clear();
    EXPECT_EQ(layer::InitializeLayer(), 0);
    EXPECT_TRUE(test::FakeCalls().empty());
    EXPECT_EQ(ReadLog(), log);
    EXPECT_EQ(platform::CurrentSdlWindow(), window);
    EXPECT_EQ(layer::IsGraphHandleLive(graph), 1);
}

// The pending services are seen by their calls, the key-input strings by their log texts and
// what the shutdown leaves of them, the graphics by what its start and end leave. The network
// is never started and says nothing.
TEST_F(LayerStartup, StartsAndEndsTheServicesInOrder) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_EQ(FakeCallsNamed({"BuildYuvTables", "StartSoundSystem"}),
              (std::vector<std::string>{"BuildYuvTables", "StartSoundSystem"}));
    const std::string log = ReadLog();
    EXPECT_TRUE(Contains(log, Sjis(u8"文字コードバッファの初期化を行います... 完了しました\r\n")));
    EXPECT_FALSE(Contains(log, Sjis(u8"ネットワーク")));
    EXPECT_EQ(layer::IsGraphicsStarted(), 1);
    EXPECT_EQ(layer::HasGraphRestoreHandler(), 1);
    EXPECT_EQ(layer::GetVsyncWait(), 1);
    EXPECT_EQ(layer::GetDrawTarget(), layer::kDrawTargetFront);
    // The first frames leave no graph behind and the screen black.
    EXPECT_EQ(layer::GetGraphCount(), 0);
    std::uint32_t corners[2] = {0xFFFFFFFFu, 0xFFFFFFFFu};
    ASSERT_EQ(platform::ReadRetainedFrame({0, 0, 1, 1}, corners, 4), 0);
    ASSERT_EQ(platform::ReadRetainedFrame({639, 479, 640, 480}, corners + 1, 4), 0);
    EXPECT_EQ(corners[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(corners[1] & 0xFFFFFF, 0u);

    layer::CreateBlankGraph(8, 8, 0);
    const int input = layer::CreateTextInput(8, 0, 0, 0);
    ASSERT_GE(input, 0);
    test::FakeCalls().clear();
    EXPECT_EQ(layer::ShutdownLayer(), 0);
    EXPECT_EQ(FakeCallsNamed({"EndMusicFilePlayback", "EndSoundSystem"}),
              (std::vector<std::string>{"EndMusicFilePlayback", "EndSoundSystem"}));
    EXPECT_EQ(layer::GetTextInputState(input), -1);
    EXPECT_FALSE(Contains(ReadLog(), Sjis(u8"ネットワーク")));
    EXPECT_EQ(layer::IsGraphicsStarted(), 0);
    EXPECT_EQ(layer::GetGraphCount(), 0);
}

TEST_F(LayerStartup, ShutdownLeavesNoWindowAndReturnsToTheStartFolder) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    const std::string start_folder = platform::GetCurrentFolder();
    tree.write("elsewhere/x", "");
    ASSERT_TRUE(
        platform::SetCurrentFolder(platform::DiskPathToGamePath(tree.path("elsewhere").string())));
    EXPECT_EQ(layer::ShutdownLayer(), 0);
    EXPECT_EQ(platform::CurrentSdlWindow(), nullptr);
    EXPECT_EQ(layer::core_settings.started, 0);
    EXPECT_EQ(platform::GetCurrentFolder(), start_folder);
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"ソフトを終了する準備が整いました\r\n")));

    EXPECT_EQ(layer::InitializeLayer(), 0);
    EXPECT_NE(platform::CurrentSdlWindow(), nullptr);
}

TEST_F(LayerStartup, ShutdownBeforeStartDoesNothing) {
    layer::PumpMessages();
    ASSERT_TRUE(layer::api_lock.created());
    EXPECT_EQ(layer::ShutdownLayer(), 0);
    EXPECT_TRUE(test::FakeCalls().empty());
    EXPECT_TRUE(layer::api_lock.created());
}

TEST_F(LayerStartup, ShutdownDestroysTheLockAndAFreshStartCreatesItAgain) {
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_TRUE(layer::api_lock.created());
    EXPECT_EQ(layer::ShutdownLayer(), 0);
    EXPECT_FALSE(layer::api_lock.created());
    EXPECT_EQ(layer::InitializeLayer(), 0);
    EXPECT_TRUE(layer::api_lock.created());
}

TEST_F(LayerStartup, SecondCopyIsRefusedAndALaterStartWorks) {
    platform::InstanceLock other_copy;
    ASSERT_TRUE(other_copy.Acquire("D123987X"));
    EXPECT_EQ(layer::InitializeLayer(), -1);
    EXPECT_TRUE(Contains(ReadLog(), Sjis(u8"二重起動されています、ソフトを終了します\r\n")));
    EXPECT_EQ(platform::CurrentSdlWindow(), nullptr);
    EXPECT_EQ(layer::core_settings.starting, 0);

    other_copy.Release();
    EXPECT_EQ(layer::InitializeLayer(), 0);
}

TEST_F(LayerStartup, TwentyFourBitScreenIsRefusedWithoutLeavingAStartBehind) {
    // No entry asks for 24 bits; the screen answers them as on a 24-bit display.
    layer::direct_draw.requested_bits = 24;
    EXPECT_EQ(layer::InitializeLayer(), -1);
    EXPECT_TRUE(
        Contains(ReadLog(), Sjis(u8"Ｑｖａｒｎは２４ビットカラーモードに対応していません")));
    EXPECT_FALSE(Contains(ReadLog(), Sjis(u8"システムの情報")));
    EXPECT_EQ(layer::core_settings.starting, 0);
    EXPECT_EQ(platform::CurrentSdlWindow(), nullptr);
}

TEST_F(LayerStartup, FullScreenStartCoversTheDesktop) {
    layer::window_state.window_mode = 0;
    ASSERT_EQ(layer::InitializeLayer(), 0);
    EXPECT_NE(SDL_GetWindowFlags(platform::CurrentSdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    EXPECT_EQ(layer::window_state.client_rect.right, 640);
    EXPECT_EQ(layer::window_state.client_rect.bottom, 480);
    EXPECT_EQ(layer::IsMouseCursorShown(), 0);
}

// The log's copy on stderr shows what was logged before the process ended.
TEST_F(LayerStartup, AbortEndsTheProcessWith255AfterLogging) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("QVARN_DEBUG_OUTPUT", "1", 1);
    layer::SetLogFolder(platform::DiskPathToGamePath(tree.root().string()));
    layer::InitLog();
    EXPECT_EXIT(layer::AbortWithError(Sjis(u8"致命的").c_str()), testing::ExitedWithCode(255),
                "致命的");
    unsetenv("QVARN_DEBUG_OUTPUT");
}

}  // namespace
