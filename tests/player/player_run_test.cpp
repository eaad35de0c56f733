// The player program run on the demo game as a user runs it, headless: exit codes, the
// frame it dumps and what it leaves in "Game.ini". QVARN_PLAYER names the program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "game/map/map_data.h"
#include "tests/support/fifo_in_place.h"
#include "tests/support/golden.h"
#include "tests/support/temp_tree.h"
#include "tools/lib/demo_events.h"
#include "tools/lib/demo_game.h"
#include "tools/lib/demo_map.h"

namespace {

// Starts the player on a folder with extra environment entries, its stderr into `errors`
// when one is named, and a command line after the folder when one is given; its process id,
// or -1.
pid_t StartPlayer(const std::filesystem::path& folder, const std::vector<std::string>& environment,
                  const std::filesystem::path& errors = {}, const char* command_line = nullptr) {
    const char* player = std::getenv("QVARN_PLAYER");
    if (player == nullptr)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        for (const std::string& entry : environment)
            putenv(const_cast<char*>(entry.c_str()));
        if (!errors.empty() && std::freopen(errors.c_str(), "w", stderr) == nullptr)
            _exit(127);
        execl(player, player, folder.c_str(), command_line, static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// The exit status of a started player; -1 when it did not exit by itself.
int WaitForPlayer(pid_t child) {
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Runs the player on a folder with extra environment entries, its stderr into `errors` when
// one is named, and a command line after the folder when one is given; the exit status.
int RunPlayer(const std::filesystem::path& folder, const std::vector<std::string>& environment,
              const std::filesystem::path& errors = {}, const char* command_line = nullptr) {
    return WaitForPlayer(StartPlayer(folder, environment, errors, command_line));
}

// A player still running this long after its start in a signal test is killed and the test
// fails, so that no player outlives its test.
constexpr std::chrono::seconds kPlayerPatience{60};

// Polls a started player until `ready` holds (true) or it ends (false, its wait status in
// `status`); one still running after kPlayerPatience is killed (false).
template <typename Ready>
bool Await(pid_t child, Ready ready, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + kPlayerPatience;
    for (;;) {
        if (waitpid(child, &status, WNOHANG) == child)
            return false;
        if (ready())
            return true;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        usleep(10000);
    }
}

// The exit status of a signalled player; -1 when it did not exit by itself in time.
int ExitStatusOf(pid_t child) {
    int status = 0;
    Await(
        child, [] { return false; }, status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// True once the player handles SIGTERM itself.
bool CatchesQuit(pid_t child) {
    std::ifstream status("/proc/" + std::to_string(child) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGTERM - 1))) != 0;
    }
    return false;
}

bool FileHolds(const std::filesystem::path& file, const std::string& text) {
    std::ifstream in(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    return written.find(text) != std::string::npos;
}

// The title's choice cursor in the demo's first frames, under a rule of its own.
test::RouteRule ChoiceCursor(int tolerance, const char* why) {
    return test::AreaRule({264, 127, 380, 157}, tolerance, test::RouteRule{}.edge_share, why);
}

// Runs a program with its arguments, its stderr dropped; its exit status, or -1.
int RunQuietly(const std::vector<std::string>& arguments) {
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (std::freopen("/dev/null", "w", stderr) == nullptr)
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return WaitForPlayer(child);
}

// An X server of the test's own, 1280 x 1024 at 24 bits: the Xvfb that QVARN_XVFB names, on
// the first free display, which it writes to a pipe once it takes clients. It ends with the
// object.
class VirtualScreen {
  public:
    VirtualScreen() {
        const char* program = std::getenv("QVARN_XVFB");
        int ends[2];
        if (program == nullptr || pipe(ends) != 0)
            return;
        server_ = fork();
        if (server_ == 0) {
            close(ends[0]);
            const std::string written_to = std::to_string(ends[1]);
            if (std::freopen("/dev/null", "w", stderr) == nullptr)
                _exit(127);
            execl(program, program, "-displayfd", written_to.c_str(), "-screen", "0",
                  "1280x1024x24", "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ends[1]);
        std::string number;
        char digit = 0;
        while (server_ > 0 && read(ends[0], &digit, 1) == 1 && digit != '\n')
            number += digit;
        close(ends[0]);
        if (!number.empty())
            display_ = ":" + number;
    }
    ~VirtualScreen() {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& Display() const { return display_; }

    // What the screen shows in the rectangle, through the screen grabber QVARN_IMPORT names.
    std::optional<test::RgbaImage> Grab(int left, int top, int width, int height,
                                        const std::filesystem::path& file) const {
        const char* grabber = std::getenv("QVARN_IMPORT");
        if (grabber == nullptr)
            return std::nullopt;
        const std::string area = std::to_string(width) + "x" + std::to_string(height) + "+" +
                                 std::to_string(left) + "+" + std::to_string(top);
        if (RunQuietly({grabber, "-display", display_, "-window", "root", "-crop", area, "+repage",
                        file.string()}) != 0)
            return std::nullopt;
        return test::ReadPng(file);
    }

  private:
    pid_t server_ = -1;
    std::string display_;
};

class PlayerRunTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(tools::WriteDemoGame(game_)); }

    test::TempTree tree_;
    std::filesystem::path game_ = tree_.path("demo");
};

// Nothing confirms the title, so that the dump shows its message and choice.
TEST_F(PlayerRunTest, TheDemoRunsHeadlessAndDumpsItsLastFrame) {
    const std::filesystem::path frame = tree_.path("frame.png");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=0", "QVARN_EXIT_AFTER_FRAMES=120",
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

// On the offscreen driver GL starts and draws the demo; a test play copies the layer's log to
// stderr, which names the 3D start-up.
TEST_F(PlayerRunTest, OnAGlCapableDriverTheDemoIsDrawnThroughDirect3D) {
    const std::filesystem::path frame = tree_.path("frame.png");
    const std::filesystem::path errors = tree_.path("errors.txt");
    ASSERT_EQ(
        RunPlayer(game_,
                  {"SDL_VIDEODRIVER=offscreen", "QVARN_DEBUG_OUTPUT=1", "QVARN_AUTO_CONFIRM=0",
                   "QVARN_EXIT_AFTER_FRAMES=120", "QVARN_DUMP_FRAME=" + frame.string()},
                  errors, "Test_Of_Main"),
        0);
    const std::string printed = tree_.read("errors.txt");
    EXPECT_NE(printed.find("Direct3D 関連の初期化は正常に終了しました"), std::string::npos)
        << printed;
    const std::optional<test::RgbaImage> image = test::ReadPng(frame);
    ASSERT_TRUE(image.has_value());
    // The choice cursor is an image with an alpha channel drawn under a blinking blend
    // parameter: the software renderer truncates the product of the two before it blends and
    // truncates the blend, the hardware multiplies and blends exactly and rounds once.
    const test::RouteRule cursor =
        ChoiceCursor(4, "alpha times blend parameter truncated before the blend, or exact");
    // Anti-aliased text: the texture cache holds a grey level v as alpha (v - 1) / 15 and
    // blends the edge and then the body, where the software route composes both from 16
    // levels into one pixel. The text is checked against the GL picture of its own below.
    std::vector<test::RouteRule> rules{test::RouteRule{}, cursor};
    for (const auto& [left, top, right, bottom] :
         {std::array{180, 55, 425, 110}, std::array{262, 127, 380, 212},
          std::array{10, 295, 335, 370}}) {
        test::RouteRule text;
        text.left = left;
        text.top = top;
        text.right = right;
        text.bottom = bottom;
        text.tolerance = 255;
        text.why = "4-bit texture alpha, edge then body, against 16-level composed glyphs";
        rules.push_back(text);
    }
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(*image, "demo-start", rules));
    EXPECT_TRUE(test::MatchesGolden(*image, "demo-start-gl", 2));
}

// On an X server the window shows what GL draws: its client area, centred on the screen, comes
// to match the GL picture of the demo's start. The cursor blinks, and a grab catches it at any
// point of its beat.
TEST_F(PlayerRunTest, OnAnXServerTheWindowShowsTheGlPicture) {
    const VirtualScreen screen;
    ASSERT_FALSE(screen.Display().empty()) << "Xvfb did not start";
    const std::filesystem::path errors = tree_.path("errors.txt");
    const pid_t player = StartPlayer(game_,
                                     {"SDL_VIDEODRIVER=x11", "DISPLAY=" + screen.Display(),
                                      "QVARN_DEBUG_OUTPUT=1", "QVARN_AUTO_CONFIRM=0"},
                                     errors, "Test_Of_Main");
    const std::vector<test::RouteRule> rules{
        test::RouteRule{}, ChoiceCursor(255, "the blinking cursor, grabbed at any point")};
    std::optional<test::RgbaImage> shown;
    int status = 0;
    const bool matched = Await(
        player,
        [&] {
            shown = screen.Grab(320, 272, 640, 480, tree_.path("screen.png"));
            return shown.has_value() && test::PassesRouteRules(*shown, "demo-start-gl", rules);
        },
        status);
    if (matched) {
        kill(player, SIGTERM);
        EXPECT_EQ(ExitStatusOf(player), 0);
    }
    ASSERT_TRUE(shown.has_value()) << "nothing grabbed from " << screen.Display();
    EXPECT_TRUE(test::MatchesGoldenOnOtherRoute(*shown, "demo-start-gl", rules));
    const std::string printed = tree_.read("errors.txt");
    EXPECT_NE(printed.find("Direct3D 関連の初期化は正常に終了しました"), std::string::npos)
        << printed;
}

// On the silent audio driver the sound system starts, plays the demo's sounds and ends; a test
// play's log names the start-up, the driver and the end.
TEST_F(PlayerRunTest, OnTheSilentAudioDriverTheSoundStartUpIsLogged) {
    const std::filesystem::path errors = tree_.path("errors.txt");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_DEBUG_OUTPUT=1", "QVARN_EXIT_AFTER_FRAMES=60"}, errors,
                        "Test_Of_Main"),
              0);
    const std::string printed = tree_.read("errors.txt");
    for (const char* line : {"DirectSound の初期化は正常に終了しました", "dummy",
                             "DirectSound の終了処理は正常に終了しました"})
        EXPECT_NE(printed.find(line), std::string::npos) << line << "\n" << printed;
}

// SoftModeFlag=1 keeps the software route where GL could start: the software picture exactly.
TEST_F(PlayerRunTest, SoftwareDrawingOnAGlCapableDriverGivesTheSoftwarePicture) {
    tree_.write("demo/Game.ini", "Start=0\r\nSoftModeFlag=1\r\n");
    const std::filesystem::path frame = tree_.path("frame.png");
    ASSERT_EQ(
        RunPlayer(game_, {"SDL_VIDEODRIVER=offscreen", "QVARN_AUTO_CONFIRM=0",
                          "QVARN_EXIT_AFTER_FRAMES=120", "QVARN_DUMP_FRAME=" + frame.string()}),
        0);
    const std::optional<test::RgbaImage> image = test::ReadPng(frame);
    ASSERT_TRUE(image.has_value());
    EXPECT_TRUE(test::MatchesGolden(*image, "demo-start"));
}

TEST_F(PlayerRunTest, AutoConfirmPrintsTheTitleMessageAndTakesTheFirstChoice) {
    const std::filesystem::path errors = tree_.path("errors.txt");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=120"}, errors), 0);
    const std::string printed = tree_.read("errors.txt");
    const std::string message = "デモゲームへようこそ\n遊び方：決定キーで選びます\n";
    const std::string choice = "> はじめから\n  つづきから\n  おわる\n";
    const std::size_t at = printed.find(message);
    ASSERT_NE(at, std::string::npos) << printed;
    const std::size_t chosen = printed.find(choice, at + message.size());
    ASSERT_NE(chosen, std::string::npos) << printed;
    const std::size_t named = printed.find("qvarn: typed text \"ゆうしゃ\" (confirmed)\n", chosen);
    ASSERT_NE(named, std::string::npos) << printed;
    EXPECT_NE(printed.find("ようこそ、ゆうしゃさん！\n", named), std::string::npos) << printed;
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

TEST_F(PlayerRunTest, AFolderWithoutGameDatFailsToStartAndLeavesGameIniAlone) {
    std::filesystem::remove(game_ / "Game.dat");
    tree_.write("demo/Game.ini", "kept");
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}, errors), 1);
    EXPECT_EQ(tree_.read("demo/Game.ini"), "kept");
    EXPECT_NE(tree_.read("errors.txt").find("Game.dat がありません"), std::string::npos)
        << tree_.read("errors.txt");
}

// A start map that cannot be read ends the game before its first frame: the map is named and
// the exit status says the start failed.
TEST_F(PlayerRunTest, AnUnreadableStartMapNamesItAndFailsTheStart) {
    tree_.write("demo/Data/MapData/Start.mps", "");
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=60"}, errors), 1);
    EXPECT_NE(tree_.read("errors.txt").find("Start.mps"), std::string::npos)
        << tree_.read("errors.txt");
}

// The game folder given is the one played, or the start fails naming it: never the player's
// own folder in its place.
TEST_F(PlayerRunTest, AGameFolderThatCannotBeUsedIsNamedAndTheStartFails) {
    const std::filesystem::path backslashed = tree_.path("a\\b\\Data");
    std::filesystem::rename(game_, backslashed);
    for (const std::filesystem::path& folder : {backslashed, tree_.path("missing")}) {
        const std::filesystem::path errors = tree_.path("errors.txt");
        EXPECT_EQ(RunPlayer(folder, {"QVARN_EXIT_AFTER_FRAMES=1"}, errors), 1) << folder;
        const std::string printed = tree_.read("errors.txt");
        EXPECT_NE(printed.find("The game folder " + folder.string() + " cannot be used"),
                  std::string::npos)
            << printed;
        EXPECT_EQ(printed.find("Game.dat"), std::string::npos) << printed;
    }
    EXPECT_FALSE(std::filesystem::exists(backslashed / "Game.ini"));
}

// Temporary files that a save or settings write cut short by a kill left behind are removed
// at the next start; everything else stays.
TEST_F(PlayerRunTest, LeftoverTemporaryWritesAreRemovedAtTheNextStart) {
    for (const char* leftover : {"demo/Save/.replacement.Ab3xZ9", "demo/.replacement.000000"})
        tree_.write(leftover, "cut short");
    for (const char* kept : {"demo/Save/.replacement.mine", "demo/Save/notes.txt"})
        tree_.write(kept, "the user's");
    ASSERT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}), 0);
    EXPECT_FALSE(std::filesystem::exists(game_ / "Save" / ".replacement.Ab3xZ9"));
    EXPECT_FALSE(std::filesystem::exists(game_ / ".replacement.000000"));
    EXPECT_EQ(tree_.read("demo/Save/.replacement.mine"), "the user's");
    EXPECT_EQ(tree_.read("demo/Save/notes.txt"), "the user's");
}

