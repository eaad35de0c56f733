#include "game/program/game_folder_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"

namespace game {
namespace {

class GameFolderChoiceTest : public testing::Test {
  protected:
    void SetUp() override {
        folder.tree().write("game/Game.dat", "");
        folder.tree().write("game/Save/.keep", "");
        folder.tree().write("a\\b\\Data/Game.dat", "");
    }

    std::string InTree(const std::string& relative) const {
        return folder.tree().path(relative).string();
    }
    std::string GameFormOf(const std::string& relative) const {
        return platform::DiskPathToGamePath(InTree(relative)) + "\\";
    }
    static std::string CurrentFolder() {
        char path[4096];
        return layer::GetCurrentFolderPath(path, sizeof path) > 0 ? path : "";
    }

    GameFolderScope folder;
    ReportCapture reports;
};

TEST_F(GameFolderChoiceTest, AFirstWordNamingAFolderIsTheGameFolder) {
    const std::optional<GameFolderChoice> choice =
        ChooseGameFolder({InTree("game"), "Test_Of_Main", "-vinput", "2000001", "3"});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->gameFolder, GameFormOf("game"));
    EXPECT_EQ(choice->commandLine, "Test_Of_Main -vinput 2000001 3");
    EXPECT_EQ(choice->startFolder, platform::DiskPathToGamePath(folder.tree().root().string()));
    EXPECT_EQ(CurrentFolder() + "\\", GameFormOf("game"));
}

// A test play started in the game folder names "Save" as a text: it stays a word of the game.
TEST_F(GameFolderChoiceTest, AFolderLaterOnTheCommandLineIsTheGamesOwnWord) {
    ASSERT_EQ(layer::ChangeCurrentFolder(InTree("game").c_str()), 0);
    const std::optional<GameFolderChoice> choice =
        ChooseGameFolder({"Test_Of_Main", "-sinput", "3000005", "Save"});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->gameFolder, GameFormOf("game"));
    EXPECT_EQ(choice->commandLine, "Test_Of_Main -sinput 3000005 Save");
}

TEST_F(GameFolderChoiceTest, WithoutAGameDatHereTheProgramsFolderIsTheGameFolder) {
    const std::optional<GameFolderChoice> choice = ChooseGameFolder({"Test_Of_Main"});
    ASSERT_TRUE(choice);
    char program[4096];
    ASSERT_GT(layer::GetProgramFolderPath(program, sizeof program), 0);
    EXPECT_EQ(choice->gameFolder, std::string(program) + "\\");
    EXPECT_TRUE(reports.boxes().empty());
}

// A folder argument that cannot be used ends the start with a box that names it, instead of
// a game played from another folder.
TEST_F(GameFolderChoiceTest, AFolderArgumentThatCannotBeUsedIsNamed) {
    struct Case {
        std::string argument;
        std::string reason;
    };
    std::string tooLong = folder.tree().root().string();
    while (tooLong.size() <= 4096)
        tooLong += "/" + std::string(250, 'd');
    const Case cases[] = {
        {"a\\b\\Data", "no folder has that name (\"\\\" and \"/\" both separate folders)"},
        {InTree("missing"), "no folder has that name"},
        {InTree("game/Game.dat"), "no folder has that name"},
        {tooLong, "its path is longer than 4096 bytes"},
    };
    for (const Case& c : cases) {
        ReportCapture::boxes().clear();
        EXPECT_FALSE(ChooseGameFolder({c.argument, "Test_Of_Main"})) << c.argument;
        ASSERT_EQ(reports.boxes().size(), 1u) << c.argument;
        const std::string& text = reports.boxes()[0].text;
        EXPECT_EQ(text.rfind("The game folder " + c.argument + " cannot be used: ", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace game
