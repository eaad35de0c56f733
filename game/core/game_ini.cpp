#include "game/core/game_ini.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "game/core/data_file_loading.h"
#include "game/core/format_text.h"
#include "game/core/game_ini_texts.h"
#include "game/core/system_message_box.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kFileName[] = "Game.ini";
// Line 4 carries its comment: "SEandBGM=%d  # 0:SE･BGMなし 1:SEのみ 2:BGMのみ 3:SE+BGMあり"

// The text behind a key, or nothing when the key is absent.
bool FindValue(std::string_view text, std::string_view key, std::string_view& value) {
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos)
        return false;
    value = text.substr(at + key.size());
    return true;
}

void ReadDigit(std::string_view text, std::string_view key, int& out) {
    std::string_view value;
    if (!FindValue(text, key, value))
        return;
    out = !value.empty() && value[0] >= '0' && value[0] <= '9' ? value[0] - '0' : 0;
}

// The rest of the line behind the key, without the CR of a CR LF line end.
void ReadLine(std::string_view text, std::string_view key, std::string& out) {
    std::string_view value;
    if (!FindValue(text, key, value))
        return;
    value = value.substr(0, value.find('\n'));
    if (!value.empty() && value.back() == '\r')
        value.remove_suffix(1);
    out = std::string(value);
}

}  // namespace

int SoftModeFlag = 0;
int WindowModeFlag = 1;
int SEandBGM = 3;
int FrameSkip = 0;
std::string Proxy;
std::string ProxyPort;
int ScreenShotFlag = 1;

void ParseGameIniText(std::string text, int& start, int& soft, int& window, int& sound,
                      int& frameSkip) {
    start = 0;
    soft = 0;
    window = 1;
    sound = 3;
    frameSkip = 0;
    ScreenShotFlag = 1;
    Proxy.clear();
    ProxyPort.clear();
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    std::string_view value;
    if (FindValue(text, "Start=", value))
        start = std::atoi(std::string(value.substr(0, value.find('\n'))).c_str());
    ReadDigit(text, "SoftModeFlag=", soft);
    ReadDigit(text, "WindowModeFlag=", window);
    ReadDigit(text, "SEandBGM=", sound);
    ReadDigit(text, "FrameSkip=", frameSkip);
    ReadDigit(text, "ScreenShotFlag=", ScreenShotFlag);
    ReadLine(text, "Proxy=", Proxy);
    ReadLine(text, "ProxyPort=", ProxyPort);
}

int ReadGameIni(int& start, int& soft, int& window, int& sound, int& frameSkip) {
    const std::optional<std::vector<std::uint8_t>> image = ReadWholeDataFile(kFileName);
    if (!image) {
        start = -1;
        soft = 0;
        window = 1;
        sound = 3;
        frameSkip = 0;
        return -1;
    }
    ParseGameIniText(std::string(image->begin(), image->end()), start, soft, window, sound,
                     frameSkip);
    return 1;
}

std::string FormatGameIni(int start, int soft, int frameSkip) {
    return FormatText(kTemplate, start, soft, WindowModeFlag, SEandBGM, frameSkip, Proxy.c_str(),
                      ProxyPort.c_str(), ScreenShotFlag);
}

bool WriteGameIni(int start, int soft, int frameSkip) {
    const std::string text = FormatGameIni(start, soft, frameSkip);
    if (layer::WriteWholeFile(kFileName, text.data(), static_cast<int>(text.size())) != 0) {
        ShowSystemMessageBox(kWriteErrorText, kWriteErrorCaption);
        return false;
    }
    return true;
}

}  // namespace game
