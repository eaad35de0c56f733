// System variables (IDs 9000000 + index): fields of the linked interpreter's system state, or
// values of the running game.
#include <algorithm>
#include <array>
#include <type_traits>

#include "game/core/display_scale.h"
#include "game/core/input_state.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/frame_skip.h"
#include "game/interpreter/internet_state.h"
#include "game/interpreter/key_config.h"
#include "game/interpreter/main_interpreter.h"
#include "game/interpreter/system_variable_live.h"
#include "game/presentation/sound_manager.h"

namespace game {
namespace {

using Context = SystemVariableContext;
using Reader = std::int32_t (*)(Context&);
using Writer = void (*)(Context&, std::int32_t);

struct SystemVariableRow {
    int index;
    Reader read;
    Writer write;  // null: writes do nothing
};

// 16-bit and byte fields keep the low bits and read back sign-extended.
template <typename T>
std::int32_t Widen(T value) {
    if constexpr (std::is_same_v<T, std::uint8_t>)
        return static_cast<std::int8_t>(value);
    else
        return value;
}

template <auto Member>
std::int32_t Field(Context& context) {
    return Widen(context.interpreter.*Member);
}

template <auto Member>
void SetField(Context& context, std::int32_t value) {
    using T = std::remove_reference_t<decltype(context.interpreter.*Member)>;
    context.interpreter.*Member = static_cast<T>(value);
}

template <int Action, bool Keyboard>
std::int32_t KeyConfig(Context& context) {
    return GetKeyConfig(Action, Keyboard, context.interpreter);
}

template <int Action, bool Keyboard>
void SetKeyConfigValue(Context& context, std::int32_t value) {
    SetKeyConfig(value, Action, Keyboard, context.interpreter);
}

template <std::size_t Member>
std::int32_t MemberShadow(Context& context) {
    const auto& shadows = context.interpreter.MemberShadows;
    return Member < shadows.size() ? shadows[Member] : -1;
}

template <std::size_t Member>
void SetMemberShadow(Context& context, std::int32_t value) {
    auto& shadows = context.interpreter.MemberShadows;
    if (Member < shadows.size())
        shadows[Member] = value;
}

template <int Index>
std::int32_t LocalTime(Context&) {
    return ReadLocalTimeField(Index);
}

template <std::size_t Counter>
std::int32_t InternetCounter(Context&) {
    return TheInternetState.counters[Counter];
}

template <auto Member, std::int32_t (*Default)()>
void SetPosition(Context& context, std::int32_t value) {
    SetField<Member>(context, value == -1 ? Default() : value);
}

std::int32_t DefaultMessageX() {
    return TileSize * ZoomFactor / 2;
}
std::int32_t DefaultMessageY() {
    return static_cast<std::int32_t>(TileSize * 9.5) * ZoomFactor;
}
std::int32_t DefaultChoiceX() {
    return TileSize * 10;
}
std::int32_t DefaultChoiceY() {
    return 170 / ZoomFactor;
}

template <auto Member>
void SetAtLeastOne(Context& context, std::int32_t value) {
    SetField<Member>(context, std::max(value, 1));
}

using M = MainInterpreter;

constexpr SystemVariableRow kRows[] = {
    {0, Field<&M::SystemValue0>, SetField<&M::SystemValue0>},
    {1, Field<&M::MessageWindowX>, SetPosition<&M::MessageWindowX, DefaultMessageX>},
    {2, Field<&M::MessageWindowY>, SetPosition<&M::MessageWindowY, DefaultMessageY>},
    {3, Field<&M::ChoiceWindowX>, SetPosition<&M::ChoiceWindowX, DefaultChoiceX>},
    {4, Field<&M::ChoiceWindowY>, SetPosition<&M::ChoiceWindowY, DefaultChoiceY>},
    {5, Field<&M::PageCursorX>, SetField<&M::PageCursorX>},
    {6, Field<&M::PageCursorOffsetY>, SetField<&M::PageCursorOffsetY>},
    {7, Field<&M::ChoiceInitialCursor>, SetField<&M::ChoiceInitialCursor>},
    {8, Field<&M::DefaultFontSize>, SetField<&M::DefaultFontSize>},
    {9, Field<&M::MessageSpeed>, SetField<&M::MessageSpeed>},
    {10, Field<&M::WindowOpenDelay>, SetField<&M::WindowOpenDelay>},
    {11, Field<&M::StringPictureSpeed>, SetField<&M::StringPictureSpeed>},
    {12, [](Context&) { return TheScreenState.messageWindowValue; }, nullptr},
    {13, [](Context&) { return TheMainInterpreter.IsInterpreterRunning() ? 1 : 0; }, nullptr},
    {14, Field<&M::ChoiceFadeMode>, SetField<&M::ChoiceFadeMode>},
    {15, Field<&M::KeyRepeatDelay>, SetAtLeastOne<&M::KeyRepeatDelay>},
    {16, Field<&M::KeyRepeatInterval>, SetAtLeastOne<&M::KeyRepeatInterval>},
    {17, Field<&M::ChoiceDecideSound>, SetField<&M::ChoiceDecideSound>},
    {18, Field<&M::ChoiceCursorSound>, SetField<&M::ChoiceCursorSound>},
    {19, Field<&M::ChoiceCancelSound>, SetField<&M::ChoiceCancelSound>},
    {20, [](Context&) { return TheScreenState.lastChoiceResult; }, nullptr},
    {21, [](Context&) { return TheMainInterpreter.TextDrawSwitch; },
     [](Context&, std::int32_t value) { TheMainInterpreter.TextDrawSwitch = value; }},
    {22, [](Context&) { return TheMainInterpreter.ChoiceCursorBlend; },
     [](Context&, std::int32_t value) {
         TheMainInterpreter.ChoiceCursorBlend = std::clamp(value, 0, 3);
     }},
    {23, [](Context&) { return ReadTransferOrCurrentMap(); }, nullptr},
    {24, Field<&M::SaveDataFlag>, nullptr},
    {25, Field<&M::LastSaveSlot>, SetField<&M::LastSaveSlot>},
    {28, Field<&M::FrameCounter>, SetField<&M::FrameCounter>},
    {29, Field<&M::PlaySeconds>, SetField<&M::PlaySeconds>},
    {30, Field<&M::PlayMilliseconds>, SetField<&M::PlayMilliseconds>},
    {31, Field<&M::MeasuredFps>, nullptr},
    {32, Field<&M::DebugSecondCount>, nullptr},
    {33, Field<&M::FrameSkipLevel>,
     [](Context& context, std::int32_t value) {
         context.interpreter.FrameSkipLevel = value;
         SetFrameSkip(value);
     }},
    {35, [](Context&) { return ReadHeroMoving(); }, nullptr},
    {36, Field<&M::DefaultShadow>, SetField<&M::DefaultShadow>},
    {37, Field<&M::PartySpacing>, SetField<&M::PartySpacing>},
    {39, Field<&M::TextInputState>, nullptr},
    {40, Field<&M::KeyInputTextX>, SetField<&M::KeyInputTextX>},
    {41, Field<&M::KeyInputTextY>, SetField<&M::KeyInputTextY>},
    {43, InternetCounter<0>, nullptr},
    {44, InternetCounter<1>, nullptr},
    {45, InternetCounter<2>, nullptr},
    {46, InternetCounter<3>, nullptr},
    {47, InternetCounter<4>, nullptr},
    {48, [](Context&) { return TheInternetState.status; }, nullptr},
    {52, KeyConfig<0, true>, SetKeyConfigValue<0, true>},
    {53, KeyConfig<1, true>, SetKeyConfigValue<1, true>},
    {54, KeyConfig<2, true>, SetKeyConfigValue<2, true>},
    {55, KeyConfig<0, false>, SetKeyConfigValue<0, false>},
    {56, KeyConfig<1, false>, SetKeyConfigValue<1, false>},
    {57, KeyConfig<2, false>, SetKeyConfigValue<2, false>},
    {59, Field<&M::KeyInputConfirmOption>, SetField<&M::KeyInputConfirmOption>},
    {60, Field<&M::KeyInputCancelOption>, SetField<&M::KeyInputCancelOption>},
    {61, Field<&M::FogImage>, SetField<&M::FogImage>},
    {62, Field<&M::FogScrollX>, SetField<&M::FogScrollX>},
    {63, Field<&M::FogScrollY>, SetField<&M::FogScrollY>},
    {64, Field<&M::FogBlend>, SetField<&M::FogBlend>},
    {65, Field<&M::FogOpacity>, SetField<&M::FogOpacity>},
    {66, Field<&M::PanoramaImage>, SetField<&M::PanoramaImage>},
    {67, Field<&M::PanoramaScrollX>, SetField<&M::PanoramaScrollX>},
    {68, Field<&M::PanoramaScrollY>, SetField<&M::PanoramaScrollY>},
    {71, [](Context&) { return TheInputState.mouseX; },
     [](Context&, std::int32_t value) { WriteMouseX(value); }},
    {72, [](Context&) { return TheInputState.mouseY; },
     [](Context&, std::int32_t value) { WriteMouseY(value); }},
    {73, Field<&M::MouseWindowControl>, SetField<&M::MouseWindowControl>},
    {74, Field<&M::MouseCursorShown>, WriteMouseCursorShown},
    {77, LocalTime<77>, nullptr},
    {78, LocalTime<78>, nullptr},
    {79, LocalTime<79>, nullptr},
    {80, LocalTime<80>, nullptr},
    {81, LocalTime<81>, nullptr},
    {82, LocalTime<82>, nullptr},
    {84, [](Context&) { return ReadTileSizeFlag(); }, nullptr},
    {85, [](Context&) { return ReadSoftwareDrawing(); }, nullptr},
    {87, MemberShadow<0>, SetMemberShadow<0>},
    {88, MemberShadow<1>, SetMemberShadow<1>},
    {89, MemberShadow<2>, SetMemberShadow<2>},
    {90, MemberShadow<3>, SetMemberShadow<3>},
    {91, MemberShadow<4>, SetMemberShadow<4>},
    {95, [](Context&) { return TheSoundManager.MusicVolume; },
     [](Context&, std::int32_t value) { WriteMusicVolume(value); }},
    {96, [](Context&) { return TheSoundManager.MusicTempo; },
     [](Context&, std::int32_t value) { WriteMusicTempo(value); }},
    {97, [](Context&) { return TheSoundManager.BgsVolume; },
     [](Context&, std::int32_t value) { WriteBgsVolume(value); }},
    {98, [](Context&) { return TheSoundManager.BgsFrequency; },
     [](Context&, std::int32_t value) { WriteBgsFrequency(value); }},
    {100, Field<&M::MusicMasterVolume>, WriteMusicMasterVolume},
    {101, Field<&M::BgsMasterVolume>, WriteBgsMasterVolume},
    {102, Field<&M::SeMasterVolume>, SetField<&M::SeMasterVolume>},
    {104, [](Context&) { return ReadScroll(false); },
     [](Context& context, std::int32_t value) { WriteScroll(context, false, value); }},
    {105, [](Context&) { return ReadScroll(true); },
     [](Context& context, std::int32_t value) { WriteScroll(context, true, value); }},
};

const SystemVariableRow* FindRow(int index) {
    const auto* row = std::lower_bound(
        std::begin(kRows), std::end(kRows), index,
        [](const SystemVariableRow& candidate, int wanted) { return candidate.index < wanted; });
    return row != std::end(kRows) && row->index == index ? row : nullptr;
}

}  // namespace

void VariableStore::SetSystemVariable(int index, std::int32_t value) {
    const SystemVariableRow* row = FindRow(index);
    if (link == nullptr || row == nullptr || row->write == nullptr)
        return;
    Context context{*link, LinkedToLiveInterpreter()};
    row->write(context, value);
}

std::int32_t VariableStore::GetSystemVariable(int index) const {
    if (link == nullptr)
        return 0;
    const SystemVariableRow* row = FindRow(index);
    if (row == nullptr)
        return -1;
    Context context{*link, LinkedToLiveInterpreter()};
    return row->read(context);
}

}  // namespace game
