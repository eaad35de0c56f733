#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "game/core/event_records.h"

namespace game {

// One change of the open loops on the way to a label: leave the innermost loop, or open a
// loop on an indent with a number of passes (0 for a counted loop entered from outside, the
// endless count for an endless one).
struct LoopStackChange {
    bool leave = false;
    int indent = 0;
    int passes = 0;
};

// A jump's label line and the changes that turn the loops open at the jump into the loops
// open at the label.
struct LabelJump {
    int target = 0;
    std::vector<LoopStackChange> changes;
};

// Whether a label line (code 212) carries the name jumped to.
using LabelMatch = std::function<bool(const EventCommand& label)>;

// kStrict refuses a list whose loop ends close no open loop (the pre-pass leaves such a
// jump unprepared); kLenient passes over them.
enum class NestingRule { kLenient, kStrict };

// Finds the label of a jump at line jumpLine: the first matching label above it, else the
// first below it. Nothing when no label matches or, strictly, the nesting is broken.
std::optional<LabelJump> FindLabelJump(const std::vector<EventCommand>& commands, int jumpLine,
                                       const LabelMatch& matches, NestingRule rule);

}  // namespace game
