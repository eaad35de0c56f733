#include "game/interpreter/label_scan.h"

#include <deque>

#include "game/interpreter/command_args.h"
#include "game/interpreter/flow_commands.h"

namespace game {
namespace {

constexpr std::int32_t kStartLoopCode = 170;
constexpr std::int32_t kStartCountedLoopCode = 179;
constexpr std::int32_t kLabelCode = 212;
constexpr int kEndlessPasses = 2000000000;

enum class Phase { kBeforeJump, kFromLabelToJump, kAfterJump };

// The loop a line opens, if it opens one.
std::optional<LoopStackChange> OpenedLoop(const EventCommand& line) {
    const std::int32_t code = Arg(line, 0);
    if (code == kStartLoopCode)
        return LoopStackChange{false, line.indent, kEndlessPasses};
    if (code == kStartCountedLoopCode)
        return LoopStackChange{false, line.indent, 0};
    return std::nullopt;
}

constexpr LoopStackChange kLeave{true, -1, -1};

}  // namespace

std::optional<LabelJump> FindLabelJump(const std::vector<EventCommand>& commands, int jumpLine,
                                       const LabelMatch& matches, NestingRule rule) {
    std::vector<LoopStackChange> open;
    std::deque<LoopStackChange> changes;
    std::optional<int> target;
    Phase phase = Phase::kBeforeJump;
    for (int l = 0; l < static_cast<int>(commands.size()); ++l) {
        const EventCommand& line = commands[static_cast<std::size_t>(l)];
        if (l == jumpLine) {
            if (phase == Phase::kFromLabelToJump)
                break;
            phase = Phase::kAfterJump;
            continue;
        }
        const std::int32_t code = Arg(line, 0);
        if (const std::optional<LoopStackChange> opened = OpenedLoop(line)) {
            open.push_back(*opened);
            if (phase == Phase::kFromLabelToJump)
                changes.push_front(kLeave);
            else if (phase == Phase::kAfterJump)
                changes.push_back(*opened);
        } else if (IsLoopEndCode(code)) {
            if (open.empty()) {
                if (rule == NestingRule::kStrict)
                    return std::nullopt;
                continue;
            }
            if (phase == Phase::kFromLabelToJump)
                changes.push_front(open.back());
            else if (phase == Phase::kAfterJump)
                changes.push_back(kLeave);
            open.pop_back();
        } else if (code == kLabelCode && phase != Phase::kFromLabelToJump && matches(line)) {
            target = l;
            if (phase == Phase::kAfterJump)
                break;
            phase = Phase::kFromLabelToJump;
        }
    }
    if (!target)
        return std::nullopt;
    return LabelJump{*target, std::vector<LoopStackChange>(changes.begin(), changes.end())};
}

}  // namespace game
