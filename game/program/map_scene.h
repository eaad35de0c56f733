#pragma once

#include <array>

#include "game/map/map_view.h"
#include "game/presentation/choice_window.h"
#include "game/presentation/message_window.h"
#include "game/program/frame_pacing.h"

namespace game {

class MapScene;

// A scene's handler, chosen by SceneNumber.
using SceneHandler = void (*)(MapScene& mapScene);

// The scene of the running game, one for the whole run: the map view, the message and choice
// windows, the frame pacing and the scene handlers.
class MapScene {
  public:
    // Loads the windows' graphics and makes the two windows reachable through
    // TheMessageWindow and TheChoiceWindow.
    MapScene();
    ~MapScene();
    MapScene(const MapScene&) = delete;
    MapScene& operator=(const MapScene&) = delete;

    MapView mapView;
    MessageWindow messageWindow;
    ChoiceWindow choiceWindow;
    FramePacing pacing;
    // Index SceneNumber: 0 IdleScene, 1 RunMapScene.
    std::array<SceneHandler, 2> sceneHandlers;
};

// Calls the handler of the current SceneNumber (0 or 1).
void DispatchScene(MapScene& mapScene);
// Scene 1: runs the frame loop until it ends.
void RunMapScene(MapScene& mapScene);
// Scene 0, and a placeholder step of every frame: does nothing.
void IdleScene(const void* object);

}  // namespace game
