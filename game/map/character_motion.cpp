#include <algorithm>
#include <array>
#include <cstdint>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/map/character_movement.h"
#include "game/map/map_character.h"
#include "game/map/move_route.h"

namespace game {
namespace {

// Frames between pattern changes, by animation speed. Games with five walking patterns
// animate faster: the table changes once, at the first motion update that sees them.
constexpr std::array<int, 7> kAnimationIntervals = {0, 6, 10, 16, 24, 60, 84};
std::array<int, 7> AnimationIntervals = kAnimationIntervals;
bool AnimationIntervalsChanged = false;

constexpr std::array<int, 4> kThreePatternCycle = {0, 1, 0, -1};
constexpr std::array<int, 8> kFivePatternCycle = {0, 1, 2, 1, 0, -1, -2, -1};

// The largest speed whose power of two still fits the glide's arithmetic.
constexpr int kMaxSpeed = 40;

void ChangeIntervalsForFivePatterns() {
    if (AnimationIntervalsChanged || GameFlag(7, 3) != 5)
        return;
    AnimationIntervalsChanged = true;
    for (int i = 1; i <= 4; ++i)
        AnimationIntervals[i] /= 2;
    AnimationIntervals[5] = AnimationIntervals[5] * 2 / 3;
    AnimationIntervals[6] = AnimationIntervals[6] * 3 / 4;
}

// Quarter pixels per update: 2^speed x frames per update x factor / 4, at least 1 so that
// every character arrives.
std::int64_t GlideStep(const MapCharacter& character) {
    const int factor = GameFlag(character.isHero != 0 || character.partyMember != 0 ? 16 : 15, 4);
    const int speed = std::clamp<int>(character.speed, -1, kMaxSpeed);
    const std::int64_t power = speed < 0 ? 0 : std::int64_t{1} << speed;
    return std::max<std::int64_t>(1, power * FramesPerUpdate * factor / 4);
}

int Toward(int from, int to, std::int64_t step) {
    if (from < to)
        return static_cast<int>(std::min<std::int64_t>(to, from + step));
    return static_cast<int>(std::max<std::int64_t>(to, from - step));
}

void Glide(MapCharacter& character) {
    const int targetX = 2 * TileSize * character.x;
    const int targetY = 2 * TileSize * character.y;
    const std::int64_t step = GlideStep(character);
    if (character.pixelY < targetY)
        character.pixelY = Toward(character.pixelY, targetY, step);
    if (character.pixelX > targetX)
        character.pixelX = Toward(character.pixelX, targetX, step);
    if (character.pixelX < targetX)
        character.pixelX = Toward(character.pixelX, targetX, step);
    if (character.pixelY > targetY)
        character.pixelY = Toward(character.pixelY, targetY, step);
    if (character.pixelX > targetX && character.pixelY == targetY)
        character.slideOnce = 0;
    if (character.pixelX == targetX && character.pixelY == targetY)
        character.stopCounter += FramesPerUpdate;
    if (character.walkingAnimation != 0)
        character.animationAccumulator += FramesPerUpdate;
    else if (character.steppingAnimation != 0)
        character.animationAccumulator += 0.75 * FramesPerUpdate;
}

void Stand(MapCharacter& character) {
    if (character.steppingAnimation != 0)
        character.animationAccumulator += 0.75 * FramesPerUpdate;
    else if (character.pattern != character.standPattern)
        character.animationAccumulator += FramesPerUpdate;
    if (character.stopCounterGate == 0 || character.turnedToHero != 0)
        character.stopCounter += FramesPerUpdate;
}

void Jump(MapCharacter& character) {
    character.jumpRemaining -= FramesPerUpdate;
    const int targetX = 2 * TileSize * character.x;
    const int targetY = 2 * TileSize * character.y;
    if (character.jumpRemaining > 0) {
        const std::int64_t remaining = character.jumpRemaining;
        character.pixelX =
            static_cast<int>((character.pixelX * remaining + targetX) / (remaining + 1));
        character.pixelY =
            static_cast<int>((character.pixelY * remaining + targetY) / (remaining + 1));
    } else {
        character.pixelX = targetX;
        character.pixelY = targetY;
    }
}

int ShakeOffset(int amplitude, int phase, int half, int sign) {
    if (phase < half)
        return sign * (amplitude * phase / half);
    return sign * (amplitude - (phase - half) * amplitude / half);
}

void Shake(MapCharacter& character) {
    if (character.shakeSwings <= 0) {
        character.screenOffsetX = character.screenOffsetY = 0;
        return;
    }
    const int sign = character.shakeSwings % 2 == 1 ? 1 : -1;
    const int half = std::max(1, character.shakeHalfPeriod);
    const int phase = character.shakePhase;
    character.screenOffsetX = ShakeOffset(character.shakeAmplitudeX, phase, half, sign);
    character.screenOffsetY = ShakeOffset(character.shakeAmplitudeY, phase, half, sign);
    if (--character.shakePhase <= 0) {
        --character.shakeSwings;
        character.shakePhase = 2 * half;
    }
}

void Animate(MapCharacter& character) {
    const int speed = std::clamp<int>(character.animationSpeed, 0, 6);
    if (character.animationAccumulator <= AnimationIntervals[speed])
        return;
    if (character.steppingAnimation == 0 && character.stopCounter > FramesPerUpdate) {
        character.pattern = character.standPattern;
        character.animationCounter = 0;
    } else if (GameFlag(7, 3) == 5) {
        character.animationCounter =
            static_cast<std::int16_t>((character.animationCounter + 1) % kFivePatternCycle.size());
        character.pattern = static_cast<std::int16_t>(
            character.animationBase + kFivePatternCycle[character.animationCounter]);
    } else {
        character.animationCounter =
            static_cast<std::int16_t>((character.animationCounter + 1) % kThreePatternCycle.size());
        character.pattern = static_cast<std::int16_t>(
            character.animationBase + kThreePatternCycle[character.animationCounter]);
    }
    character.animationAccumulator = 0.0;
}

}  // namespace

void ResetAnimationIntervals() {
    AnimationIntervals = kAnimationIntervals;
    AnimationIntervalsChanged = false;
}

void UpdateCharacterMotion(MapCharacter& character) {
    ChangeIntervalsForFivePatterns();
    if (IsJumping(character))
        Jump(character);
    else if (CheckCharacterMoving(character))
        Glide(character);
    else
        Stand(character);
    if (character.flashRemaining > 0)
        --character.flashRemaining;
    Shake(character);
    Animate(character);
    if (character.waitFrames > 0)
        character.waitFrames -= FramesPerUpdate;
    else if (character.isHero == 0 && character.forcedRoute != 0)
        RunCharacterRoute(character);
}

}  // namespace game
