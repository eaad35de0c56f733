// System strings (IDs 9900000 + index): texts of the running game.
#include <algorithm>
#include <iterator>
#include <string>

#include "game/core/game_ini.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/key_config.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/party.h"

namespace game {
namespace {

using Reader = std::string (*)();
using Writer = void (*)(const std::string&);

struct SystemStringRow {
    int index;
    Reader read;
    Writer write;  // null: writes do nothing
};

template <int Action, bool Keyboard>
std::string KeyName() {
    std::string text;
    GetKeyName(text, Action, Keyboard);
    return text;
}

template <int Member>
std::string MemberGraphic() {
    const MapCharacter* character = GetPartyCharacter(TheParty, Member);
    return character != nullptr ? character->graphicName : "";
}

template <int Member>
void SetMemberGraphic(const std::string& text) {
    if (MapCharacter* character = GetPartyCharacter(TheParty, Member))
        character->graphicName = text;
}

template <std::size_t Item>
std::string ChoiceItem() {
    return TheScreenState.systemStrings[Item];
}

constexpr SystemStringRow kRows[] = {
    {1, KeyName<0, true>, nullptr},
    {2, KeyName<1, true>, nullptr},
    {3, KeyName<2, true>, nullptr},
    {4, KeyName<0, false>, nullptr},
    {5, KeyName<1, false>, nullptr},
    {6, KeyName<2, false>, nullptr},
    {10, MemberGraphic<0>, SetMemberGraphic<0>},
    {11, MemberGraphic<1>, SetMemberGraphic<1>},
    {12, MemberGraphic<2>, SetMemberGraphic<2>},
    {13, MemberGraphic<3>, SetMemberGraphic<3>},
    {14, MemberGraphic<4>, SetMemberGraphic<4>},
    {15, MemberGraphic<5>, SetMemberGraphic<5>},
    {20, [] { return Proxy; }, [](const std::string& text) { Proxy = text; }},
    {21, [] { return ProxyPort; }, [](const std::string& text) { ProxyPort = text; }},
    {25, [] { return TheScreenState.lastMessageText; }, nullptr},
    {26, [] { return TheMainInterpreter.MessageExtraTextA; },
     [](const std::string& text) { TheMainInterpreter.MessageExtraTextA = text; }},
    {27, [] { return TheMainInterpreter.MessageExtraTextB; },
     [](const std::string& text) { TheMainInterpreter.MessageExtraTextB = text; }},
    {30, [] { return TheMainInterpreter.PanoramaFile; },
     [](const std::string& text) {
         TheMainInterpreter.PanoramaFile = text;
         TheScreenState.panoramaChanged = 1;
     }},
    {31, [] { return TheMainInterpreter.FogFile; },
     [](const std::string& text) {
         TheMainInterpreter.FogFile = text;
         TheScreenState.fogChanged = 1;
     }},
    {33, [] { return TheMainInterpreter.CurrentMusicName; }, nullptr},
    {34, [] { return TheMainInterpreter.CurrentBgsName; }, nullptr},
    {40, ChoiceItem<0>, nullptr},
    {41, ChoiceItem<1>, nullptr},
    {42, ChoiceItem<2>, nullptr},
    {43, ChoiceItem<3>, nullptr},
    {44, ChoiceItem<4>, nullptr},
    {45, ChoiceItem<5>, nullptr},
    {46, ChoiceItem<6>, nullptr},
    {47, ChoiceItem<7>, nullptr},
    {48, ChoiceItem<8>, nullptr},
    {49, ChoiceItem<9>, nullptr},
};

const SystemStringRow* FindRow(int index) {
    const auto* row = std::lower_bound(
        std::begin(kRows), std::end(kRows), index,
        [](const SystemStringRow& candidate, int wanted) { return candidate.index < wanted; });
    return row != std::end(kRows) && row->index == index ? row : nullptr;
}

}  // namespace

void VariableStore::SetSystemString(int index, const std::string& text) {
    const SystemStringRow* row = FindRow(index);
    if (row != nullptr && row->write != nullptr)
        row->write(text);
}

std::string VariableStore::GetSystemString(int index) const {
    const SystemStringRow* row = FindRow(index);
    return row != nullptr ? row->read() : "";
}

}  // namespace game
