#include "game/core/game_ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "layer/core/layer_api.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/temp_tree.h"

namespace game {
namespace {

struct Values {
    int start, soft, window, sound, frameSkip;
    std::string proxy, proxyPort;
    int screenShot;
    bool operator==(const Values&) const = default;
};

Values Parse(const std::string& text) {
    Values v{};
    ParseGameIniText(text, v.start, v.soft, v.window, v.sound, v.frameSkip);
    v.proxy = Proxy;
    v.proxyPort = ProxyPort;
    v.screenShot = ScreenShotFlag;
    return v;
}

TEST(GameIni, ReadsTheTable) {
    struct Case {
        const char* name;
        std::string text;
        Values values;
    };
    const Case cases[] = {
        {"only frame skip", "FrameSkip=2", {0, 0, 1, 3, 2, "", "", 1}},
        {"spaces removed", "Window Mode Flag = 0\r\n", {0, 0, 0, 3, 0, "", "", 1}},
        {"start keeps its sign and digits",
         "Start=-12\r\nSEandBGM=1",
         {-12, 0, 1, 1, 0, "", "", 1}},
        {"first digit only", "SoftModeFlag=17\r\nScreenShotFlag=x", {0, 1, 1, 3, 0, "", "", 0}},
        {"proxy without final line feed keeps its text",
         "Proxy=host\r\nProxyPort=80",
         {0, 0, 1, 3, 0, "host", "80", 1}},
        {"proxy with LF line ends", "Proxy=a.b\nProxyPort=8\n", {0, 0, 1, 3, 0, "a.b", "8", 1}},
        {"empty", "", {0, 0, 1, 3, 0, "", "", 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Parse(c.text), c.values);
    }
}

class GameIniFile : public testing::Test {
  protected:
    GameIniFile() : previous_(std::filesystem::current_path()) {
        layer::ChangeCurrentFolder(tree_.root().c_str());
    }
    ~GameIniFile() override {
        layer::ChangeCurrentFolder(previous_.c_str());
        WindowModeFlag = 1;
        SEandBGM = 3;
        Proxy.clear();
        ProxyPort.clear();
        ScreenShotFlag = 1;
    }
    test::TempTree tree_;
    std::filesystem::path previous_;
};

TEST_F(GameIniFile, AMissingFileGivesDefaultsAndStartMinusOne) {
    Proxy = "kept";
    Values v{};
    EXPECT_EQ(ReadGameIni(v.start, v.soft, v.window, v.sound, v.frameSkip), -1);
    EXPECT_EQ(v.start, -1);
    EXPECT_EQ(v.window, 1);
    EXPECT_EQ(v.sound, 3);
    EXPECT_EQ(Proxy, "kept");
}

TEST_F(GameIniFile, WrittenFilesReadBackAndRewriteByteExact) {
    WindowModeFlag = 0;
    SEandBGM = 2;
    Proxy = "proxy.example";
    ProxyPort = "8080";
    ScreenShotFlag = 0;
    ASSERT_TRUE(WriteGameIni(1, 1, 2));
    const std::string written = tree_.read("Game.ini");
    EXPECT_EQ(written.substr(0, 9), "Start=1\r\n");
    EXPECT_NE(written.back(), '\n');
    // "SEandBGM=2  # 0:SE･BGMなし 1:SEのみ 2:BGMのみ 3:SE+BGMあり"
    EXPECT_NE(written.find("SEandBGM=2  # 0:SE\xA5"
                           "BGM\x82\xC8\x82\xB5 1:SE\x82\xCC\x82\xDD "
                           "2:BGM\x82\xCC\x82\xDD 3:SE+BGM\x82\xA0\x82\xE8\r\n"),
              std::string::npos);

    Values v{};
    ASSERT_EQ(ReadGameIni(v.start, v.soft, v.window, v.sound, v.frameSkip), 1);
    EXPECT_EQ(v.start, 1);
    EXPECT_EQ(v.soft, 1);
    EXPECT_EQ(v.window, 0);
    EXPECT_EQ(v.sound, 2);
    EXPECT_EQ(v.frameSkip, 2);
    EXPECT_EQ(Proxy, "proxy.example");
    EXPECT_EQ(ProxyPort, "8080");
    EXPECT_EQ(ScreenShotFlag, 0);
    WindowModeFlag = v.window;
    SEandBGM = v.sound;
    ASSERT_TRUE(WriteGameIni(v.start, v.soft, v.frameSkip));
    EXPECT_EQ(tree_.read("Game.ini"), written);
}

TEST_F(GameIniFile, AnUnwritableFileShowsTheWriteError) {
    std::filesystem::create_directory(tree_.path("Game.ini"));
    ReportCapture capture;
    EXPECT_FALSE(WriteGameIni(0, 0, 0));
    ASSERT_EQ(capture.boxes().size(), 1u);
    // "書き込みエラー"
    EXPECT_EQ(capture.boxes()[0].caption, "\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x83G\x83\x89\x81[");
}

}  // namespace
}  // namespace game
