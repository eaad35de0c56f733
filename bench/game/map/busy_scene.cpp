#include "bench/game/map/busy_scene.h"

#include <cstddef>
#include <string>
#include <vector>

#include "game/core/display_scale.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/event_character.h"
#include "game/map/map_change.h"
#include "game/map/map_state.h"
#include "game/map/map_update.h"
#include "game/map/map_view.h"
#include "game/map/party.h"
#include "tools/lib/demo_characters.h"
#include "tools/lib/demo_map.h"

namespace bench {
namespace {

constexpr int kScreenColumns = 20;
constexpr int kScreenRows = 15;

// Water everywhere below, fences and trunks in between, tree tops above.
void FillLayers(game::MapData& map) {
    const int width = map.header.width;
    const int height = map.header.height;
    const std::vector<std::string> pond(static_cast<std::size_t>(height),
                                        std::string(static_cast<std::size_t>(width), '~'));
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const auto column = static_cast<std::size_t>(x);
            const auto row = static_cast<std::size_t>(y);
            map.tileLayers[0][column][row] = tools::WaterTileAt(pond, x, y);
            map.tileLayers[1][column][row] = (x + y) % 2 == 0 ? tools::kFence : tools::kTrunk;
            map.tileLayers[2][column][row] = tools::kTreeTop;
        }
    }
}

void UsePanoramaAndFog() {
    game::MainInterpreter& m = game::TheMainInterpreter;
    m.PanoramaImage = m.FogImage = -2;
    m.PanoramaFile = tools::kDemoPanoramaImage;
    m.FogFile = tools::kDemoFogImage;
    m.PanoramaScrollX = m.FogScrollX = 8;
    m.FogOpacity = 128;
}

// The map cell a screen cell shows: wrapped on a looping axis, -1 outside the map.
int MapCell(int cell, int size, bool loops) {
    if (loops)
        return ((cell % size) + size) % size;
    return cell >= 0 && cell < size ? cell : -1;
}

}  // namespace

void UseStartMap() {
    game::ResetMapState(game::TheMapState);
    game::ChangeMap(game::TheMapState, 0);
}

void UseBusyStartMap() {
    game::MapState& mapState = game::TheMapState;
    mapState.mapData = tools::DemoStartMap();
    FillLayers(mapState.mapData);
    mapState.tileSetList.sets = {tools::DemoTileSet()};
    game::TakeTileSet(mapState, 0);
    UsePanoramaAndFog();
}

void UseBusyLoopMap() {
    game::MapState& mapState = game::TheMapState;
    game::ResetMapState(mapState);
    game::ChangeMap(mapState, 1);
    FillLayers(mapState.mapData);
    UsePanoramaAndFog();
}

void AddCrowd(int events) {
    game::MapState& mapState = game::TheMapState;
    const int width = game::GetMapWidth() - 2;
    for (int i = 0; i < events; ++i) {
        game::MapEvent event(i);
        event.x = 1 + i % width;
        event.y = 1 + (i / width) * 2 % (game::GetMapHeight() - 1);
        game::EventPage& page = event.pages[0];
        page.graphic.graphicName = i % 2 == 0 ? tools::kDemoNpcSheet : tools::kDemoDoubleSheet;
        page.movement.moveKind = i % 3 == 0 ? 2 : 0;
        page.movement.moveFrequency = 0;
        page.movement.moveSpeed = 4;
        page.movement.characterOptions = 0x02;
        page.options = {0, 0, 0};
        mapState.mapData.events.push_back(event);
        mapState.eventCharacters.emplace_back(mapState.mapNumber, event);
    }
}

void UpdateAndDrawMap(game::MapView& view, int crowd) {
    game::UpdateMap(game::TheMapState);
    if (crowd > 0)
        game::UpdateHero(game::TheParty);
    game::ScrollPanoramaAndFog(view);
    game::DrawMap(view);
}

void CountScene(benchmark::State& state) {
    const game::MapState& mapState = game::TheMapState;
    const int width = game::GetMapWidth();
    const int height = game::GetMapHeight();
    const int pixelsPerTile = 4 * game::TileSize;
    const int left = mapState.scrollX / pixelsPerTile;
    const int top = mapState.scrollY / pixelsPerTile;
    int tiles = 0;
    for (const auto& layer : mapState.mapData.tileLayers) {
        for (int row = top; row < top + kScreenRows; ++row) {
            const int y = MapCell(row, height, mapState.loopsVertically != 0);
            for (int column = left; column < left + kScreenColumns && y >= 0; ++column) {
                const int x = MapCell(column, width, mapState.loopsHorizontally != 0);
                if (x >= 0 && layer[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] != 0)
                    ++tiles;
            }
        }
    }
    const game::MainInterpreter& m = game::TheMainInterpreter;
    state.counters["tiles"] = tiles;
    state.counters["sprites"] = static_cast<double>(mapState.eventCharacters.size());
    state.counters["layers"] = (m.PanoramaImage != -1 ? 1 : 0) + (m.FogImage != -1 ? 1 : 0);
}

}  // namespace bench
