#include <array>
#include <cmath>
#include <cstdlib>

#include "game/core/game_random.h"
#include "game/map/character_movement.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"
#include "game/map/tile_queries.h"

namespace game {
namespace {

struct Offset {
    int x;
    int y;
};
constexpr std::array<Offset, 10> kDirectionOffsets = {
    {{0, 0}, {-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {0, 0}, {1, 0}, {-1, -1}, {0, -1}, {1, -1}}};

Offset UnitOffset(int direction) {
    return direction >= 0 && direction <= 9 ? kDirectionOffsets[direction] : Offset{0, 0};
}

int Wrap(int v, int span) {
    if (span <= 0)
        return v;
    return ((v % span) + span) % span;
}

// Another character at (ox, oy), also on the row above when two-row, hits the target
// (tx, ty) when its columns come within one half tile and a row meets; positions are taken
// round the map.
bool Hits(int ox, int oy, bool twoRow, int tx, int ty, int spanX, int spanY) {
    const int dx = Wrap(ox - tx, spanX);
    const bool columns = spanX > 0 ? dx <= 1 || dx == spanX - 1 : std::abs(ox - tx) <= 1;
    const bool rows =
        Wrap(oy, spanY) == Wrap(ty, spanY) || (twoRow && Wrap(oy, spanY) == Wrap(ty + 1, spanY));
    return columns && rows;
}

bool CanStepOnce(const MapCharacter& character, int x, int y, int direction) {
    const MapState& mapState = TheMapState;
    const int spanX = 2 * GetMapWidth();
    const int spanY = 2 * GetMapHeight();
    int tx = x + DirectionOffsetX(direction, character.stepSize);
    int ty = y + DirectionOffsetY(direction, character.stepSize);
    const int lower = character.stepSize == 1 && character.twoRow != 0 ? 1 : 0;
    if (!IsInsideMap(mapState, tx, ty + lower))
        return false;
    if (mapState.loopsHorizontally != 0)
        tx = Wrap(tx, spanX);
    if (mapState.loopsVertically != 0)
        ty = Wrap(ty, spanY);
    if (character.passThrough != 0)
        return true;
    if (!CanPassTile(mapState, x, y, direction, character.stepSize) ||
        !CanPassTile(mapState, tx, ty, 10 - direction, character.stepSize))
        return false;
    for (const EventCharacter& other : mapState.eventCharacters) {
        if (other.referenceId == character.referenceId || other.passThrough != 0)
            continue;
        if (!Hits(other.x, other.y, other.twoRow != 0, tx, ty, spanX, spanY))
            continue;
        if (character.isHero == 0 || HasGraphic(other))
            return false;
    }
    const Party& hero = TheParty;
    if (character.isHero == 0 && hero.passThrough == 0 && HasGraphic(character) &&
        Hits(hero.x, hero.y, hero.twoRow != 0, tx, ty, spanX, spanY))
        return false;
    return true;
}

struct Diagonal {
    int vertical;
    int horizontal;
};
Diagonal PartsOf(int direction) {
    return {direction < 5 ? 2 : 8, direction == 1 || direction == 7 ? 4 : 6};
}

void MoveBy(MapCharacter& character, int direction, int recorded) {
    character.x += DirectionOffsetX(direction, character.stepSize);
    character.y += DirectionOffsetY(direction, character.stepSize);
    character.stopCounter = 0;
    if (character.isHero != 0)
        RecordHeroStep(TheParty, recorded);
}

bool StepStraight(MapCharacter& character, int direction, bool turn) {
    if (turn)
        FaceDirection(character, direction);
    if (!CanStepTo(character, character.x, character.y, direction))
        return false;
    FaceDirection(character, direction);
    MoveBy(character, direction, direction);
    return true;
}

bool StepDiagonal(MapCharacter& character, int direction, bool turn) {
    const auto [v, h] = PartsOf(direction);
    const int x = character.x;
    const int y = character.y;
    if (turn)
        FaceDirection(character, direction);
    const bool vertical = CanStepTo(character, x, y, v);
    const bool horizontal = CanStepTo(character, x, y, h);
    if (vertical && horizontal &&
        CanStepTo(character, x, y + DirectionOffsetY(v, character.stepSize), h) &&
        CanStepTo(character, x + DirectionOffsetX(h, character.stepSize), y, v)) {
        FaceDirection(character, direction);
        MoveBy(character, direction, direction);
        return true;
    }
    if (character.slideOnDiagonals == 0 && character.slideOnce == 0)
        return false;
    const int slide = vertical ? v : horizontal ? h : 0;
    if (slide == 0)
        return false;
    FaceDirection(character, direction);
    MoveBy(character, slide, slide);
    return true;
}

// Plain steps, or the event's own steps when event is the character itself.
bool StepWith(MapCharacter& character, EventCharacter* event, int direction, bool turn) {
    return event != nullptr ? EventStep(*event, direction, turn) : Step(character, direction, turn);
}

std::uint32_t Draw() {
    return GameRandomControl(static_cast<int>(RandomMode::kStep));
}

int MoveDirections() {
    return GameFlag(2, 8);
}

// Random steps: r mod 8 with eight directions, r mod 4 with four.
constexpr std::array<int, 8> kRandomSteps = {2, 4, 6, 8, 1, 3, 7, 9};
constexpr std::array<int, 8> kRandomFacings = {8, 6, 4, 2, 1, 3, 7, 9};

void RandomStepWith(MapCharacter& character, EventCharacter* event) {
    const int ways = MoveDirections();
    if (ways != 8 && ways != 4)
        return;
    StepWith(character, event, kRandomSteps[Draw() % static_cast<unsigned>(ways)], false);
}

int LoopOffset(int plain, int span, bool loops) {
    if (!loops)
        return plain;
    int best = plain;
    for (int candidate : {plain - span, plain + span}) {
        if (std::abs(candidate) < std::abs(best))
            best = candidate;
    }
    return best;
}

Offset OffsetTo(const MapCharacter& character, int targetX, int targetY) {
    const MapState& mapState = TheMapState;
    return {LoopOffset(character.x - targetX, 2 * GetMapWidth(), mapState.loopsHorizontally != 0),
            LoopOffset(character.y - targetY, 2 * GetMapHeight(), mapState.loopsVertically != 0)};
}

// Four-way approach and flight: the longer axis first (a tie broken at random), then the
// other axis when the first step left the character standing. away turns the steps round.
void StepAlongAxes(MapCharacter& character, EventCharacter* event, Offset offset, bool away) {
    int a = std::abs(offset.x);
    int c = std::abs(offset.y);
    if (a == c)
        (Draw() % 2 == 0 ? a : c) += 1;
    const int horizontal = (offset.x <= 0) != away ? 6 : 4;
    const int vertical = (offset.y <= 0) != away ? 2 : 8;
    const bool horizontalFirst = a > c;
    StepWith(character, event, horizontalFirst ? horizontal : vertical, true);
    const int other = horizontalFirst ? offset.y : offset.x;
    if (!CheckCharacterMoving(character) && other != 0)
        StepWith(character, event, horizontalFirst ? vertical : horizontal, true);
}

void Approach(MapCharacter& character, EventCharacter* event, int targetX, int targetY) {
    const Offset offset = OffsetTo(character, targetX, targetY);
    if (offset.x == 0 && offset.y == 0)
        return;
    const int ways = MoveDirections();
    if (ways == 8) {
        character.slideOnce = 1;
        const int horizontal = offset.x <= 0 ? 6 : 4;
        const int vertical = offset.y <= 0 ? 2 : 8;
        int direction = offset.x == 0 ? vertical : offset.y == 0 ? horizontal : 0;
        if (direction == 0)
            direction = horizontal == 6 ? (vertical == 2 ? 3 : 9) : (vertical == 2 ? 1 : 7);
        StepWith(character, event, direction, true);
    } else if (ways == 4) {
        StepAlongAxes(character, event, offset, false);
    }
}

constexpr std::array<int, 10> kClockwise8 = {0, 4, 1, 2, 7, 5, 3, 8, 9, 6};
constexpr std::array<int, 10> kClockwise4 = {0, 0, 4, 0, 8, 5, 2, 0, 6, 0};
constexpr std::array<int, 10> kCounterClockwise8 = {0, 2, 3, 6, 1, 5, 9, 4, 7, 8};
constexpr std::array<int, 10> kCounterClockwise4 = {0, 0, 6, 0, 2, 5, 8, 0, 4, 0};

void Turn(MapCharacter& character, const std::array<int, 10>& eightWay,
          const std::array<int, 10>& fourWay) {
    const int d = character.direction;
    if (d < 0 || d > 9)
        return;
    const int turned = character.eightDirectionSheet != 0 ? eightWay[d] : fourWay[d];
    FaceDirection(character, turned);
}

}  // namespace

int DirectionOffsetX(int direction, int stepSize) {
    return UnitOffset(direction).x * stepSize;
}

int DirectionOffsetY(int direction, int stepSize) {
    return UnitOffset(direction).y * stepSize;
}

bool CanStepTo(const MapCharacter& character, int x, int y, int direction) {
    if (!CanStepOnce(character, x, y, direction))
        return false;
    // The upper half of a two-row character must pass as well.
    if (character.stepSize == 1 && character.twoRow != 0)
        return CanStepOnce(character, x, y - 1, direction);
    return true;
}

bool CanCharacterStep(const MapCharacter& character, int x, int y, int direction) {
    if (character.partyMember != 0)
        return true;
    const int tx = Wrap(x + DirectionOffsetX(direction, character.stepSize), 2 * GetMapWidth());
    const int ty = Wrap(y + DirectionOffsetY(direction, character.stepSize), 2 * GetMapHeight());
    if (!IsInsideMap(TheMapState, tx, ty))
        return false;
    return CanStepTo(character, x, y, direction);
}

bool Step(MapCharacter& character, int direction, bool turn) {
    const Offset unit = UnitOffset(direction);
    if (unit.x != 0 && unit.y != 0)
        return StepDiagonal(character, direction, turn);
    if (unit.x != 0 || unit.y != 0)
        return StepStraight(character, direction, turn);
    return false;
}

bool EventStep(EventCharacter& event, int direction, bool turn) {
    const bool extended = GetContactExtent(event, false) != 0 || GetContactExtent(event, true) != 0;
    if (extended || !CanStepTo(event, event.x, event.y, direction))
        CheckEventTouch(event, event.x + DirectionOffsetX(direction, event.stepSize),
                        event.y + DirectionOffsetY(direction, event.stepSize));
    return Step(event, direction, turn);
}

void ResetPatternForJump(MapCharacter& character) {
    if (character.walkingAnimation != 0 || character.steppingAnimation != 0)
        character.pattern = character.standPattern;
    character.animationAccumulator = 0.0;
    character.rememberedDirection = 0;
}

bool JumpBy(MapCharacter& character, int stepsX, int stepsY) {
    const int ox = stepsX * character.stepSize;
    const int oy = stepsY * character.stepSize;
    if (ox != 0 || oy != 0) {
        if (std::abs(ox) > std::abs(oy))
            ox < 0 ? FaceLeft(character) : FaceRight(character);
        else
            oy < 0 ? FaceUp(character) : FaceDown(character);
        if (!CanStepTo(character, character.x + ox, character.y + oy, 0))
            return false;
    }
    ResetPatternForJump(character);
    character.x += ox;
    character.y += oy;
    const int length =
        static_cast<int>(std::sqrt(static_cast<double>(ox) * ox + static_cast<double>(oy) * oy));
    const int half = (length + 15 - character.speed) / 2;
    character.jumpHalfLength = half;
    character.jumpRemaining = 2 * half;
    character.stopCounter = 0;
    return true;
}

void StepForward(MapCharacter& character) {
    Step(character, character.direction, false);
}

void EventStepForward(EventCharacter& event) {
    EventStep(event, event.direction, false);
}

void StepBackward(MapCharacter& character) {
    const std::uint8_t fixed = character.directionFixed;
    character.directionFixed = 1;
    Step(character, 10 - character.direction, false);
    character.directionFixed = fixed;
}

void TurnClockwise(MapCharacter& character) {
    Turn(character, kClockwise8, kClockwise4);
}

void TurnCounterClockwise(MapCharacter& character) {
    Turn(character, kCounterClockwise8, kCounterClockwise4);
}

void TurnRandomly(MapCharacter& character) {
    Draw() % 2 != 0 ? TurnCounterClockwise(character) : TurnClockwise(character);
}

void FaceRandomDirection(MapCharacter& character) {
    const int ways = MoveDirections();
    if (ways != 8 && ways != 4)
        return;
    FaceDirection(character, kRandomFacings[Draw() % static_cast<unsigned>(ways)]);
}

void RandomStep(MapCharacter& character) {
    RandomStepWith(character, nullptr);
}

void EventRandomStep(EventCharacter& event) {
    RandomStepWith(event, &event);
}

void ApproachTarget(MapCharacter& character, int kind, int a, int b) {
    if (kind == 0) {
        Approach(character, nullptr, 2 * a, 2 * b);
        return;
    }
    if (TheMapState.eventCharacters.empty())
        return;
    const MapCharacter* target = nullptr;
    if (a == -2)
        target = &TheParty;
    else if (a <= -3)
        target = GetPartyCharacter(TheParty, -3 - a + 1);
    else if (a >= 0)
        target = FindEventCharacter(TheMapState, a);
    if (target != nullptr)
        Approach(character, nullptr, target->x, target->y);
}

void ApproachHero(MapCharacter& character) {
    Approach(character, nullptr, TheParty.x, TheParty.y);
}

void EventApproachHero(EventCharacter& event) {
    Approach(event, &event, TheParty.x, TheParty.y);
}

void FleeFromHero(MapCharacter& character) {
    const Offset offset = OffsetTo(character, TheParty.x, TheParty.y);
    if (offset.x == 0 && offset.y == 0)
        return;
    StepAlongAxes(character, nullptr, offset, true);
}

void RandomMovement(EventCharacter& event) {
    const std::uint32_t r = Draw() % 6;
    if (r < 4)
        EventRandomStep(event);
    else if (r == 4)
        EventStepForward(event);
    else
        event.stopCounter = 0;
}

void ApproachMovement(EventCharacter& event) {
    const Offset offset = OffsetTo(event, TheParty.x, TheParty.y);
    if (std::abs(offset.x) + std::abs(offset.y) >= 20) {
        EventRandomStep(event);
        return;
    }
    const std::uint32_t r = Draw() % 6;
    if (r < 4)
        EventApproachHero(event);
    else if (r == 4)
        EventRandomStep(event);
    else
        EventStepForward(event);
}

}  // namespace game
