#pragma once

// Pictures on the software back screen (or another route's, given as `Screens`; filled green,
// the real glyph source), with their image files in a temporary game folder and error and
// message boxes captured: a fresh game state, one frame per update, an empty picture list and
// an empty picture image cache.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/core/play_settings.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/game_screen_fixture.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/png_writer.h"

namespace test {

template <class Screens>
class PictureScreensOn : public GameScreensOn<Screens> {
  protected:
    static constexpr std::uint32_t kTransparent = 0xFE00FE;

    void SetUp() override {
        GameScreensOn<Screens>::SetUp();
        game::FramesPerUpdate = 1;
        game::TestPlayMode = 0;
        game::ThePictureList = game::PictureList();
        game::ThePictureImageCache = {};
    }
    void TearDown() override {
        game::ReleaseAllPictureImages();
        game::ThePictureList = game::PictureList();
        game::FreshGameState();
        game::FramesPerUpdate = 1;
        layer::ChangeBlendMode(0, 255);
        layer::ChangeBrightRgb(255, 255, 255);
        Screens::TearDown();
    }

    // A PNG under the data folder (a game path) whose pixels the function colours (0xRRGGBB);
    // the transparent colour kTransparent is written with alpha 0.
    void WriteImage(const std::string& name, int width, int height,
                    const std::function<std::uint32_t(int, int)>& at) {
        tools::RgbaPicture picture{width, height, {}};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t colour = at(x, y);
                picture.pixels.insert(
                    picture.pixels.end(),
                    {static_cast<std::uint8_t>(colour >> 16),
                     static_cast<std::uint8_t>(colour >> 8), static_cast<std::uint8_t>(colour),
                     static_cast<std::uint8_t>(colour == kTransparent ? 0 : 255)});
            }
        }
        std::string path = "Data/" + name;
        std::replace(path.begin(), path.end(), '\\', '/');
        folder_.Write(path, tools::EncodePng(picture));
    }
    void WriteImage(const std::string& name, int width, int height, std::uint32_t colour) {
        WriteImage(name, width, height, [colour](int, int) { return colour; });
    }

    // The picture of that number in the global list; it must exist.
    static game::Picture& PictureAt(int number) {
        game::Picture* picture = game::ThePictureList.FindPicture(number);
        EXPECT_NE(picture, nullptr) << number;
        return *picture;
    }

    game::GameFolderScope folder_;
    game::ReportCapture reports_;
};

using PictureScreens = PictureScreensOn<SoftwareScreens>;

}  // namespace test
