// The character operation: the graphics of the hero and the five members, addressed as
// characters 1 to 6, and the party-wide switches.
#include <algorithm>
#include <array>
#include <string>

#include "game/core/error_box.h"
#include "game/core/processing_point.h"
#include "game/interpreter/character_operation_texts.h"
#include "game/interpreter/command_args.h"
#include "game/interpreter/event_interpreter.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/party_and_view_commands.h"
#include "game/map/party.h"

namespace game {
namespace {

constexpr int kCharacters = 6;
constexpr std::int32_t kNameFromVariable = 0x100;
constexpr int kClearName = 0;
constexpr int kInsertName = 1;
constexpr int kSetName = 2;
constexpr int kRemoveName = 3;
constexpr int kCloseGaps = 4;

using Names = std::array<std::string, kCharacters>;

// Character k (1 to 6) is party member k - 1, the hero being member 0; null for a member the
// party lacks.
MapCharacter* Character(int k) {
    return GetPartyCharacter(TheParty, k - 1);
}

// A member the party lacks reads empty and takes no name.
Names ReadNames() {
    Names names;
    for (int k = 1; k <= kCharacters; ++k) {
        if (const MapCharacter* character = Character(k))
            names[static_cast<std::size_t>(k - 1)] = character->graphicName;
    }
    return names;
}

void WriteNames(const Names& names) {
    for (int k = 1; k <= kCharacters; ++k) {
        if (MapCharacter* character = Character(k))
            character->graphicName = names[static_cast<std::size_t>(k - 1)];
    }
}

void SetOpacity(std::int16_t opacity) {
    for (int k = 1; k <= kCharacters; ++k) {
        if (MapCharacter* character = Character(k))
            character->opacity = opacity;
    }
}

// The members draw the default shadow again; their sprites rebuild.
void ResetMemberShadows() {
    for (int k = 2; k <= kCharacters; ++k) {
        MapCharacter* member = Character(k);
        if (member == nullptr)
            continue;
        if (member->pageBytes.empty())
            member->pageBytes.resize(1);
        member->pageBytes[0] = static_cast<std::uint8_t>(TheMainInterpreter.DefaultShadow);
        member->appliedShadow = -1;
    }
}

// The name the kinds 1 to 3 use: string 0, or a string variable. An ID that names no text
// is taken as a variable holding the ID of the text.
std::string OperandName(EventInterpreter& interpreter, const EventCommand& line) {
    if ((Arg(line, 1) & kNameFromVariable) == 0)
        return Str(line, 0);
    std::string name = interpreter.ReadInterpreterString(Arg(line, 3));
    if (name == "<<ERROR>>")
        name = interpreter.ReadInterpreterString(interpreter.ReadInterpreterValue(Arg(line, 3)));
    return name;
}

// Kinds 0 to 2 name one character; outside 1 to 6 the command ends after its report.
bool CharacterInRange(std::int32_t m) {
    if (m < 1)
        ShowErrorBox(kMemberTooLow, kMemberTooLowHint, GetProcessingPointText());
    else if (m > kCharacters)
        ShowErrorBox(kMemberTooHigh, kMemberTooHighHint, GetProcessingPointText());
    return m >= 1 && m <= kCharacters;
}

// False when the gaps cannot be closed because every name is empty.
bool CloseGaps(Names& names) {
    Names closed;
    std::size_t n = 0;
    for (const std::string& name : names) {
        if (!name.empty())
            closed[n++] = name;
    }
    if (n == 0)
        return false;
    names = closed;
    return true;
}

void ApplyCharacterKind(int kind, std::size_t m, const std::string& name, Names& names) {
    if (kind == kClearName) {
        names[m].clear();
    } else if (kind == kInsertName) {
        std::move_backward(names.begin() + static_cast<std::ptrdiff_t>(m), names.end() - 1,
                           names.end());
        names[m] = name;
    } else if (kind == kSetName) {
        names[m] = name;
    } else if (kind == kRemoveName) {
        for (std::string& each : names) {
            if (each == name)
                each.clear();
        }
    }
}

using PartyOption = void (*)(Names&);

// By the party-wide option 0 to 10; 11 to 15 do nothing.
constexpr std::array<PartyOption, 11> kPartyOptions{{
    [](Names&) {},
    [](Names& names) { names.fill(std::string()); },
    [](Names&) { GatherParty(TheParty); },
    [](Names&) {
        TheParty.partyStepHold = 1;
        TheParty.partyHeldStep = 0;
    },
    [](Names&) {
        TheParty.partyStepHold = 0;
        TheParty.partyHeldStep = 0;
    },
    [](Names&) { SetOpacity(0); },
    [](Names&) { SetOpacity(255); },
    [](Names& names) { TheMainInterpreter.StoredGraphics.assign(names.begin(), names.end()); },
    [](Names& names) {
        const auto& stored = TheMainInterpreter.StoredGraphics;
        for (std::size_t k = 0; k < names.size(); ++k)
            names[k] = k < stored.size() ? stored[k] : std::string();
    },
    [](Names&) { TheMainInterpreter.PartyFollows = 1; },
    [](Names&) { TheMainInterpreter.PartyFollows = 0; },
}};

}  // namespace

std::uint8_t CharacterOperation(EventInterpreter& interpreter) {
    const EventCommand& line = interpreter.CurrentLine();
    const std::int32_t options = Arg(line, 1);
    const int kind = options & 0x0F;
    const int partyOption = (options >> 4) & 0x0F;
    ResetMemberShadows();
    std::int32_t m = 1;
    if (kind <= kSetName) {
        m = interpreter.ReadInterpreterValue(Arg(line, 2));
        if (!CharacterInRange(m))
            return 1;
    }
    std::string name;
    if (kind >= kInsertName && kind <= kRemoveName)
        name = OperandName(interpreter, line);
    Names names = ReadNames();
    ApplyCharacterKind(kind, static_cast<std::size_t>(m - 1), name, names);
    if (kind == kCloseGaps && partyOption == 0 && !CloseGaps(names))
        return 1;
    if (static_cast<std::size_t>(partyOption) < kPartyOptions.size())
        kPartyOptions[static_cast<std::size_t>(partyOption)](names);
    WriteNames(names);
    return 1;
}

}  // namespace game
