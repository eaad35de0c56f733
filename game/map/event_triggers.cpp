#include "game/interpreter/main_interpreter.h"
#include "game/map/character_movement.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/map/tile_queries.h"

namespace game {
namespace {

bool EventRunning() {
    return TheMainInterpreter.IsInterpreterRunning();
}

int HeroRowsAbove() {
    return TheParty.twoRow != 0 ? 1 : 0;
}

bool Between(int low, int v, int high) {
    return low <= v && v <= high;
}

// The event's rows reach row r: its vertical extent, the hero's second row and its own.
bool RowsMatch(const EventCharacter& event, int r) {
    const int extent = GetContactExtent(event, true);
    return Between(r - extent - HeroRowsAbove(), event.y, r + extent + (event.twoRow != 0 ? 1 : 0));
}

bool ColumnsMatch(const EventCharacter& event, int x, int reach) {
    const int extent = GetContactExtent(event, false);
    return Between(x - reach - extent, event.x, x + reach + extent);
}

bool Allows(const AllowedStartKinds& allowed, int kind) {
    return kind >= 0 && kind < static_cast<int>(allowed.size()) && allowed[kind] != 0;
}

bool Blocks(const EventCharacter& event) {
    return !IsJumping(event) && !IsEventWalkable(event);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

int WrapOnLoop(int v, int span, bool loops) {
    if (!loops)
        return v;
    if (v >= span)
        return v - span;
    return v < 0 ? v + span : v;
}

bool FireAcrossCounter(const AllowedStartKinds& allowed, int x, int y) {
    for (EventCharacter& event : TheMapState.eventCharacters) {
        const int extent = GetContactExtent(event, true);
        if (Allows(allowed, event.startKind) && ColumnsMatch(event, x, 1) &&
            Between(y - extent, event.y, y + extent + (event.twoRow != 0 ? 1 : 0)) &&
            Blocks(event)) {
            MarkEventToRun(event, -1);
            return true;
        }
    }
    return false;
}

}  // namespace

bool CheckHeroContact(const AllowedStartKinds& allowed) {
    if (EventRunning())
        return false;
    bool fired = false;
    const int hx = TheParty.x;
    const int hy = TheParty.y;
    for (EventCharacter& event : TheMapState.eventCharacters) {
        const int kind = event.startKind;
        if (!Allows(allowed, kind) || kind > kTouchEitherWayStart)
            continue;
        const int reach = kind == kTouchEitherWayStart ? 1 : 0;
        if (ColumnsMatch(event, hx, reach) && RowsMatch(event, hy) && !IsJumping(event)) {
            MarkEventToRun(event, -1);
            fired = true;
        }
    }
    return fired;
}

bool CheckHeroFront(const AllowedStartKinds& allowed) {
    if (EventRunning())
        return false;
    const Party& hero = TheParty;
    const int s = hero.stepSize;
    const int ox = DirectionOffsetX(hero.direction, s);
    int oy = DirectionOffsetY(hero.direction, s);
    if (oy < 0 && hero.twoRow != 0)
        oy = -2;
    const MapState& mapState = TheMapState;
    const int fx = WrapOnLoop(hero.x + ox, 2 * GetMapWidth(), mapState.loopsHorizontally != 0);
    const int fy = WrapOnLoop(hero.y + oy, 2 * GetMapHeight(), mapState.loopsVertically != 0);
    for (EventCharacter& event : TheMapState.eventCharacters) {
        if (Allows(allowed, event.startKind) && ColumnsMatch(event, fx, 1) &&
            RowsMatch(event, fy) && Blocks(event)) {
            MarkEventToRun(event, -1);
            return true;
        }
    }
    if (!HasCounterAt(mapState, fx, fy))
        return false;
    return FireAcrossCounter(allowed, fx + 2 * Sign(ox), fy + 2 * Sign(oy));
}

bool CheckHeroBump(int x, int y) {
    if (EventRunning())
        return false;
    bool fired = false;
    for (EventCharacter& event : TheMapState.eventCharacters) {
        const int kind = event.startKind;
        if ((kind == kTouchStart || kind == kTouchEitherWayStart) && ColumnsMatch(event, x, 1) &&
            RowsMatch(event, y) && Blocks(event)) {
            MarkEventToRun(event, -1);
            fired = true;
        }
    }
    return fired;
}

void CheckEventTouch(EventCharacter& event, int x, int y) {
    if (EventRunning() || event.startKind != kTouchEitherWayStart)
        return;
    const int horizontal = GetContactExtent(event, false);
    const int vertical = GetContactExtent(event, true);
    const int t = HeroRowsAbove();
    if (Between(x - 1 - horizontal, TheParty.x, x + 1 + horizontal) &&
        Between(y - vertical - t, TheParty.y, y + vertical + t) && Blocks(event))
        MarkEventToRun(event, -1);
}

void CheckEventSelfTrigger(EventCharacter& event) {
    if (event.startKind == kAutomaticStart) {
        MarkEventToRun(event, -1);
    } else if (event.startKind == kTouchEitherWayStart && event.x == TheParty.x &&
               event.y == TheParty.y && !IsJumping(event) && IsEventWalkable(event)) {
        MarkEventToRun(event, -1);
    }
}

}  // namespace game
