#include "game/map/view_motion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "game/core/display_scale.h"
#include "game/core/play_settings.h"
#include "game/map/map_state.h"

namespace game {
namespace {

constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();

int ClampToInt(__int128 value) {
    return static_cast<int>(std::clamp<__int128>(value, kIntMin, kIntMax));
}

// The integer part of 2^exponent, saturating at the largest int.
int PowerOfTwo(int exponent) {
    if (exponent < 0)
        return 0;
    return exponent >= 31 ? static_cast<int>(kIntMax) : 1 << exponent;
}

int ScrollSpeed(int distance, double perFrame, double length) {
    const double speed = std::abs(static_cast<double>(distance)) * perFrame / length;
    if (!(speed >= 1.0))
        return 1;
    return static_cast<int>(std::min(speed, static_cast<double>(kIntMax)));
}

// One frame of one shake; the offset is in 1/2048 of a tile.
void UpdateShake(int amplitude, int speed, int& count, int& offset, int& direction) {
    if (count <= 0 && offset == 0)
        return;
    // Saturated amplitudes and speeds multiply past 64 bits.
    const __int128 step = static_cast<__int128>(amplitude) * speed * direction * 64 /
                          std::max(FramesPerUpdate, 1) / 10;
    const __int128 moved = offset + step;
    const bool same_sign = (offset > 0 && moved > 0) || (offset < 0 && moved < 0);
    offset = count > 1 || same_sign ? ClampToInt(moved) : 0;
    if (offset > std::int64_t{128} * amplitude)
        direction = -1;
    else if (offset < std::int64_t{-128} * amplitude)
        direction = 1;
    if (count > 0)
        --count;
}

int ShakePixels(int offset) {
    return static_cast<int>(std::int64_t{TileSize} * offset / 2048);
}

// What a timed change from start to target has reached with `remaining` of `frames` left.
int Reached(int target, int start, int remaining, int frames) {
    return static_cast<int>(target - std::int64_t{target - start} * remaining / frames);
}

}  // namespace

void ScrollViewLeft(MapState& mapState, int d) {
    mapState.scrollX =
        mapState.loopsHorizontally ? mapState.scrollX - d : std::max(mapState.scrollX - d, 0);
}

void ScrollViewRight(MapState& mapState, int d) {
    const int limit = 4 * mapState.mapData.header.width * TileSize - 80 * TileSize;
    mapState.scrollX =
        mapState.loopsHorizontally ? mapState.scrollX + d : std::min(mapState.scrollX + d, limit);
}

void ScrollViewUp(MapState& mapState, int d) {
    mapState.scrollY =
        mapState.loopsVertically ? mapState.scrollY - d : std::max(mapState.scrollY - d, 0);
}

void ScrollViewDown(MapState& mapState, int d) {
    const int limit = 4 * mapState.mapData.header.height * TileSize - 60 * TileSize;
    mapState.scrollY =
        mapState.loopsVertically ? mapState.scrollY + d : std::min(mapState.scrollY + d, limit);
}

void StartViewScroll(MapState& mapState, int h, int v, int speedCode) {
    mapState.scrollDirectionX = h > 0 ? 6 : 4;
    mapState.scrollDirectionY = v > 0 ? 2 : 8;
    mapState.scrollLeftX = ClampToInt(std::llabs(h));
    mapState.scrollLeftY = ClampToInt(std::llabs(v));
    const double length = std::hypot(static_cast<double>(h), static_cast<double>(v));
    const double per_frame = speedCode == 8 ? 100000000.0 : std::exp2(speedCode + 1);
    mapState.scrollSpeedX = ScrollSpeed(h, per_frame, length);
    mapState.scrollSpeedY = ScrollSpeed(v, per_frame, length);
}

void SetViewShake(MapState& mapState, int a, int b, int kind, int d) {
    const int count = ClampToInt(std::int64_t{d} + 1);
    if (kind == 0) {
        mapState.verticalShakeAmplitude = PowerOfTwo(a);
        mapState.verticalShakeSpeed = PowerOfTwo(b);
        mapState.verticalShakeCount = count;
        mapState.verticalShakeDirection = 1;
    } else if (kind == 1) {
        mapState.horizontalShakeAmplitude = PowerOfTwo(a);
        mapState.horizontalShakeSpeed = PowerOfTwo(b);
        mapState.horizontalShakeCount = count;
        mapState.horizontalShakeDirection = 1;
    }
}

void UpdateViewShakes(MapState& mapState) {
    UpdateShake(mapState.horizontalShakeAmplitude, mapState.horizontalShakeSpeed,
                mapState.horizontalShakeCount, mapState.horizontalShakeOffset,
                mapState.horizontalShakeDirection);
    UpdateShake(mapState.verticalShakeAmplitude, mapState.verticalShakeSpeed,
                mapState.verticalShakeCount, mapState.verticalShakeOffset,
                mapState.verticalShakeDirection);
}

void StartViewZoom(MapState& mapState, int centreX, int centreY, int percent, int frames) {
    const int f = std::max(mapState.zoomDuration, 1);
    const int remaining = mapState.zoomRemaining;
    mapState.zoomStartPercent =
        Reached(mapState.zoomTargetPercent, mapState.zoomStartPercent, remaining, f);
    if (mapState.zoomStartPercent == 100) {
        mapState.zoomStartCentreX = centreX;
        mapState.zoomStartCentreY = centreY;
    } else {
        mapState.zoomStartCentreX =
            Reached(mapState.zoomTargetCentreX, mapState.zoomStartCentreX, remaining, f);
        mapState.zoomStartCentreY =
            Reached(mapState.zoomTargetCentreY, mapState.zoomStartCentreY, remaining, f);
    }
    mapState.zoomTargetCentreX = centreX;
    mapState.zoomTargetCentreY = centreY;
    mapState.zoomTargetPercent = percent;
    mapState.zoomRemaining = frames;
    mapState.zoomDuration = frames;
}

void StepViewMotion(MapState& mapState) {
    if (mapState.scrollLeftX > 0) {
        const int step = std::min(mapState.scrollSpeedX, mapState.scrollLeftX);
        if (mapState.scrollDirectionX == 4)
            ScrollViewLeft(mapState, step);
        else if (mapState.scrollDirectionX == 6)
            ScrollViewRight(mapState, step);
        mapState.scrollLeftX = std::max(mapState.scrollLeftX - mapState.scrollSpeedX, 0);
    }
    if (mapState.scrollLeftY > 0) {
        const int step = std::min(mapState.scrollSpeedY, mapState.scrollLeftY);
        if (mapState.scrollDirectionY == 8)
            ScrollViewUp(mapState, step);
        else if (mapState.scrollDirectionY == 2)
            ScrollViewDown(mapState, step);
        mapState.scrollLeftY = std::max(mapState.scrollLeftY - mapState.scrollSpeedY, 0);
    }

    UpdateViewShakes(mapState);
    mapState.shakeOffsetX = ShakePixels(mapState.horizontalShakeOffset);
    mapState.shakeOffsetY = ShakePixels(mapState.verticalShakeOffset);

    if (mapState.zoomRemaining <= 0) {
        mapState.zoomCentreX = mapState.zoomTargetCentreX;
        mapState.zoomCentreY = mapState.zoomTargetCentreY;
        mapState.zoomPercent = mapState.zoomTargetPercent;
        return;
    }
    if (--mapState.zoomRemaining == 0)
        mapState.zoomStartPercent = mapState.zoomTargetPercent;
    const int f = std::max(mapState.zoomDuration, 1);
    const int remaining = mapState.zoomRemaining;
    mapState.zoomCentreX =
        Reached(mapState.zoomTargetCentreX, mapState.zoomStartCentreX, remaining, f);
    mapState.zoomCentreY =
        Reached(mapState.zoomTargetCentreY, mapState.zoomStartCentreY, remaining, f);
    mapState.zoomPercent =
        Reached(mapState.zoomTargetPercent, mapState.zoomStartPercent, remaining, f);
}

}  // namespace game
