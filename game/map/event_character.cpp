#include "game/map/event_character.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/run_interpreter.h"
#include "game/map/character_movement.h"
#include "game/map/map_state.h"
#include "game/map/move_route.h"
#include "game/map/tile_queries.h"

namespace game {
namespace {

// Character option bits of a page's route, applied with the page.
constexpr int kBuiltHalfTileHigher = 0x40;
struct OptionBit {
    int bit;
    std::uint8_t MapCharacter::*flag;
};
constexpr std::array<OptionBit, 6> kOptionBits = {{{0x01, &MapCharacter::steppingAnimation},
                                                   {0x02, &MapCharacter::walkingAnimation},
                                                   {0x04, &MapCharacter::directionFixed},
                                                   {0x08, &MapCharacter::passThrough},
                                                   {0x10, &MapCharacter::drawOnTop},
                                                   {0x20, &MapCharacter::twoRow}}};

using Comparison = bool (*)(std::int32_t l, std::int32_t r, std::int32_t stored);
constexpr std::array<Comparison, 7> kComparisons = {
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l > r; },
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l >= r; },
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l == r; },
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l <= r; },
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l < r; },
    [](std::int32_t l, std::int32_t r, std::int32_t) { return l != r; },
    [](std::int32_t l, std::int32_t r, std::int32_t stored) { return (l & r) == stored; },
};

// Self variables (from selfFirst) and event data named relative to event e.
std::int32_t OwnId(std::int32_t id, int e, std::int32_t selfFirst) {
    if (id >= selfFirst && id <= 1199999)
        return OwnedVariableId(1000000, e, 10, id % 10);
    if (id >= 9190000 && id <= 9199999)
        return OwnedVariableId(9100000, e, 10, id % 10);
    return id;
}

int ChoosePage(const EventCharacter& event) {
    const auto& pages = event.mapEvent.pages;
    for (int n = static_cast<int>(pages.size()) - 1; n >= 0; --n) {
        if (TestPageConditions(pages[static_cast<std::size_t>(n)].conditions, event.referenceId))
            return n;
    }
    return -1;
}

void ClearPage(EventCharacter& event) {
    event.graphicNumber = -1;
    event.graphicName.clear();
    event.moveKind = 0;
    event.passThrough = 1;
    event.startKind = 0;
    event.commands.clear();
    event.pageInterpreter.clear();
}

void ApplyPage(EventCharacter& event, const EventPage& page) {
    const PageGraphic& graphic = page.graphic;
    event.graphicNumber = graphic.graphicNumber;
    event.graphicName = graphic.graphicName;
    if (graphic.direction != event.pageDirection) {
        event.direction = event.pageDirection = graphic.direction;
        event.rememberedDirection = 0;
    }
    if (graphic.pattern != event.standPattern)
        event.pattern = event.standPattern = graphic.pattern;
    event.opacity = graphic.opacity;
    event.blendKind = graphic.blendKind;
    const MoveRoute& route = page.movement;
    event.moveKind = route.moveKind;
    event.speed = route.moveSpeed;
    event.frequency = route.moveFrequency;
    event.animationSpeed = route.animationSpeed;
    if (event.forcedRoute != 0) {
        event.savedRoute = route;
        event.savedRouteIndex = 0;
    } else {
        event.runningRoute = route;
        event.runningRouteIndex = 0;
    }
    event.removalRemaining = event.removalTotal = -1;
    for (const OptionBit& option : kOptionBits)
        event.*option.flag = (route.characterOptions & option.bit) != 0;
    event.startKind = page.conditions.startKind;
    event.commands = page.commands;
    event.pageBytes = page.options;
    event.stepSize = GameFlag(8, 0) == 1 ? 2 : 1;
    event.pageInterpreter.clear();
    if (event.startKind == kParallelStart) {
        event.pageInterpreter.emplace_back();
        event.pageInterpreter.front().SetUpInterpreter(0, false);
    }
}

bool AutomaticMovementAllowed(const MapCharacter& character) {
    const bool free =
        TheMainInterpreter.MoveDuringEvents != 0 || !TheMainInterpreter.IsInterpreterRunning();
    const std::int64_t frequency = character.frequency;
    return free && character.stopCounter > 20 * frequency * frequency;
}

void FadeOut(EventCharacter& event) {
    if (event.removalTotal < 0 || event.removed != 0)
        return;
    if (event.removalRemaining < 1) {
        event.removed = 1;
        SelectActivePage(event);
    }
    event.removalRemaining -= FramesPerUpdate;
    const std::int64_t total = std::max(1, event.removalTotal);
    // The last step of a fade at more than one frame per update would go below 0.
    event.opacity = static_cast<std::int16_t>(std::max<std::int64_t>(
        0, event.removalStartOpacity * std::int64_t{event.removalRemaining} / total));
}

