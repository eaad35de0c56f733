#include "game/program/map_scene.h"

#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/program/frame_loop.h"

namespace game {

MapScene::MapScene() : sceneHandlers{[](MapScene& scene) { IdleScene(&scene); }, RunMapScene} {
    LoadMessageWaitCursor(messageWindow);
    LoadChoiceWindowSkin(choiceWindow);
    pacing.drawAccumulator = TheMainInterpreter.DrawStep;
    TheMessageWindow = &messageWindow;
    TheChoiceWindow = &choiceWindow;
}

MapScene::~MapScene() {
    TheMessageWindow = nullptr;
    TheChoiceWindow = nullptr;
}

void DispatchScene(MapScene& mapScene) {
    const int scene = TheScreenState.SceneNumber;
    if (scene >= 0 && scene < static_cast<int>(mapScene.sceneHandlers.size()))
        mapScene.sceneHandlers[static_cast<std::size_t>(scene)](mapScene);
}

void RunMapScene(MapScene& mapScene) {
    RunMapSceneLoop(mapScene);
}

void IdleScene(const void*) {}

}  // namespace game
