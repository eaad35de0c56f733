#include "game/map/character_sprite.h"

#include <algorithm>
#include <array>

#include "game/core/database.h"
#include "game/core/display_scale.h"
#include "game/core/screen_state.h"
#include "game/core/shift_jis_byte_kind.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/image_cache.h"
#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/map/screen_tone.h"
#include "game/map/tile_queries.h"
#include "game/map/tile_set.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kShadowNamesType = 9;
constexpr int kNoShadow = 255;
constexpr int kRows = 4;
constexpr int kLayers = 3;

// Layer blend modes of the blend kinds 0 (translucent) to 3 (multiply).
constexpr std::array<int, 4> kBlendModes = {1, 2, 3, 11};

int Patterns() {
    return GameFlag(7, 3);
}

bool ShadowsOn() {
    return GameFlag(5, 1) == 1;
}

bool Contains(const std::string& name, const char* text) {
    return name.find(text) != std::string::npos;
}

// "T.png" marks a stand column only where the T is a character of its own, not the trail
// byte of a two-byte one.
bool HasStandColumnMark(const std::string& name) {
    for (const char* mark : {"T.png", "T.PNG"}) {
        for (auto at = name.find(mark); at != std::string::npos; at = name.find(mark, at + 1)) {
            if (GetShiftJisByteKind(name, at) == kSingleByte)
                return true;
        }
    }
    return false;
}

void LoadFileSheet(CharacterSprite& sprite, const MapCharacter& character) {
    const SheetLayout layout =
        ChooseSheetLayout(sprite.graphicName, Patterns(), character.eightDirectionSheet != 0);
    sprite.sheetKind = layout.kind;
    sprite.columns = layout.columns;
    ImageCache& cache = TheImageCache;
    const bool single = layout.kind == CharacterSprite::kSingleImage;
    const bool loaded =
        cache.LoadGraphic(sprite.graphicName, single ? 1 : layout.columns, single ? 1 : kRows, 0);
    sprite.sheet = cache.FindGraphic(sprite.graphicName);
    if (!loaded && !single) {
        sprite.loadFailed = 1;
        return;
    }
    int width = 0;
    int height = 0;
    layer::GetGraphExtent(cache.GraphicHandle(sprite.sheet, 0), &width, &height);
    sprite.cellWidth = single ? width : width / layout.columns;
    sprite.cellHeight = single ? height : height / kRows;
    sprite.anchorX = sprite.cellWidth / 2;
    sprite.anchorY = sprite.cellHeight;
}

void LoadTileGraphic(CharacterSprite& sprite) {
    ImageCache& cache = TheImageCache;
    const std::string& name = TheMapState.baseImageName;
    cache.LoadGraphic(name, TileSize, TileSize, ImageCache::kCellSizes);
    sprite.sheet = cache.FindGraphic(name);
    sprite.cell = sprite.graphicNumber + 1;
    sprite.anchorX = TileSize / 2;
    sprite.anchorY = TileSize;
    sprite.cellWidth = sprite.cellHeight = TileSize;
    sprite.columns = 8;
}

// Returns whether a file sheet was loaded.
bool ReloadSheet(CharacterSprite& sprite, const MapCharacter& character) {
    if (TheScreenState.tileSetChanged == 0 && character.graphicNumber == sprite.graphicNumber &&
        character.graphicName == sprite.graphicName)
        return false;
    sprite.graphicNumber = character.graphicNumber;
    sprite.graphicName = character.graphicName;
    if (sprite.graphicNumber >= 0) {
        LoadTileGraphic(sprite);
        return false;
    }
    sprite.sheetKind = CharacterSprite::kStandard;
    sprite.columns = 2 * Patterns();
    if (sprite.graphicName.empty()) {
        sprite.sheet = sprite.shadowSheet = -1;
        return true;
    }
    LoadFileSheet(sprite, character);
    return true;
}

