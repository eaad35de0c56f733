// The font cache and the font set-up on the fake layer.
#include <gtest/gtest.h>

#include <string>

#include "game/core/game_info.h"
#include "game/presentation/text_resources.h"
#include "tests/game/presentation/text_fixture.h"
#include "tests/support/sjis.h"

namespace {

using test::LayerLog;

class FontCacheTest : public test::TextTest {
  protected:
    game::TextResources& resources_ = game::TheTextResources;
};

TEST_F(FontCacheTest, TheCacheEmptiesItselfOnceMoreThanThirtyFiveFontsWereMade) {
    for (int size = 10; size < 46; ++size)
        game::GetCachedFont(resources_, 0, size, 5, 0);
    EXPECT_EQ(resources_.CreatedFontCount, 36);
    EXPECT_EQ(LayerLog().resets, 0);
    // The next request, even for a cached size, empties the cache and every layer font first.
    game::GetCachedFont(resources_, 0, 10, 5, 0);
    EXPECT_EQ(LayerLog().resets, 1);
    EXPECT_EQ(resources_.CreatedFontCount, 1);
    EXPECT_EQ(game::CachedFontHandle(resources_, 0, 10, 0), 37);
    EXPECT_EQ(game::CachedFontHandle(resources_, 0, 11, 0), 0);
    game::GetCachedFont(resources_, 0, 10, 5, 0);
    EXPECT_EQ(LayerLog().fonts.size(), 37u);
    EXPECT_EQ(LayerLog().resets, 1);
}

struct TypeCase {
    int flag;
    int plain;
    int outlined;
    int sizeFactor;
};

TEST_F(FontCacheTest, TheFontTypeSettingChoosesTypesAndSizeFactor) {
    const TypeCase cases[] = {{0, 2, 3, 100}, {1, 0, 1, 100}, {2, 0, 1, 200}, {7, 0, 1, 100}};
    for (const TypeCase& c : cases) {
        game::TheGameInfo.gameFlags[14] = static_cast<std::int8_t>(c.flag);
        game::SetupFonts(resources_);
        EXPECT_EQ(resources_.FontTypes[0], c.plain) << c.flag;
        EXPECT_EQ(resources_.FontTypes[1], c.outlined) << c.flag;
        EXPECT_EQ(resources_.SizeFactor, c.sizeFactor) << c.flag;
    }
}

TEST_F(FontCacheTest, FacesFallBackWhenEmptyAndInstalledFacesTakeTheDefaultCharset) {
    const std::string fallback = test::Sjis(u8"ＭＳ ゴシック");
    game::TheGameInfo.gameStrings[3] = "Installed";
    game::TheGameInfo.gameStrings[4] = "Elsewhere";
    game::TheGameInfo.gameStrings[5] = "";
    LayerLog().installed = {"Other", "Installed"};
    game::SetupFonts(resources_);
    EXPECT_EQ(resources_.FontFaces[2], fallback);
    EXPECT_EQ(resources_.FaceCharsets[0], -1);
    EXPECT_EQ(resources_.FaceCharsets[1], 0);
    game::GetCachedFont(resources_, 1, 20, 5, 1);
    ASSERT_EQ(LayerLog().fonts.size(), 1u);
    EXPECT_EQ(LayerLog().fonts[0].face, "Elsewhere");
    EXPECT_EQ(LayerLog().fonts[0].charset, 0);
    EXPECT_EQ(LayerLog().fonts[0].type, 3);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(FontCacheTest, AFaceThatCannotBeMadeIsReportedOnceAndReplaced) {
    const std::string fallback = test::Sjis(u8"ＭＳ ゴシック");
    game::TheGameInfo.gameStrings[3] = "Broken";
    game::SetupFonts(resources_);
    LayerLog().failingFaces = {"Broken", fallback};
    game::GetCachedFont(resources_, 0, 20, 5, 0);
    game::GetCachedFont(resources_, 0, 21, 5, 0);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].line1, "Broken");
    EXPECT_EQ(Errors()[0].line2, "The font was not generable.");
    EXPECT_EQ(resources_.FontFaces[0], fallback);
    // The failure stays in the cache: the size is not tried again.
    EXPECT_EQ(game::CachedFontHandle(resources_, 0, 20, 0), -1);
    EXPECT_EQ(LayerLog().fonts.size(), 4u);
    EXPECT_EQ(LayerLog().fonts[1].charset, -1);
    EXPECT_EQ(resources_.CreatedFontCount, 2);
}

}  // namespace
