// The player program run on the demo game as a user runs it, headless: exit codes, the
// frame it dumps and what it leaves in "Game.ini". QVARN_PLAYER names the program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
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

// Runs the player on a folder with extra environment entries, its standard error going to a
// file when one is named; the exit status.
int RunPlayer(const std::filesystem::path& folder, const std::vector<std::string>& environment,
              const std::filesystem::path& errors = {}) {
    const char* player = std::getenv("QVARN_PLAYER");
    if (player == nullptr)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        for (const std::string& entry : environment)
            putenv(const_cast<char*>(entry.c_str()));
        if (!errors.empty()) {
            const int file = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (file < 0 || dup2(file, STDERR_FILENO) < 0)
                _exit(126);
        }
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
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1", "QVARN_DUMP_FRAME=" + frame.string()}),
              0);
    EXPECT_FALSE(std::filesystem::exists(frame));
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

TEST_F(PlayerRunTest, AFolderNameEndingInA5CTrailByteStarts) {
    for (const char* name : {"デモ表", "デモソ"}) {
        const std::filesystem::path game = tree_.path(name);
        std::filesystem::rename(game_, game);
        EXPECT_EQ(RunPlayer(game, {"QVARN_EXIT_AFTER_FRAMES=1"}), 0) << name;
        const std::string ini = tree_.read(std::string(name) + "/Game.ini");
        EXPECT_EQ(ini.rfind("Start=0\r\n", 0), 0u) << name << ": " << ini;
        std::filesystem::rename(game, game_);
    }
}

TEST_F(PlayerRunTest, ARefusedArchiveIsNamedWhenItsFilesAreMissing) {
    std::filesystem::rename(game_ / "Data", tree_.path("PlainData"));
    tree_.write("demo/Data.qent", "not an archive, but long enough for a header");
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}, errors), 1);
    const std::string text = tree_.read("errors.txt");
    EXPECT_NE(
        text.find("Data.qent was not opened: it is no archive, or one made with another key\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("Data.qent could not be opened)"), std::string::npos) << text;
}

TEST_F(PlayerRunTest, ASecondCopySaysAnotherIsRunning) {
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}), 0);
    // The first run left its lock file in this process's runtime folder: hold it as a running
    // copy would.
    std::filesystem::path lock;
    for (const auto& entry : std::filesystem::directory_iterator(std::getenv("XDG_RUNTIME_DIR")))
        if (entry.path().filename().string().starts_with("qvarn-instance-"))
            lock = entry.path();
    ASSERT_FALSE(lock.empty());
    const int held = open(lock.c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}, errors), 255);
    close(held);
    EXPECT_NE(tree_.read("errors.txt").find("another copy of this game is running"),
              std::string::npos)
        << tree_.read("errors.txt");
}

}  // namespace
