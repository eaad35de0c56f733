#include "game/map/move_route.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "game/core/database.h"
#include "game/core/error_box.h"
#include "game/core/processing_point.h"
#include "game/core/variable_ids.h"
#include "game/core/variable_store.h"
#include "game/map/character_movement.h"
#include "game/map/event_character.h"
#include "game/map/map_state.h"
#include "game/map/move_route_texts.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

constexpr int kGraphicNamesType = 8;
constexpr int kSoundEffectKind = 2;

// The character a step acts on, with itself as an event when the event variant runs.
struct RouteContext {
    MapCharacter& character;
    EventCharacter* event;
    const MoveRouteStep& step;

    std::int32_t Arg(std::size_t n) const { return n < step.args.size() ? step.args[n] : 0; }
    std::int32_t Value(std::size_t n) const { return TheVariableStore.ReadValueById(Arg(n)); }
};

enum class StepKind { kMovement, kFacing, kSetting };

struct StepEntry {
    StepKind kind;
    void (*action)(const RouteContext&);
};

void Walk(const RouteContext& c, int direction) {
    if (c.event != nullptr)
        EventStep(*c.event, direction, true);
    else
        Step(c.character, direction, true);
}

void StoreAndRefresh(std::int32_t id, std::int32_t value) {
    TheVariableStore.StoreValueById(id, value);
    TheMapState.pageRefreshRequest = 1;
}

template <int kDirection>
void WalkTo(const RouteContext& c) {
    Walk(c, kDirection);
}

template <void (*kOperation)(MapCharacter&)>
void Apply(const RouteContext& c) {
    kOperation(c.character);
}

template <std::uint8_t MapCharacter::*kFlag, std::uint8_t kValue>
void SetFlag(const RouteContext& c) {
    c.character.*kFlag = kValue;
}

template <std::int16_t kPattern>
void SetStandPattern(const RouteContext& c) {
    c.character.standPattern = kPattern;
}

template <int kStepSize>
void SetStepSize(const RouteContext& c) {
    c.character.stepSize = kStepSize;
}

void Nothing(const RouteContext&) {}

void RandomWalk(const RouteContext& c) {
    c.event != nullptr ? EventRandomStep(*c.event) : RandomStep(c.character);
}
void ApproachWalk(const RouteContext& c) {
    c.event != nullptr ? EventApproachHero(*c.event) : ApproachHero(c.character);
}
void ForwardWalk(const RouteContext& c) {
    c.event != nullptr ? EventStepForward(*c.event) : StepForward(c.character);
}
void Jump(const RouteContext& c) {
    JumpBy(c.character, c.Value(0), c.Value(1));
}
void ApproachCharacter(const RouteContext& c) {
    ApproachTarget(c.character, 1, c.Value(0), 0);
}
void ApproachTile(const RouteContext& c) {
    ApproachTarget(c.character, 0, c.Value(0), c.Value(1));
}
void SetVariable(const RouteContext& c) {
    StoreAndRefresh(c.Arg(0), c.Value(1));
}
void AddVariable(const RouteContext& c) {
    StoreAndRefresh(c.Arg(0), c.Value(0) + c.Value(1));
}
void SetSpeed(const RouteContext& c) {
    c.character.speed = static_cast<std::int16_t>(c.Arg(0));
}
void SetFrequency(const RouteContext& c) {
    c.character.frequency = static_cast<std::int16_t>(c.Arg(0));
}
void SetAnimationSpeed(const RouteContext& c) {
    c.character.animationSpeed = static_cast<std::int16_t>(c.Arg(0));
}
void SetGraphic(const RouteContext& c) {
    c.character.graphicName = SysDataBase.ReadDBString(kGraphicNamesType, c.Value(0), 0);
}
void SetOpacity(const RouteContext& c) {
    c.character.opacity = static_cast<std::int16_t>(std::clamp(c.Value(0), 0, 255));
}
void PlayEffect(const RouteContext& c) {
    TheSoundManager.PlaySoundByNumber(kSoundEffectKind, c.Value(0), 1, 0);
}
void Wait(const RouteContext& c) {
    c.character.waitFrames = c.Value(0);
}

using M = MapCharacter;
constexpr StepKind kMove = StepKind::kMovement;
constexpr StepKind kFace = StepKind::kFacing;
constexpr StepKind kSet = StepKind::kSetting;

