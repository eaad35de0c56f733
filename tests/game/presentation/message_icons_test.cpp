// The icons of message text loaded from real files of a game folder onto the software screens.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/presentation/text_resources.h"
#include "layer/core/layer_api.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/layer/graphics/software_screen_fixture.h"
#include "tools/lib/png_writer.h"

namespace {

class MessageIconsTest : public test::SoftwareScreens {
  protected:
    void TearDown() override {
        for (int handle : resources_.IconHandles) {
            if (handle > 0)
                layer::RemoveGraph(handle, 0);
        }
        SoftwareScreens::TearDown();
    }

    // A plain picture of that width (and height 8) in the icon folder.
    void WriteIcon(const std::string& name, int width) const {
        const tools::RgbaPicture picture{width, 8, std::vector<std::uint8_t>(width * 8 * 4, 255)};
        folder_.Write("Data/BasicData/" + name, tools::EncodePng(picture));
    }

    void WriteList(const std::string& text) const {
        folder_.tree().write("Data/BasicData/EncodedIconList.xxxxx", text);
    }

    // The width of each icon number that has a graph, as "number:width" items.
    std::string Loaded() const {
        std::string items;
        for (std::size_t n = 0; n < resources_.IconHandles.size(); ++n) {
            if (resources_.IconHandles[n] > 0)
                items += std::to_string(n) + ":" + std::to_string(resources_.IconWidths[n]) + " ";
        }
        return items;
    }

    game::GameFolderScope folder_;
    game::TextResources resources_;
};

TEST_F(MessageIconsTest, WithoutListTheIconFilesAreFoundInEitherCaseInByteOrder) {
    WriteIcon("icon001.png", 10);
    WriteIcon("ICON002.PNG", 20);
    WriteIcon("Icon010.Png", 30);
    WriteIcon("icon03.png", 40);
    WriteIcon("icon004.bmp", 50);
    WriteIcon("xicon05.png", 60);
    // Upper case sorts first, so the lower-case file of the same number is the one kept.
    WriteIcon("ICON001.png", 70);
    const int graphsBefore = layer::GetGraphCount();
    game::LoadIcons(resources_);
    EXPECT_EQ(Loaded(), "1:10 2:20 10:30 ");
    EXPECT_EQ(layer::GetGraphCount(), graphsBefore + 3);
    EXPECT_EQ(resources_.IconWidths.size(), 1000u);
}

TEST_F(MessageIconsTest, TheListFileNamesTheIconsUpToItsFirstEmptyLine) {
    WriteIcon("icon005.png", 10);
    WriteIcon("face012.png", 20);
    WriteIcon("icon020.png", 30);
    WriteIcon("icon001.png", 40);
    WriteList("icon005.png\r\nface012.png\r\nmissing.png\r\n\r\nicon020.png\r\n");
    game::LoadIcons(resources_);
    EXPECT_EQ(Loaded(), "5:10 12:20 ");
}

TEST_F(MessageIconsTest, AReloadAndALaterNameOfTheSameNumberLeaveNoGraphBehind) {
    WriteIcon("icon007.png", 10);
    WriteIcon("star007.png", 20);
    WriteIcon("icon008.png", 30);
    WriteList("icon007.png\r\nstar007.png\r\nicon008.png\r\n");
    const int graphsBefore = layer::GetGraphCount();
    game::LoadIcons(resources_);
    EXPECT_EQ(Loaded(), "7:20 8:30 ");
    EXPECT_EQ(layer::GetGraphCount(), graphsBefore + 2);
    WriteList("icon008.png\r\n");
    game::LoadIcons(resources_);
    EXPECT_EQ(Loaded(), "8:30 ");
    EXPECT_EQ(resources_.IconWidths[7], 0);
    EXPECT_EQ(layer::GetGraphCount(), graphsBefore + 1);
}

TEST_F(MessageIconsTest, NoFolderLeavesNoIcons) {
    game::LoadIcons(resources_);
    EXPECT_EQ(Loaded(), "");
    EXPECT_EQ(resources_.IconWidths.size(), 1000u);
}

struct NumberCase {
    const char* name;
    int number;
};

TEST(IconNumberTest, TheCharactersFourToSixAreReadAsADecimalNumber) {
    const NumberCase cases[] = {
        {"icon005.png", 5},   {"icon999.png", 999},
        {"ICON120.PNG", 120}, {"iconabc.png", 0},
        {"icon12a.png", 12},  {"icon-12.png", -12},
        {"icon+07.png", 7},   {"icon", 0},
        {"icon5", 5},         {"", 0},
        {"icon0071.png", 7},  {"xx", 0},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(game::IconNumber(c.name), c.number) << c.name;
}

}  // namespace
