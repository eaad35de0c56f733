#include <array>
#include <cstdlib>

#include "game/map/map_character.h"
#include "game/map/map_state.h"
#include "game/map/party.h"

namespace game {
namespace {

// Without an eight-direction sheet a diagonal keeps the side it already faces, else it
// falls back to its vertical part.
struct DiagonalFacing {
    std::int16_t eightWay;
    std::int16_t keptSide;
    std::int16_t sideWhen;
    std::int16_t fallback;
};

constexpr DiagonalFacing kDownLeft{1, 4, 6, 2};
constexpr DiagonalFacing kDownRight{3, 6, 4, 2};
constexpr DiagonalFacing kUpLeft{7, 4, 6, 8};
constexpr DiagonalFacing kUpRight{9, 6, 4, 8};

void Face(MapCharacter& character, std::int16_t direction) {
    if (character.directionFixed != 0)
        return;
    character.direction = direction;
    character.stopCounter = 0;
}

void FaceDiagonal(MapCharacter& character, const DiagonalFacing& facing) {
    if (character.eightDirectionSheet != 0)
        Face(character, facing.eightWay);
    else
        Face(character, character.direction == facing.sideWhen ? facing.keptSide : facing.fallback);
}

// The difference a - b on an axis of span half tiles, the shorter way round when it loops.
int LoopDistance(int a, int b, int span, bool loops) {
    const int plain = a - b;
    if (!loops)
        return plain;
    int best = plain;
    for (int candidate : {plain - span, plain + span}) {
        if (std::abs(candidate) < std::abs(best))
            best = candidate;
    }
    return best;
}

struct HeroOffset {
    int a;
    int c;
};

HeroOffset OffsetFromHero(const MapCharacter& character) {
    const MapState& mapState = TheMapState;
    return {
        LoopDistance(character.x, TheParty.x, 2 * GetMapWidth(), mapState.loopsHorizontally != 0),
        LoopDistance(character.y, TheParty.y, 2 * GetMapHeight(), mapState.loopsVertically != 0)};
}

using FaceOperation = void (*)(MapCharacter&);
constexpr std::array<FaceOperation, 10> kFacingOfDirection = {
    nullptr, FaceDownLeft, FaceDown,   FaceDownRight, FaceLeft,
    nullptr, FaceRight,    FaceUpLeft, FaceUp,        FaceUpRight};

}  // namespace

void FaceDown(MapCharacter& character) {
    Face(character, 2);
}
void FaceLeft(MapCharacter& character) {
    Face(character, 4);
}
void FaceRight(MapCharacter& character) {
    Face(character, 6);
}
void FaceUp(MapCharacter& character) {
    Face(character, 8);
}
void FaceDownLeft(MapCharacter& character) {
    FaceDiagonal(character, kDownLeft);
}
void FaceDownRight(MapCharacter& character) {
    FaceDiagonal(character, kDownRight);
}
void FaceUpLeft(MapCharacter& character) {
    FaceDiagonal(character, kUpLeft);
}
void FaceUpRight(MapCharacter& character) {
    FaceDiagonal(character, kUpRight);
}

void FaceDirection(MapCharacter& character, int direction) {
    if (direction < 0 || direction > 9 || kFacingOfDirection[direction] == nullptr)
        return;
    kFacingOfDirection[direction](character);
}

void FaceHero(MapCharacter& character) {
    const auto [a, c] = OffsetFromHero(character);
    if (a == 0 && c == 0)
        return;
    if (a != 0 && c != 0 && 3 * std::abs(a) >= std::abs(c) && 3 * std::abs(c) >= std::abs(a)) {
        if (a > 0)
            c <= 0 ? FaceDownLeft(character) : FaceUpLeft(character);
        else
            c <= 0 ? FaceDownRight(character) : FaceUpRight(character);
    } else if (std::abs(c) < std::abs(a)) {
        a <= 0 ? FaceRight(character) : FaceLeft(character);
    } else {
        c <= 0 ? FaceDown(character) : FaceUp(character);
    }
}

void FaceAwayFromHero(MapCharacter& character) {
    if (character.x == TheParty.x && character.y == TheParty.y)
        return;
    const auto [a, c] = OffsetFromHero(character);
    if (std::abs(c) < std::abs(a))
        a <= 0 ? FaceLeft(character) : FaceRight(character);
    else
        c <= 0 ? FaceUp(character) : FaceDown(character);
}

}  // namespace game
