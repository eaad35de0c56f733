#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "game/interpreter/call_commands.h"
#include "game/interpreter/command_handlers.h"
#include "game/interpreter/database_operation.h"
#include "game/interpreter/dispatch_commands.h"
#include "game/interpreter/flow_commands.h"
#include "game/interpreter/input_and_value_commands.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/interpreter/save_commands.h"
#include "game/interpreter/screen_commands.h"
#include "game/interpreter/string_operation.h"
#include "game/interpreter/tile_commands.h"
#include "game/interpreter/variable_operation.h"

namespace game {
namespace {

constexpr CommandKind R = CommandKind::kReturn;
constexpr CommandKind C = CommandKind::kContinue;

// In ascending code order.
constexpr CommandEntry kCommands[] = {
    {-1, R, CommandListEnd},
    {101, R, DisplayMessage},
    {102, R, OfferChoices},
    {104, R, SetChoiceCloseFlag},
    {105, R, SetMessageHoldFlag},
    {111, C, BranchOnNumbers},
    {112, C, BranchOnStrings},
    {121, C, VariableOperation},
    {122, R, StringOperation},
    {123, R, ReadKeyInput},
    {124, C, SetVariableFromState},
    {130, R, RelocateCharacter},
    {140, C, PlaySoundCommand},
    {141, C, PlaySpeech},
    {150, C, PictureOperation},
    {151, R, ScreenColorChange},
    {160, R, ConfigureTransition},
    {161, R, PrepareTransition},
    {162, R, ExecuteTransition},
    {170, C, StartLoop},
    {171, C, BreakLoop},
    {172, R, EndEvent},
    {173, R, RemoveMapEvent},
    {174, R, ReturnToTitle},
    {175, R, QuitGame},
    {176, C, ContinueLoop},
    {177, R, FreezeMapView},
    {178, R, UnfreezeMapView},
    {179, C, StartCountedLoop},
    {180, R, WaitFrames},
    {201, R, AssignMoveRoute},
    {202, R, WaitForMoves},
    {210, R, CallEvent},
    {211, R, ReserveEvent},
    {213, C, GoToLabel},
    {220, R, SaveOrLoadGame},
    {221, R, ReadSaveSlotVariable},
    {222, R, WriteSaveSlotVariable},
    {230, R, AllowMovementDuringEvents},
    {231, R, StopMovementDuringEvents},
    {240, R, SetTileAttribute},
    {241, R, ChangeTileSet},
    {242, R, ChangeMapTiles},
    {250, C, DatabaseOperation},
    {260, R, AccessInternet},
    {270, R, CharacterOperation},
    {280, R, StartScreenShake},
    {281, R, ScrollView},
    {290, R, ApplyVisualEffect},
    {300, R, CallEventByName},
    {401, C, BranchCase},
    {402, C, ChoiceCase},
    {420, C, BranchCase},  // BranchElse
    {421, C, ChoiceCase},  // ChoiceOtherCase
    {498, C, LoopEnd},
    {499, C, BranchEnd},
    {210000, C, FastArithmetic},  // FastSetSum
    {210001, C, FastArithmetic},  // FastSetDifference
    {210002, C, FastArithmetic},  // FastSetProduct
    {210010, C, FastArithmetic},  // FastAddSum
    {210011, C, FastArithmetic},  // FastAddDifference
    {210012, C, FastArithmetic},  // FastAddProduct
    {210020, C, FastArithmetic},  // FastSubtractSum
    {210021, C, FastArithmetic},  // FastSubtractDifference
    {210022, C, FastArithmetic},  // FastSubtractProduct
    {210030, C, FastArithmetic},  // FastMultiplySum
    {210031, C, FastArithmetic},  // FastMultiplyDifference
    {210032, C, FastArithmetic},  // FastMultiplyProduct
    {498000, C, FastJump},
    {498001, C, FastLoopEnd},
};

static_assert(std::is_sorted(std::begin(kCommands), std::end(kCommands),
                             [](const CommandEntry& a, const CommandEntry& b) {
                                 return a.code < b.code;
                             }));

// Codes below kDirectCodes and the pre-pass's fast codes are found through tables of their
// entries' positions plus one (0: no command); the others by a search of the sorted list.
constexpr std::int32_t kDirectCodes = 1000;
constexpr std::int32_t kFirstFastCode = 210000;
constexpr std::int32_t kFastCodes = 40;
constexpr std::size_t kCommandCount = std::size(kCommands);
static_assert(kCommandCount < 255);

template <std::int32_t kFirst, std::int32_t kCount>
constexpr std::array<std::uint8_t, kCount> MakePositions() {
    std::array<std::uint8_t, kCount> positions{};
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (kCommands[i].code >= kFirst && kCommands[i].code < kFirst + kCount)
            positions[static_cast<std::size_t>(kCommands[i].code - kFirst)] =
                static_cast<std::uint8_t>(i + 1);
    }
    return positions;
}

constexpr std::array<std::uint8_t, kDirectCodes> kDirectPositions =
    MakePositions<0, kDirectCodes>();
constexpr std::array<std::uint8_t, kFastCodes> kFastPositions =
    MakePositions<kFirstFastCode, kFastCodes>();

}  // namespace

std::span<const CommandEntry> CommandTable() {
    return kCommands;
}

const CommandEntry* FindCommand(std::int32_t code) {
    if (code >= 0 && code < kDirectCodes) {
        const std::uint8_t position = kDirectPositions[static_cast<std::size_t>(code)];
        return position != 0 ? &kCommands[position - 1] : nullptr;
    }
    if (code >= kFirstFastCode && code < kFirstFastCode + kFastCodes) {
        const std::uint8_t position =
            kFastPositions[static_cast<std::size_t>(code - kFirstFastCode)];
        return position != 0 ? &kCommands[position - 1] : nullptr;
    }
    const auto* entry = std::lower_bound(
        std::begin(kCommands), std::end(kCommands), code,
        [](const CommandEntry& candidate, std::int32_t wanted) { return candidate.code < wanted; });
    return entry != std::end(kCommands) && entry->code == code ? entry : nullptr;
}

}  // namespace game