// The reproducer: with "Game.dat" emptied the demo's title is lost, its play counter file is
// refused as another game's save and then written anew; the refused file is kept.
TEST_F(PlayerRunTest, AnEmptiedGameDatKeepsTheSaveItRefuses) {
    ASSERT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=120"}), 0);
    const std::string save = tree_.read("demo/Save/System.sav");
    ASSERT_FALSE(save.empty());
    tree_.write("demo/Game.dat", "");
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=120"}, errors), 0);
    const std::string printed = tree_.read("errors.txt");
    EXPECT_NE(printed.find("Save\\System.sav is no save this game accepts; it is kept as "
                           "Save\\System.sav.refused-1\n"),
              std::string::npos)
        << printed;
    EXPECT_EQ(tree_.read("demo/Save/System.sav.refused-1"), save);
    EXPECT_TRUE(std::filesystem::exists(game_ / "Save" / "System.sav"));
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

// The demo whose start map's automatic event has an unknown code in place of the command
// that switches it off: it is picked again at once, frame after frame.
bool BreakTheAutomaticSwitch(const std::filesystem::path& game) {
    constexpr std::int32_t kSetVariable = 121;
    constexpr std::int32_t kOwnSelfVariable0 = 1100000;
    constexpr int kAutomaticStart = 1;
    game::MapData map = tools::DemoStartMap();
    tools::AddDemoEvents(map);
    int broken = 0;
    for (game::MapEvent& event : map.events) {
        if (event.pages[0].conditions.startKind != kAutomaticStart)
            continue;
        for (game::EventCommand& line : event.pages[0].commands) {
            if (line.args.size() > 1 && line.args[0] == kSetVariable &&
                line.args[1] == kOwnSelfVariable0) {
                line.args[0] = 0x7FFF;
                ++broken;
            }
        }
    }
    const std::vector<std::uint8_t> bytes = map.BuildMapImage(game::ScrambleSeeds{});
    std::ofstream out(game / "Data" / "MapData" / "Start.mps", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return broken == 1 && out.good();
}

TEST_F(PlayerRunTest, SigtermEndsTheDemoAsClosingItsWindowDoes) {
    const pid_t player = StartPlayer(game_, {"QVARN_AUTO_CONFIRM=1"});
    int status = 0;
    ASSERT_TRUE(Await(
        player, [&] { return CatchesQuit(player); }, status));
    kill(player, SIGTERM);
    EXPECT_EQ(ExitStatusOf(player), 0);
    EXPECT_EQ(tree_.read("demo/Game.ini").rfind("Start=0\r\n", 0), 0u);
}

TEST_F(PlayerRunTest, SigtermEndsAGameWhoseAutomaticEventNeverSwitchesOff) {
    ASSERT_TRUE(BreakTheAutomaticSwitch(game_));
    const std::filesystem::path errors = tree_.path("errors.txt");
    const pid_t player = StartPlayer(game_, {"QVARN_AUTO_CONFIRM=1"}, errors);
    // Signalled once the event has run a frame into the step cap.
    const std::string report = "1フレームあたりの処理が500000個を越えました";
    int status = 0;
    ASSERT_TRUE(Await(
        player, [&] { return FileHolds(errors, report); }, status));
    kill(player, SIGTERM);
    EXPECT_EQ(ExitStatusOf(player), 0);
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

// A FIFO or a folder in place of a file the player reads is a file that cannot be read: the
// start goes as it goes for a missing file, with its message, and never waits on the FIFO.
TEST_F(PlayerRunTest, AFifoOrAFolderInPlaceOfAFileIsAFileThatCannotBeRead) {
    std::filesystem::copy(game_ / "Data", tree_.path("PlainData"),
                          std::filesystem::copy_options::recursive);
    const struct {
        const char* file;
        bool fifo;
        bool archive_only;
        int exit_status;
        const char* message;
    } cases[] = {
        {"Data/BasicData/CDataBase.dat", true, false, 1, "CDataBase.dat\r\nのファイルがあるか"},
        {"Data/BasicData/CDataBase.dat", false, false, 1, "CDataBase.dat\r\nのファイルがあるか"},
        {"Data/MapData/Start.mps", true, false, 1, "Start.mps がありません"},
        {"Data.qent", true, true, 1, "Data.qent was not opened: it cannot be read\n"},
    };
    const std::filesystem::path errors = tree_.path("errors.txt");
    for (const auto& [file, fifo, archive_only, exit_status, message] : cases) {
        std::filesystem::remove_all(game_ / "Data");
        if (!archive_only)
            std::filesystem::copy(tree_.path("PlainData"), game_ / "Data",
                                  std::filesystem::copy_options::recursive);
        std::optional<test::FifoInPlace> pipe;
        if (fifo) {
            pipe.emplace(game_ / file);
            ASSERT_TRUE(pipe->made()) << file;
        } else {
            std::filesystem::remove(game_ / file);
            std::filesystem::create_directory(game_ / file);
        }
        const pid_t player =
            StartPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=30"}, errors);
        EXPECT_EQ(ExitStatusOf(player), exit_status) << file;
        const std::string printed = tree_.read("errors.txt");
        EXPECT_NE(printed.find(message), std::string::npos) << file << ": " << printed;
        pipe.reset();
        std::filesystem::remove_all(game_ / file);
    }
}

// A picture or sound of the demo that is there but does not decode: the game goes on as
// before, and one line on standard error names the file and what is wrong with it.
TEST_F(PlayerRunTest, ADamagedPictureOrSoundIsNamedAndTheGameGoesOn) {
    const struct {
        const char* file;
        std::size_t kept_bytes;
        const char* line;
    } cases[] = {
        {"Data/CharaChip/hero.png", 0,
         "Data\\CharaChip\\hero.png: not a PNG, JPEG, BMP, TGA or DDS image\n"},
        {"Data/Picture/Title.png", 40,
         "Data\\Picture\\Title.png: a damaged or unsupported PNG image\n"},
        {"Data/Sound/Tune.ogg", 100,
         "Data\\Sound\\Tune.ogg: a damaged or unsupported Ogg Vorbis sound\n"},
        {"Data/Sound/Decide.wav", 30,
         "Data\\Sound\\Decide.wav: a damaged or unsupported WAV sound\n"},
    };
    const std::filesystem::path errors = tree_.path("errors.txt");
    for (const auto& [file, kept_bytes, line] : cases) {
        const std::string whole = tree_.read(std::string("demo/") + file);
        tree_.write(std::string("demo/") + file, whole.substr(0, kept_bytes));
        EXPECT_EQ(RunPlayer(game_, {"QVARN_AUTO_CONFIRM=1", "QVARN_EXIT_AFTER_FRAMES=120"}, errors),
                  0)
            << file;
        const std::string printed = tree_.read("errors.txt");
        EXPECT_NE(printed.find(line), std::string::npos) << file << ": " << printed;
        tree_.write(std::string("demo/") + file, whole);
    }
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
    // What looks like a write cut short may be the running copy's write in progress.
    tree_.write("demo/Save/.replacement.Ab3xZ9", "being written");
    const std::filesystem::path errors = tree_.path("errors.txt");
    EXPECT_EQ(RunPlayer(game_, {"QVARN_EXIT_AFTER_FRAMES=1"}, errors), 255);
    close(held);
    EXPECT_EQ(tree_.read("demo/Save/.replacement.Ab3xZ9"), "being written");
    EXPECT_NE(tree_.read("errors.txt").find("another copy of this game is running"),
              std::string::npos)
        << tree_.read("errors.txt");
}

}  // namespace