// A character that left the map across a looping edge comes back on the other side once it
// stands.
void WrapAxis(int& v, int& pixel, int span, bool loops) {
    if (!loops || span <= 0 || (v >= 0 && v < span) || pixel != 2 * TileSize * v)
        return;
    v = ((v % span) + span) % span;
    pixel = 2 * TileSize * v;
}

}  // namespace

EventCharacter::EventCharacter(int mapId, const MapEvent& event) : mapId(mapId), mapEvent(event) {
    referenceId = event.eventId;
    passThrough = 1;
    PlaceCharacter(*this, event.x, event.y, 0);
    const int chosen = ChoosePage(*this);
    const EventPage& first = mapEvent.pages[static_cast<std::size_t>(std::max(0, chosen))];
    if ((first.movement.characterOptions & kBuiltHalfTileHigher) != 0) {
        y = 2 * event.y - 1;
        pixelY = 2 * TileSize * y;
    }
    SelectActivePage(*this);
}

void EventCharacter::FaceHeroForEvent() {
    if (turnedToHero != 0)
        return;
    rememberedDirection = direction;
    FaceHero(*this);
    turnedToHero = 1;
}

void EventCharacter::RestoreEventFacing() {
    if (turnedToHero == 0)
        return;
    turnedToHero = 0;
    if (directionFixed == 0 && rememberedDirection != 0)
        direction = static_cast<std::int16_t>(rememberedDirection);
}

bool TestPageConditions(const PageStartConditions& conditions, int eventNumber) {
    for (std::size_t i = 0; i < conditions.operators.size(); ++i) {
        const std::uint8_t op = conditions.operators[i];
        if ((op & 0x01) == 0)
            return true;
        const std::int32_t stored = conditions.references[i];
        const std::int32_t l =
            TheVariableStore.ReadValueById(OwnId(conditions.variableIds[i], eventNumber, 1000000));
        const std::int32_t r = TheVariableStore.ReadValueById(OwnId(stored, eventNumber, 1100000));
        const std::size_t comparison = op >> 4;
        if (comparison >= kComparisons.size() || !kComparisons[comparison](l, r, stored))
            return false;
    }
    return true;
}

void SelectActivePage(EventCharacter& event) {
    const int n = event.removed != 0 ? -1 : ChoosePage(event);
    if (n == event.activePage)
        return;
    if (n >= 0)
        event.activePageCopy = event.mapEvent.pages[static_cast<std::size_t>(n)];
    event.activePage = n;
    event.runRequest = 0;
    if (n < 0) {
        ClearPage(event);
        return;
    }
    ApplyPage(event, event.activePageCopy);
    CheckEventSelfTrigger(event);
}

void UpdateEventCharacter(EventCharacter& event) {
    FadeOut(event);
    UpdateCharacterMotion(event);
    if (AutomaticMovementAllowed(event)) {
        if (event.moveKind == 1)
            RunEventRoute(event);
        else if (event.moveKind == 2)
            RandomMovement(event);
        else if (event.moveKind == 3)
            ApproachMovement(event);
    }
    const MapState& mapState = TheMapState;
    WrapAxis(event.x, event.pixelX, 2 * GetMapWidth(), mapState.loopsHorizontally != 0);
    WrapAxis(event.y, event.pixelY, 2 * GetMapHeight(), mapState.loopsVertically != 0);
    CheckEventSelfTrigger(event);
    if (event.pageInterpreter.empty() || event.removalTotal >= 0)
        return;
    EventInterpreter& interpreter = event.pageInterpreter.front();
    if (!interpreter.IsInterpreterRunning()) {
        interpreter.ownCommands = event.commands;
        interpreter.StartInterpreter(CommandListRef::Own(), event.referenceId, -1);
    }
    RunInterpreter(interpreter);
}

void MarkEventToRun(EventCharacter& event, int value) {
    if (!event.commands.empty() && event.removalTotal < 0 && value == -1)
        event.runRequest = 1;
}

void SetEventRemoval(EventCharacter& event, int frames) {
    event.removalRemaining = event.removalTotal = frames;
    event.removalStartOpacity = event.opacity;
}

bool IsEventWalkable(const EventCharacter& event) {
    if (HasGraphic(event) && event.passThrough == 0)
        return false;
    return CanPassTile(TheMapState, event.x, event.y, 0, GameFlag(8, 0) == 1 ? 2 : 1);
}

int GetContactExtent(const EventCharacter& event, bool vertical) {
    if (event.activePage < 0 || event.pageBytes.size() < 3)
        return 0;
    return event.pageBytes[vertical ? 2 : 1];
}

}  // namespace game
