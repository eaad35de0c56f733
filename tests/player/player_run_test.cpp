// The player program run on the demo game as a user runs it, headless: exit codes, the
// frame it dumps and what it leaves in "Game.ini". QVARN_PLAYER names the program.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/golden.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/demo_game.h"

namespace {

// Runs the player on a folder with extra environment entries; the exit status.
int RunPlayer(const std::filesystem::path& folder, const std::vector<std::string>& environment) {
    const char* player = std::getenv("QVARN_PLAYER");
    if (player == nullptr)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        for (const std::string& entry : environment)
            putenv(const_cast<char*>(entry.c_str()));
        execl(player, player, folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

class PlayerRunTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tools::WriteDemoGame(game_)); }

    test::TempTree tree_;
    std::filesystem::path game_ = tree_.path("demo");
};

TEST_F(PlayerRunTest, TheDemoRunsHeadlessAndDumpsItsLastFrame) {
    const std::filesystem::path frame = tree_.path("frame.png");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=120",
                                "QVARN_DUMP_FRAME=" + frame.string()}),
              0);
    const std::optional<test::RgbaImage> image = test::ReadPng(frame);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 640);
    EXPECT_EQ(image->height, 480);
    EXPECT_TRUE(test::MatchesGolden(*image, "demo-start"));
    const std::string ini = tree_.read("demo/Game.ini");
    EXPECT_EQ(ini.rfind("Start=0\r\n", 0), 0u) << ini;
}

TEST_F(PlayerRunTest, WithNoFramePresentedNothingIsDumped) {
    const std::filesystem::path frame = tree_.path("frame.png");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=0", "QVARN_DUMP_FRAME=" + frame.string()}),
              0);
    EXPECT_FALSE(std::filesystem::exists(frame));
}

TEST_F(PlayerRunTest, ARunOfOneFrameDumpsThatFrame) {
    const std::filesystem::path frame = tree_.path("frame.png");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1", "QVARN_DUMP_FRAME=" + frame.string()}),
              0);
    EXPECT_TRUE(std::filesystem::exists(frame));
}

TEST_F(PlayerRunTest, AFolderWithoutGameDatEndsWithZeroAndLeavesGameIniAlone) {
    std::filesystem::remove(game_ / "Game.dat");
    tree_.write("demo/Game.ini", "kept");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}), 0);
    EXPECT_EQ(tree_.read("demo/Game.ini"), "kept");
}

TEST_F(PlayerRunTest, ALayerThatCannotStartEndsWith255AndWritesNothing) {
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1", "SDL_VIDEODRIVER=no-such-driver"}),
              255);
    EXPECT_FALSE(std::filesystem::exists(game_ / "Game.ini"));
}

TEST_F(PlayerRunTest, AnUnfinishedEarlierStartChoosesSoftwareDrawingForGood) {
    tree_.write("demo/Game.ini", "Start=1\r\nSoftModeFlag=0\r\n");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}), 0);
    const std::string ini = tree_.read("demo/Game.ini");
    EXPECT_NE(ini.find("Start=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SoftModeFlag=1"), std::string::npos) << ini;
}

}  // namespace