void ReloadShadow(CharacterSprite& sprite, MapCharacter& character, bool sheetReloaded) {
    const int shadow = character.pageBytes.empty() ? kNoShadow : character.pageBytes[0];
    if (!sheetReloaded && (character.appliedShadow == shadow || character.graphicName.empty()))
        return;
    character.appliedShadow = static_cast<std::int16_t>(shadow);
    sprite.shadowColumns = 2 * Patterns() / (character.eightDirectionSheet != 0 ? 1 : 2);
    sprite.shadowSheet = -1;
    if (shadow == kNoShadow || !ShadowsOn())
        return;
    const std::string name = SysDataBase.ReadDBString(kShadowNamesType, shadow, 0);
    if (name.empty())
        return;
    ImageCache& cache = TheImageCache;
    cache.LoadGraphic(name, sprite.shadowColumns, kRows, 0);
    sprite.shadowSheet = cache.FindGraphic(name);
    int width = 0;
    int height = 0;
    layer::GetGraphExtent(cache.GraphicHandle(sprite.shadowSheet, 0), &width, &height);
    sprite.shadowAnchorX = width / std::max(1, sprite.shadowColumns) / 2;
    sprite.shadowAnchorY = height / kRows;
}

void ChooseCells(CharacterSprite& sprite, MapCharacter& character) {
    if (sprite.graphicNumber >= 0)
        return;
    if (sprite.sheetKind == CharacterSprite::kSingleImage) {
        sprite.cell = 1;
        return;
    }
    const int d = character.direction;
    const int p = character.pattern;
    const int k = sprite.columns;
    const int s = sprite.shadowColumns;
    const bool rightHalf = character.eightDirectionSheet != 0 && d % 2 == 1;
    const int row = rightHalf ? (d <= 3 ? (d - 1) / 2 : (d - 3) / 2) : (d - 2) / 2;
    int column = p;
    if (sprite.sheetKind == CharacterSprite::kStandColumn)
        column = WasCharacterMoving(character) ? p + 1 : 0;
    else if (sprite.sheetKind == CharacterSprite::kDoubleSheet)
        column = p + (WasCharacterMoving(character) ? Patterns() : 0);
    sprite.cell = row * k + column + (rightHalf ? k / 2 : 0) + 1;
    sprite.shadowCell = row * s + p + (rightHalf ? s / 2 : 0) + 1;
}

// The cell's place in the whole image, for part draws.
struct CellSource {
    int graph;
    int x;
    int y;
};
CellSource SourceOf(const CharacterSprite& sprite) {
    const ImageCache& cache = TheImageCache;
    const int across = std::max(1, cache.CellCountX(sprite.sheet));
    const int n = sprite.cell - 1;
    return {cache.GraphicHandle(sprite.sheet, 0), (n % across) * sprite.cellWidth,
            (n / across) * sprite.cellHeight};
}

// Where the cell goes after zoom, in unscaled screen pixels.
struct Placement {
    int x;
    int y;
    int foot;
    int anchorX;
    int anchorY;
    int shadowAnchorX;
    int shadowAnchorY;
    int tile;
    bool stretched;
};

int ZoomAbout(int v, int centre, int percent) {
    return v + (v - centre) * (percent - 100) / 100;
}

Placement Place(const CharacterSprite& sprite) {
    const MapState& mapState = TheMapState;
    const int p = mapState.zoomPercent;
    return {ZoomAbout(sprite.screenX, mapState.zoomCentreX, p),
            ZoomAbout(sprite.screenY, mapState.zoomCentreY, p),
            ZoomAbout(sprite.footY, mapState.zoomCentreY, p),
            sprite.anchorX * p / 100,
            sprite.anchorY * p / 100,
            sprite.shadowAnchorX * p / 100,
            sprite.shadowAnchorY * p / 100,
            TileSize * p / 100,
            ZoomFactor != 1 || p != 100};
}

void PaintPart(const CharacterSprite& sprite, const Placement& at, int sourceY, int height, int top,
               int bottom) {
    const CellSource source = SourceOf(sprite);
    const int z = ZoomFactor;
    if (!at.stretched) {
        layer::PaintGraphPart(at.x - at.anchorX, top, source.x, source.y + sourceY,
                              sprite.cellWidth, height, source.graph, TransparentDrawFlag, 0);
        return;
    }
    const int part =
        layer::CreateSubGraph(source.x, source.y + sourceY, sprite.cellWidth, height, source.graph);
    layer::PaintGraphStretched((at.x - at.anchorX) * z, top * z, (at.x + at.anchorX) * z,
                               bottom * z, part, TransparentDrawFlag);
    layer::RemoveGraph(part, 0);
}

