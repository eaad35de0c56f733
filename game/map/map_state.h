#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/interpreter/parallel_common_event.h"
#include "game/map/event_character.h"
#include "game/map/map_data.h"
#include "game/map/tile_set.h"

namespace game {

// The state of the map the party stands on.
struct MapState {
    // The loaded map, -1 while none is loaded.
    int mapNumber = -1;
    // Set when a map file could not be read: the scene loop ends and the program exits with
    // the failed status, not as from a game that ended.
    bool mapFileFailed = false;
    MapData mapData;
    // One per map event, in the order of the map's events.
    std::vector<EventCharacter> eventCharacters;
    // The view's scroll position in quarter pixels, and the distance a view scroll has left.
    int scrollX = 0;
    int scrollY = 0;
    int scrollLeftX = 0;
    int scrollLeftY = 0;
    std::uint8_t loopsHorizontally = 0;
    std::uint8_t loopsVertically = 0;
    // 1: every event page's conditions are tested again before the next event is picked.
    std::uint8_t pageRefreshRequest = 0;
    // Frames of driving left of the two view shakes.
    int horizontalShakeCount = 0;
    int verticalShakeCount = 0;

    // The current map's tile set, the images in use and its tags and attributes by tile-set
    // index (the tile commands change the attributes and restore them from the initial ones).
    TileSet tileSet;
    std::string baseImageName;
    std::array<std::string, 7> autotileImageNames;
    std::vector<std::uint8_t> tags;
    std::vector<std::int32_t> attributes;
    std::vector<std::int32_t> initialAttributes;
    TileSetList tileSetList;
    // Runners of the common events with a parallel trigger; map changes keep them.
    std::vector<ParallelCommonEvent> parallelCommonEvents;
    // 0 to 2,399,999; drives the autotile animation.
    int frameCounter = 0;
    // A view scroll: 4 left or 6 right, 8 up or 2 down, and quarter pixels per frame.
    int scrollDirectionX = 0;
    int scrollDirectionY = 0;
    int scrollSpeedX = 4;
    int scrollSpeedY = 4;
    // The shakes: amplitude 2^a, speed 2^b, position in 1/2048 of a tile and its direction;
    // the pixels they displace the view this frame.
    int horizontalShakeAmplitude = 0;
    int horizontalShakeSpeed = 0;
    int horizontalShakeOffset = 0;
    int horizontalShakeDirection = 0;
    int verticalShakeAmplitude = 0;
    int verticalShakeSpeed = 0;
    int verticalShakeOffset = 0;
    int verticalShakeDirection = 0;
    int shakeOffsetX = 0;
    int shakeOffsetY = 0;
    // A timed zoom about a centre in pixels; 100 percent is none.
    int zoomTargetCentreX = 0;
    int zoomStartCentreX = 0;
    int zoomTargetCentreY = 0;
    int zoomStartCentreY = 0;
    int zoomTargetPercent = 100;
    int zoomStartPercent = 100;
    int zoomDuration = 0;
    int zoomRemaining = 0;
    int zoomCentreX = 0;
    int zoomCentreY = 0;
    int zoomPercent = 100;
    // Saved and loaded, never filled.
    std::vector<std::int32_t> reservedList;

    // True while a view scroll has distance left.
    bool IsViewScrolling() const { return scrollLeftX > 0 || scrollLeftY > 0; }
};

extern MapState TheMapState;

// Selects every event's active page again and clears the refresh request.
void RefreshEventPages(MapState& mapState);

// The character of the event with that number on the map, or null.
EventCharacter* FindEventCharacter(MapState& mapState, int eventNumber);

// Size of the current map in tiles.
int GetMapWidth();
int GetMapHeight();

// The number of tile sets in the current map state's list.
int GetTileSetCount();

}  // namespace game
