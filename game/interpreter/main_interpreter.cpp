#include "game/interpreter/main_interpreter.h"

#include "game/core/display_scale.h"

namespace game {

MainInterpreter TheMainInterpreter(MainInterpreter::AutomaticEvents::kLater);

MainInterpreter::MainInterpreter(AutomaticEvents automaticEvents) {
    SetUpInterpreter(0, automaticEvents == AutomaticEvents::kTake);
    autoPick = true;
    ApplyTileSizeDefaults();
}

void MainInterpreter::ApplyTileSizeDefaults() {
    const double tile = TileSize;
    DefaultFontSize = TileSize == 32 ? 22 : 12;
    PageCursorX = static_cast<std::int16_t>(tile * 10);
    PageCursorOffsetY = static_cast<std::int16_t>(tile * 4.3);
    KeyInputTextX = static_cast<std::int16_t>(tile * 4.7);
    KeyInputTextY = static_cast<std::int16_t>(tile * 12.5);
    FrameCounter = 0;
    MusicMasterVolume = 100;
    BgsMasterVolume = 100;
    SeMasterVolume = 100;
}

}  // namespace game