// The cell once, whole or with its feet in the bush; upperMode is the blend of the upper part.
void PaintBody(const CharacterSprite& sprite, const Placement& at, bool bush, int upperMode,
               int upperParameter) {
    const int z = ZoomFactor;
    if (!bush) {
        const int cell = TheImageCache.GraphicHandle(sprite.sheet, sprite.cell);
        if (at.stretched)
            layer::PaintGraphStretched((at.x - at.anchorX) * z, (at.y - at.anchorY) * z,
                                       (at.x + at.anchorX) * z, at.y * z, cell,
                                       TransparentDrawFlag);
        else
            layer::PaintGraph(at.x - at.anchorX, at.y - at.anchorY, cell, TransparentDrawFlag);
        return;
    }
    const int split = sprite.cellHeight - TileSize / 2;
    PaintPart(sprite, at, split, TileSize / 2, at.y - at.tile / 2, at.y);
    layer::ChangeBlendMode(upperMode, upperParameter);
    PaintPart(sprite, at, 0, split, at.y - at.anchorY, at.y - at.tile / 2);
}

void PaintShadow(const CharacterSprite& sprite, const Placement& at) {
    const int shadow = TheImageCache.GraphicHandle(sprite.shadowSheet, sprite.shadowCell);
    if (shadow == -1 || !ShadowsOn())
        return;
    const int z = ZoomFactor;
    const int sx = at.shadowAnchorX;
    const int sy = at.shadowAnchorY;
    const int lift = at.foot - at.y;
    const int a = std::min(lift / 8, sx / 2);
    const int b = std::min(lift / 4, 4 * sx / 5);
    layer::PaintGraphStretched((at.x - sx + b) * z, (at.foot - sy + a) * z, (at.x + sx - b) * z,
                               (at.foot - a) * z, shadow, TransparentDrawFlag);
}

void SetBlend(int kind, int opacity, bool bush) {
    if (kind < 0 || kind >= static_cast<int>(kBlendModes.size()))
        return;
    const int divisor = bush ? 3 : 1;
    if (kind == 0 && opacity == 255 && !bush)
        layer::ChangeBlendMode(0, 255);
    else
        layer::ChangeBlendMode(kBlendModes[static_cast<std::size_t>(kind)], opacity / divisor);
}

// The upper part of a bushed character is drawn at full opacity in blend mode kind + 1.
int UpperBlendMode(int kind) {
    return kind + 1;
}

void PaintFlash(const CharacterSprite& sprite, const MapCharacter& character, const Placement& at,
                bool bush) {
    const int f = character.flashRemaining * 1000 / std::max(1, character.flashLength);
    std::array<int, 3> base{};
    std::array<int, 3> added{};
    for (int channel = 0; channel < 3; ++channel) {
        const int v = (character.flashColour >> (16 - 8 * channel)) & 0xFF;
        const double e = (v - 100) * f / 1000;
        base[static_cast<std::size_t>(channel)] = static_cast<int>(std::min(255.0, 255 + 2.55 * e));
        added[static_cast<std::size_t>(channel)] = static_cast<int>(std::min(255.0, 2.55 * e));
    }
    layer::ChangeBrightRgb(base[0], base[1], base[2]);
    PaintBody(sprite, at, bush, UpperBlendMode(sprite.blendKind), sprite.opacity);
    layer::ChangeBlendMode(2, 255);
    layer::ChangeBrightRgb(added[0], added[1], added[2]);
    PaintBody(sprite, at, bush, 2, sprite.opacity);
    ApplyScreenTone(TheMainInterpreter, false, false);
}

}  // namespace

CharacterSprite::CharacterSprite(Owner owner, int index) : owner(owner), index(index) {
    RefreshCharacterSprite(*this);
}

