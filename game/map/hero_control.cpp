#include <algorithm>
#include <cstdint>

#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/character_movement.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/move_route.h"
#include "game/map/party.h"
#include "game/map/view_motion.h"

namespace game {
namespace {

constexpr int kHeroShadowVariable = 36;
constexpr int kFollowDistanceVariable = 37;
constexpr AllowedStartKinds kOnArrival = {0, 0, 0, 1, 1};
constexpr AllowedStartKinds kWhileStanding = {0, 0, 0, 0, 1};
constexpr AllowedStartKinds kOnConfirm = {1, 0, 0, 0, 0};
constexpr int kNoShadow = 255;

bool EventRunning() {
    return TheMainInterpreter.IsInterpreterRunning();
}

// The hero listens to the keys only while it stands and nothing else holds the game.
bool TakesInput(Party& party) {
    const ScreenState& screen = TheScreenState;
    const bool held = screen.TransitionRunning != 0 && screen.transitionHold != 0;
    return !CheckCharacterMoving(party) && !EventRunning() && party.forcedRoute == 0 &&
           screen.windowBusy == 0 && !held;
}

bool IsStepDirection(int direction) {
    return direction >= 1 && direction <= 9 && direction != 5;
}

void FollowWithView(const Party& party, int oldPixelX, int oldPixelY) {
    if (TheMainInterpreter.ScrollLocked != 0)
        return;
    MapState& mapState = TheMapState;
    const int t = TileSize;
    if (party.pixelY > oldPixelY && party.pixelY - mapState.scrollY > 28 * t)
        ScrollViewDown(mapState, party.pixelY - oldPixelY);
    if (party.pixelX < oldPixelX && party.pixelX - mapState.scrollX < 38 * t)
        ScrollViewLeft(mapState, oldPixelX - party.pixelX);
    if (party.pixelX > oldPixelX && party.pixelX - mapState.scrollX > 38 * t)
        ScrollViewRight(mapState, party.pixelX - oldPixelX);
    if (party.pixelY < oldPixelY && party.pixelY - mapState.scrollY < 28 * t)
        ScrollViewUp(mapState, oldPixelY - party.pixelY);
}

// The hero back onto the map after it walked over a looping edge, the view moved with it so
// that the picture stays still; with the view locked the hero jumps across instead.
void WrapHeroAxis(int& v, int& pixel, int& scroll, int size, bool loops) {
    const int span = 2 * size;
    if (!loops || span <= 0 || (v >= 0 && v < span) || pixel != 2 * TileSize * v)
        return;
    if (TheMainInterpreter.ScrollLocked != 0) {
        v = ((v % span) + span) % span;
        pixel = 2 * TileSize * v;
        return;
    }
    const int quarters = 4 * size * TileSize;
    while (v < 0) {
        v += span;
        pixel += quarters;
        scroll += quarters;
    }
    while (v >= span) {
        v -= span;
        pixel -= quarters;
        scroll -= quarters;
    }
}

void WrapMemberAxis(int& v, int& pixel, int size, bool loops) {
    const int span = 2 * size;
    if (!loops || span <= 0 || (v >= 0 && v < span) || pixel != 2 * TileSize * v)
        return;
    v = ((v % span) + span) % span;
    pixel = 2 * TileSize * v;
}

std::uint8_t MemberShadow(std::size_t n) {
    const std::vector<int>& shadows = TheMainInterpreter.MemberShadows;
    const int setting = n < shadows.size() ? shadows[n] : -1;
    if (setting == -1)
        return static_cast<std::uint8_t>(TheVariableStore.GetSystemVariable(kHeroShadowVariable));
    return setting <= -2 ? kNoShadow : static_cast<std::uint8_t>(setting);
}

int ScrollEdge(int scroll, int size, int screenHalfTiles, bool loops) {
    if (loops)
        return scroll;
    const int upper = std::max(0, 4 * size * TileSize - 2 * screenHalfTiles * TileSize);
    return std::clamp(scroll, 0, upper);
}

}  // namespace

HeroInput ReadHeroInput(const InputState& inputState) {
    const int ways = GameFlag(2, 8);
    HeroInput input;
    input.direction = ways == 8 ? inputState.direction8 : ways == 4 ? inputState.direction4 : 0;
    input.confirm = inputState.confirmPressed != 0;
    return input;
}

bool HeroStep(Party& party, int direction, bool turn) {
    CheckHeroBump(party.x + DirectionOffsetX(direction, party.stepSize),
                  party.y + DirectionOffsetY(direction, party.stepSize));
    return Step(party, direction, turn);
}

void RecordHeroStep(Party& party, int direction) {
    if (party.partyStepHold != 0)
        party.partyHeldStep = direction;
    else
        party.moveHistory.insert(party.moveHistory.begin(), direction);
    party.movedThisFrame = 1;
}

void UpdateHero(Party& party) {
    const bool wasMoving = CheckCharacterMoving(party);
    const int oldX = party.x;
    const int oldY = party.y;
    const int oldPixelX = party.pixelX;
    const int oldPixelY = party.pixelY;
    const auto shadow =
        static_cast<std::int16_t>(TheVariableStore.GetSystemVariable(kHeroShadowVariable));
    if (party.appliedShadow != shadow) {
        party.pageBytes.resize(std::max<std::size_t>(1, party.pageBytes.size()));
        party.pageBytes[0] = static_cast<std::uint8_t>(shadow);
    }
    const HeroInput input = ReadHeroInput(TheInputState);
    if (TakesInput(party) && IsStepDirection(input.direction))
        HeroStep(party, input.direction, party.directionFixed == 0);
    if (party.x != oldX || party.y != oldY)
        party.movedFlag = 1;
    UpdateCharacterMotion(party);
    UpdatePartyMembers(party);
    FollowWithView(party, oldPixelX, oldPixelY);
    MapState& mapState = TheMapState;
    WrapHeroAxis(party.x, party.pixelX, mapState.scrollX, GetMapWidth(),
                 mapState.loopsHorizontally != 0);
    WrapHeroAxis(party.y, party.pixelY, mapState.scrollY, GetMapHeight(),
                 mapState.loopsVertically != 0);
    const std::int64_t frequency = party.frequency;
    if ((TheMainInterpreter.MoveDuringEvents != 0 || !EventRunning()) &&
        party.stopCounter > 20 * frequency * frequency && party.moveKind == 1)
        RunCharacterRoute(party);
    if (party.forcedRoute != 0)
        RunCharacterRoute(party);
    if (CheckCharacterMoving(party))
        return;
    if (wasMoving || party.movedFlag != 0) {
        party.movedFlag = 0;
        CheckHeroContact(kOnArrival);
    } else {
        CheckHeroContact(kWhileStanding);
    }
    if (input.confirm && TakesInput(party)) {
        CheckHeroContact(kOnConfirm);
        CheckHeroFront(kOnConfirm);
    }
}

void UpdatePartyMembers(Party& party) {
    const MainInterpreter& main = TheMainInterpreter;
    const int distance = std::max(1, TheVariableStore.GetSystemVariable(kFollowDistanceVariable));
    const MapState& mapState = TheMapState;
    for (std::size_t n = 0; n < party.members.size(); ++n) {
        MapCharacter& member = party.members[n];
        if (main.PartyFollows != 0)
            member.speed = party.speed;
        member.pageBytes.resize(std::max<std::size_t>(1, member.pageBytes.size()));
        member.pageBytes[0] = MemberShadow(n);
        if (main.PartyFollows != 0 && party.movedThisFrame != 0) {
            int direction = 0;
            const std::int64_t entry = static_cast<std::int64_t>(n + 1) * distance;
            if (party.partyStepHold != 0)
                direction = party.partyHeldStep;
            else if (entry < static_cast<std::int64_t>(party.moveHistory.size()))
                direction = party.moveHistory[static_cast<std::size_t>(entry)];
            if (IsStepDirection(direction))
                Step(member, direction, true);
        }
        UpdateCharacterMotion(member);
        WrapMemberAxis(member.x, member.pixelX, GetMapWidth(), mapState.loopsHorizontally != 0);
        WrapMemberAxis(member.y, member.pixelY, GetMapHeight(), mapState.loopsVertically != 0);
    }
    if (party.movedThisFrame != 0) {
        if (!party.moveHistory.empty())
            party.moveHistory.pop_back();
        party.movedThisFrame = 0;
    }
}

void GatherParty(Party& party) {
    for (MapCharacter& member : party.members) {
        member.x = party.x;
        member.y = party.y;
        member.pixelX = party.pixelX;
        member.pixelY = party.pixelY;
    }
    party.moveHistory.assign(Party::kHistoryLength, 0);
}

void CenterViewOn(int x, int y) {
    MapState& mapState = TheMapState;
    const int t = TileSize;
    mapState.scrollX =
        ScrollEdge(2 * t * x - 38 * t, GetMapWidth(), 40, mapState.loopsHorizontally != 0);
    mapState.scrollY =
        ScrollEdge(2 * t * y - 28 * t, GetMapHeight(), 30, mapState.loopsVertically != 0);
}

void PlaceCharacterAndCenterView(MapCharacter& character, int x, int y, int half) {
    PlaceCharacter(character, x, y, half);
    CenterViewOn((2 - half) * x, (2 - half) * y);
}

}  // namespace game
