#include "game/program/screenshot.h"

#include <cstdio>

#include "game/core/display_scale.h"
#include "game/core/system_message_box.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/function_key_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kBlendNone = 0;
constexpr int kBlendTranslucent = 1;
constexpr int kDefaultCompression = -1;

void PrintCentred(const std::string& text, int centre, int y) {
    const int width = layer::MeasureTextWidth(text.c_str(), static_cast<int>(text.size()), 0);
    layer::PrintText(centre - width / 2, y, text.c_str(), layer::MakeScreenColor(255, 255, 255), 0);
}

// The notice sits lower on 16-pixel tiles so that it stays on the tile grid.
int NoticeOffset() {
    if (TileSize == 16) {
        return ZoomFactor == 1 ? -10 : -20;
    }
    return 0;
}

void ShowNotice(const std::string& fileName) {
    const int unit = TileSize * ZoomFactor;
    layer::SetStandardFontSize(unit / 2);
    layer::ChangeBlendMode(kBlendTranslucent, 180);
    layer::PaintRectangle(0, 6 * unit, 20 * unit, 9 * unit, layer::MakeScreenColor(0, 90, 0), 1);
    layer::ChangeBlendMode(kBlendNone, 255);
    const int offset = NoticeOffset();
    PrintCentred(kScreenshotTakenText, 10 * unit, 7 * unit + offset);
    PrintCentred(fileName, 10 * unit, static_cast<int>(TileSize * 7.7) * ZoomFactor + offset);
    layer::ShowFrame();
}

}  // namespace

std::string ScreenshotFileName(const std::tm& localTime) {
    char name[64];
    std::snprintf(name, sizeof(name), "ScreenShot_%d_%02d%02d_%02d_%02d_%02d.png",
                  localTime.tm_year + 1900, localTime.tm_mon + 1, localTime.tm_mday,
                  localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    return name;
}

void TakeScreenshot(const std::tm& localTime) {
    layer::ShowFrame();
    layer::RefreshWindow();
    const std::string fileName = ScreenshotFileName(localTime);
    layer::StoreScreenAsPng(0, 0, 640, 480, fileName.c_str(), kDefaultCompression);
    if (layer::GetTestHooks().auto_confirm != 0) {
        WriteConsoleLine(kScreenshotTakenText);
        WriteConsoleLine(fileName);
    } else {
        ShowNotice(fileName);
        layer::WaitForAnyKey();
    }
    layer::SetStandardFontSize(TheMainInterpreter.DefaultFontSize);
}

}  // namespace game
