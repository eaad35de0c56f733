#include "game/map/map_update.h"

#include <string>

#include "game/core/database.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/interpreter/parallel_common_event.h"
#include "game/map/image_cache.h"
#include "game/map/map_change.h"
#include "game/map/map_character_seams.h"
#include "game/map/map_state.h"
#include "game/map/map_view.h"
#include "game/map/view_motion.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr int kMapType = 0;
constexpr int kSoundFade = 5;
// A number that names the sound by the file in the row's text content.
constexpr int kSoundByFile = -3;
constexpr int kAlreadyCurrent = -10;

// The database contents of the number and of the file name of each sound kind the map starts:
// music, then the background sound.
constexpr int kSoundContents[] = {1, 2};
constexpr int kSoundFileContents[] = {5, 6};

}  // namespace

void UpdateMap(MapState& mapState) {
    if (TheMapState.pageRefreshRequest != 0)
        RefreshEventPages(mapState);
    StepViewMotion(mapState);
    UpdateMapCharacters(mapState);
    for (ParallelCommonEvent& event : mapState.parallelCommonEvents)
        event.StepParallelCommonEvent();
    AdvanceFrameCounter(mapState);
}

void StartMapSounds(const MapState& mapState) {
    for (int kind = 0; kind < 2; ++kind) {
        const int number =
            SysDataBase.ReadDBValue(kMapType, mapState.mapNumber, kSoundContents[kind]);
        const int fileContent = kSoundFileContents[kind];
        if (number == kSoundByFile && SysDataBase.GetDBContentCount(kMapType) > fileContent) {
            const std::string file =
                SysDataBase.ReadDBString(kMapType, mapState.mapNumber, fileContent);
            const int entry =
                TheSoundManager.RegisterSoundFile(file, kind, kSoundFade, 0, 100, 100);
            if (entry != kAlreadyCurrent)
                TheSoundManager.PlaySoundByNumber(kind, entry, kSoundFade, 0);
        } else if (number >= -1) {
            TheSoundManager.PlaySoundByNumber(kind, number, kSoundFade, 0);
        }
    }
}

void ApplyPendingTransfer(MapView& mapView) {
    ScreenState& screenState = TheScreenState;
    MapState& mapState = TheMapState;
    screenState.TransferPending = 0;
    const bool changed = mapState.mapNumber != screenState.transferMap;
    if (changed) {
        if (!ChangeMap(mapState, screenState.transferMap))
            return;
        TheSoundManager.ReleaseUnusedSounds(false);
        StartMapSounds(mapState);
    }
    PlaceHeroAfterTransfer(screenState.transferX, screenState.transferY);
    mapState.pageRefreshRequest = 1;
    UpdateMap(mapState);
    if (changed) {
        TheImageCache.ReleaseAllGraphics();
        BuildMapSprites(mapView);
    }
    GatherPartyAfterTransfer();
    UpdateInput(TheInputState);
}

}  // namespace game