constexpr std::array<StepEntry, 56> kStepTable = {{
    {kMove, WalkTo<2>},
    {kMove, WalkTo<4>},
    {kMove, WalkTo<6>},
    {kMove, WalkTo<8>},
    {kMove, WalkTo<1>},
    {kMove, WalkTo<3>},
    {kMove, WalkTo<7>},
    {kMove, WalkTo<9>},
    {kFace, Apply<FaceDown>},
    {kFace, Apply<FaceLeft>},
    {kFace, Apply<FaceRight>},
    {kFace, Apply<FaceUp>},
    {kFace, Apply<FaceDownLeft>},
    {kFace, Apply<FaceDownRight>},
    {kFace, Apply<FaceUpLeft>},
    {kFace, Apply<FaceUpRight>},
    {kMove, RandomWalk},
    {kMove, ApproachWalk},
    {kMove, Apply<FleeFromHero>},
    {kMove, ForwardWalk},
    {kMove, Apply<StepBackward>},
    {kMove, Jump},
    {kFace, Apply<TurnClockwise>},
    {kFace, Apply<TurnCounterClockwise>},
    {kFace, Apply<TurnRandomly>},
    {kFace, Apply<FaceRandomDirection>},
    {kFace, Apply<FaceHero>},
    {kFace, Apply<FaceAwayFromHero>},
    {kSet, SetVariable},
    {kSet, SetSpeed},
    {kSet, SetFrequency},
    {kSet, SetAnimationSpeed},
    {kSet, SetFlag<&M::steppingAnimation, 1>},
    {kSet, SetFlag<&M::steppingAnimation, 0>},
    {kSet, SetFlag<&M::walkingAnimation, 1>},
    {kSet, SetFlag<&M::walkingAnimation, 0>},
    {kSet, SetFlag<&M::directionFixed, 1>},
    {kSet, SetFlag<&M::directionFixed, 0>},
    {kSet, SetFlag<&M::passThrough, 1>},
    {kSet, SetFlag<&M::passThrough, 0>},
    {kSet, SetFlag<&M::drawOnTop, 1>},
    {kSet, SetFlag<&M::drawOnTop, 0>},
    {kSet, Nothing},
    {kSet, Nothing},
    {kSet, SetGraphic},
    {kSet, SetOpacity},
    {kSet, PlayEffect},
    {kSet, Wait},
    {kSet, SetStepSize<1>},
    {kSet, SetStepSize<2>},
    {kSet, SetStandPattern<0>},
    {kSet, SetStandPattern<1>},
    {kSet, SetStandPattern<2>},
    {kMove, ApproachCharacter},
    {kMove, ApproachTile},
    {kSet, AddVariable},
}};

// Own self variables and own event data are named relative to the moving character.
std::int32_t RewriteArgument(std::int32_t value, int referenceId) {
    if (value >= 1100000 && value <= 1199999)
        return OwnedVariableId(1000000, referenceId, 10, value % 10);
    if (value >= 9190000 && value <= 9199999)
        return OwnedVariableId(9100000, referenceId, 10, value % 10);
    if (value >= 1600000 && value <= 1699999) {
        ShowErrorBox(kCommonSelfVariable, GetProcessingPointText(), "");
        return 0;
    }
    return value;
}

void EndRoute(MapCharacter& character) {
    if (character.forcedRoute != 0) {
        character.forcedRoute = 0;
        character.runningRoute = character.savedRoute;
        character.runningRouteIndex = character.savedRouteIndex;
        character.savedRoute.steps.clear();
    }
    character.stopCounter = 0;
}

void RunRoute(MapCharacter& character, EventCharacter* event) {
    if (IsJumping(character) || CheckCharacterMoving(character))
        return;
    for (;;) {
        const MoveRoute& route = character.runningRoute;
        const auto count = static_cast<int>(route.steps.size());
        const int index = character.runningRouteIndex;
        if (index > count || character.waitFrames > 0)
            return;
        if (index == count) {
            // An empty route ends even with the repeat bit: it would hold a forced route,
            // and every wait for it, for ever.
            if ((route.routeOptions & kRouteRepeats) != 0 && count > 0)
                character.runningRouteIndex = 0;
            else
                EndRoute(character);
            return;
        }
        MoveRouteStep step = route.steps[static_cast<std::size_t>(index)];
        for (std::int32_t& arg : step.args)
            arg = RewriteArgument(arg, character.referenceId);
        const bool skips = (route.routeOptions & kRouteSkipsBlockedSteps) != 0;
        if (step.code >= kStepTable.size()) {
            ++character.runningRouteIndex;
            continue;
        }
        const StepEntry& entry = kStepTable[step.code];
        entry.action(RouteContext{character, event, step});
        if (entry.kind == StepKind::kSetting) {
            ++character.runningRouteIndex;
            continue;
        }
        const bool happened = IsJumping(character) || CheckCharacterMoving(character);
        if (entry.kind == StepKind::kFacing || happened || skips)
            ++character.runningRouteIndex;
        return;
    }
}

}  // namespace

void RunEventRoute(EventCharacter& event) {
    RunRoute(event, &event);
}

void RunCharacterRoute(MapCharacter& character) {
    RunRoute(character, nullptr);
}

void StartForcedRoute(MapCharacter& character, MoveRoute route) {
    if (character.savedRoute.steps.empty()) {
        character.savedRoute = character.runningRoute;
        character.savedRouteIndex = character.runningRouteIndex;
    }
    character.runningRoute = std::move(route);
    character.runningRouteIndex = 0;
    character.forcedRoute = 1;
    character.rememberedDirection = 0;
    character.waitFrames = 0;
    RunCharacterRoute(character);
}

}  // namespace game