MapCharacter* SpriteCharacter(const CharacterSprite& sprite) {
    switch (sprite.owner) {
        case CharacterSprite::Owner::kHero:
            return &TheParty;
        case CharacterSprite::Owner::kMember:
            return GetPartyCharacter(TheParty, sprite.index + 1);
        case CharacterSprite::Owner::kEvent:
            break;
    }
    auto& events = TheMapState.eventCharacters;
    return sprite.index >= 0 && static_cast<std::size_t>(sprite.index) < events.size()
               ? &events[static_cast<std::size_t>(sprite.index)]
               : nullptr;
}

SheetLayout ChooseSheetLayout(const std::string& name, int patterns, bool eightDirections) {
    SheetLayout layout{CharacterSprite::kStandard, 2 * patterns};
    if (HasStandColumnMark(name))
        layout = {CharacterSprite::kStandColumn, 2 * patterns + 2};
    else if (Contains(name, "TX.png") || Contains(name, "TX.PNG"))
        layout = {CharacterSprite::kDoubleSheet, 4 * patterns};
    if (!eightDirections)
        layout.columns /= 2;
    if (Contains(name, "$.png") || Contains(name, "$.PNG"))
        layout = {CharacterSprite::kSingleImage, 1};
    return layout;
}

bool IsBushAt(const MapState& mapState, int x, int y) {
    if (mapState.mapNumber == -1)
        return false;
    auto bush = [&](int c, int layer) {
        if (!IsInsideMap(mapState, c, y + 1))
            return false;
        return (TileAttributeOf(mapState, GetTileIndexAt(mapState, c, y + 1, layer)) & kBush) != 0;
    };
    for (int layer = kLayers - 1; layer >= 0; --layer) {
        if (bush(x, layer) && bush(x + 1, layer))
            return true;
    }
    return false;
}

void RefreshCharacterSprite(CharacterSprite& sprite) {
    MapCharacter* character = SpriteCharacter(sprite);
    if (character == nullptr || sprite.loadFailed != 0)
        return;
    const bool reloaded = ReloadSheet(sprite, *character);
    if (sprite.loadFailed != 0)
        return;
    character->spriteCellWidth = sprite.cellWidth;
    character->spriteCellHeight = sprite.cellHeight;
    ReloadShadow(sprite, *character, reloaded);
    ChooseCells(sprite, *character);
}

void DrawCharacterSprite(CharacterSprite& sprite) {
    RefreshCharacterSprite(sprite);
    MapCharacter* found = SpriteCharacter(sprite);
    if (found == nullptr || sprite.loadFailed != 0)
        return;
    const MapCharacter& character = *found;
    const MapState& mapState = TheMapState;
    sprite.screenX = GetCharacterScreenX(character, true) + mapState.shakeOffsetX;
    sprite.screenY = GetCharacterScreenY(character, true) + mapState.shakeOffsetY;
    sprite.footY = GetCharacterFootScreenY(character, true) + mapState.shakeOffsetY;
    sprite.drawOnTopValue = GetDrawOnTopValue(character);
    sprite.opacity = character.opacity;
    sprite.blendKind = character.blendKind;
    if (sprite.opacity == 0)
        return;
    const bool bush = IsBushAt(mapState, character.x, character.y) && !IsJumping(character);
    SetBlend(sprite.blendKind, sprite.opacity, bush);
    if (TheImageCache.GraphicHandle(sprite.sheet, sprite.cell) == -1)
        return;
    const int t = TileSize;
    if (mapState.loopsHorizontally != 0 && sprite.screenX > 20 * t)
        sprite.screenX -= GetMapWidth() * t;
    if (mapState.loopsVertically != 0) {
        const int span = GetMapHeight() * t;
        const int shift = sprite.screenY > span ? -span : sprite.screenY < 1 ? span : 0;
        sprite.screenY += shift;
        sprite.footY += shift;
    }
    if (sprite.screenX + sprite.anchorX < -t || sprite.screenX - sprite.anchorX > 21 * t)
        return;
    const Placement at = Place(sprite);
    if (sprite.shadowSheet != -1)
        PaintShadow(sprite, at);
    if (character.flashRemaining >= 1)
        PaintFlash(sprite, character, at, bush);
    else
        PaintBody(sprite, at, bush, UpperBlendMode(sprite.blendKind), sprite.opacity);
}

}  // namespace game
