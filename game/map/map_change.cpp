#include "game/map/map_change.h"

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/core/screen_state.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr int kMapType = 0;
constexpr int kFileContent = 0;
constexpr int kLoopContent = 3;
constexpr int kPanoramaContent = 4;
constexpr int kPanoramaFileContent = 7;
// The panorama number of a map row that names its panorama by a file setting.
constexpr int kPanoramaByFile = -3;
constexpr int kFrameCounterPeriod = 2400000;

bool HasParallelTrigger(const CommonEvent& event) {
    const int kind = event.trigger & 0x0F;
    return kind == 2 || kind == 3;
}

void TakePanorama(int number) {
    const int contents = SysDataBase.GetDBContentCount(kMapType);
    if (contents < kPanoramaContent + 1)
        return;
    const int panorama = SysDataBase.ReadDBValue(kMapType, number, kPanoramaContent);
    if (panorama >= -1) {
        TheMainInterpreter.PanoramaImage = panorama;
    } else if (panorama == kPanoramaByFile && contents >= kPanoramaFileContent + 1) {
        TheMainInterpreter.PanoramaFile =
            SysDataBase.ReadDBString(kMapType, number, kPanoramaFileContent);
        TheScreenState.panoramaChanged = 1;
        if (TheMainInterpreter.PanoramaFile.size() <= 1) {
            TheScreenState.panoramaChanged = 0;
            TheMainInterpreter.PanoramaImage = -1;
        }
    }
}

}  // namespace

void TakeTileSet(MapState& mapState, int number) {
    mapState.tileSet = mapState.tileSetList.TileSetAt(number);
    mapState.baseImageName = mapState.tileSet.imageNames[0];
    for (std::size_t i = 0; i < mapState.autotileImageNames.size(); ++i)
        mapState.autotileImageNames[i] = mapState.tileSet.imageNames[i + 1];
    mapState.attributes = mapState.tileSet.attributes;
    mapState.initialAttributes = mapState.attributes;
    mapState.tags = mapState.tileSet.tags;
}

void ResetMapState(MapState& mapState) {
    mapState.mapNumber = -1;
    mapState.scrollX = 0;
    mapState.scrollY = 0;
    mapState.zoomTargetCentreX = mapState.zoomStartCentreX = 0;
    mapState.zoomTargetCentreY = mapState.zoomStartCentreY = 0;
    mapState.zoomTargetPercent = mapState.zoomStartPercent = 100;
    mapState.zoomDuration = mapState.zoomRemaining = 0;
    mapState.zoomCentreX = mapState.zoomCentreY = 0;
    mapState.zoomPercent = 100;
    mapState.pageRefreshRequest = 0;
    mapState.frameCounter = 0;
    for (int* field : {&mapState.horizontalShakeAmplitude, &mapState.horizontalShakeSpeed,
                       &mapState.horizontalShakeCount, &mapState.horizontalShakeOffset,
                       &mapState.horizontalShakeDirection, &mapState.verticalShakeAmplitude,
                       &mapState.verticalShakeSpeed, &mapState.verticalShakeCount,
                       &mapState.verticalShakeOffset, &mapState.verticalShakeDirection})
        *field = 0;
    mapState.eventCharacters.clear();
    mapState.parallelCommonEvents.clear();
    mapState.reservedList.clear();
    mapState.tileSetList.ReadTileSetFile(TileSetList::kFileName);
}

bool ChangeMap(MapState& mapState, int number) {
    mapState.mapNumber = number;
    const std::string file = SysDataBase.ReadDBString(kMapType, number, kFileContent);
    if (!mapState.mapData.ReadMapFile(file)) {
        TheScreenState.SceneNumber = -1;
        mapState.mapFileFailed = true;
        return false;
    }
    TakeTileSet(mapState, mapState.mapData.header.tileSetNumber);
    mapState.scrollX = 0;
    mapState.scrollY = 0;
    mapState.pageRefreshRequest = 0;
    mapState.eventCharacters.clear();
    mapState.eventCharacters.reserve(mapState.mapData.events.size());
    for (const MapEvent& event : mapState.mapData.events)
        mapState.eventCharacters.emplace_back(number, event);
    if (mapState.parallelCommonEvents.empty()) {
        for (std::size_t i = 0; i < CommonEvents.events.size(); ++i) {
            if (HasParallelTrigger(CommonEvents.events[i]))
                mapState.parallelCommonEvents.emplace_back(static_cast<int>(i));
        }
    }
    mapState.scrollDirectionX = mapState.scrollDirectionY = 0;
    mapState.scrollLeftX = mapState.scrollLeftY = 0;
    mapState.scrollSpeedX = mapState.scrollSpeedY = 4;
    TakePanorama(number);
    const int loop = SysDataBase.ReadDBValue(kMapType, number, kLoopContent);
    mapState.loopsHorizontally = loop == 1 || loop == 3;
    mapState.loopsVertically = loop == 2 || loop == 3;
    return true;
}

void AdvanceFrameCounter(MapState& mapState) {
    mapState.frameCounter = (mapState.frameCounter + 1) % kFrameCounterPeriod;
}

}  // namespace game
