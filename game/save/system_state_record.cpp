// One description of the record serves its writer and its reader: each row names the save
// versions that carry it. The writer writes the rows of the buffer's version: the newest for
// every save the game writes, older ones for test fixtures.
#include "game/save/system_state_record.h"

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/save_buffer.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/save_fields.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr int kAnyVersion = 0;
constexpr int kNoLaterVersion = 0x7FFF;
// Music and background sound started by file name sit in the last ten entries of their list;
// such a number is saved as this marker, the record carrying the file name and values. No
// sound (-1) stays -1 even when the list is missing.
constexpr int kSpareSoundMarker = -3;
constexpr int kSpareSoundEntries = 10;
constexpr int kMusicType = 1;
constexpr int kBgsType = 2;

class RecordWriter {
  public:
    explicit RecordWriter(SaveBuffer& save) : save_(save) {}
    bool Carries(int from, int to) const {
        return from <= save_.version() && save_.version() <= to;
    }
    void Byte(const std::uint8_t& value) { save_.WriteByte(value); }
    void Int(const int& value) { save_.WriteInt(value); }
    void Short(const std::int16_t& value) { WriteInt16(save_, value); }
    void Float(const float& value) { save_.WriteInt(std::bit_cast<std::int32_t>(value)); }
    void Str16(const std::string& text) { WriteStr16(save_, text); }
    void TextList(const std::vector<std::string>& list) { WriteTextList(save_, list); }
    void IntList(const std::vector<int>& list) { WriteIntList(save_, list); }
    // Only a fixture of version 96 or older carries it.
    void Dropped() { save_.WriteInt(0); }
    void SoundNumber(const int& number, int type) {
        const int spares = SysDataBase.GetDBDataCount(type) - kSpareSoundEntries;
        save_.WriteInt(number >= 0 && number >= spares ? kSpareSoundMarker : number);
    }
    void MouseCursorRead(std::uint8_t) {}
    bool ok() const { return true; }

  private:
    SaveBuffer& save_;
};

class RecordReader {
  public:
    explicit RecordReader(SaveBuffer& save) : save_(save) {}
    bool Carries(int from, int to) const {
        return ok_ && from <= save_.version() && save_.version() <= to;
    }
    void Byte(std::uint8_t& value) { Take(save_.ReadByte(value)); }
    void Int(int& value) { Take(save_.ReadInt(value)); }
    void Short(std::int16_t& value) { Take(ReadInt16(save_, value)); }
    void Float(float& value) {
        std::int32_t bits = 0;
        if (Take(save_.ReadInt(bits)))
            value = std::bit_cast<float>(bits);
    }
    void Str16(std::string& text) { Take(ReadStr16(save_, text)); }
    void TextList(std::vector<std::string>& list) { Take(ReadTextList(save_, list)); }
    void IntList(std::vector<int>& list) { Take(ReadIntList(save_, list)); }
    void Dropped() {
        int dropped = 0;
        Int(dropped);
    }
    void SoundNumber(int& number, int) { Int(number); }
    void MouseCursorRead(std::uint8_t shown) {
        if (ok_)
            layer::ShowMouseCursor(shown);
    }
    bool ok() const { return ok_; }

  private:
    bool Take(bool read) {
        ok_ = ok_ && read;
        return ok_;
    }

    SaveBuffer& save_;
    bool ok_ = true;
};

// The rows in order. M is MainInterpreter or const MainInterpreter.
template <typename Io, typename M>
bool VisitSystemState(Io& io, M& m) {
    if (io.Carries(kAnyVersion, kNoLaterVersion)) {
        io.Byte(m.SpareFlag1), io.Byte(m.SpareFlag2);
        io.Int(m.PlaySeconds), io.Int(m.SpareValue);
        io.SoundNumber(m.CurrentMusicNumber, kMusicType);
        io.SoundNumber(m.CurrentBgsNumber, kBgsType);
        io.Float(m.DrawStep);
        io.Int(m.FrameSkipLevel);
        for (auto* field : {&m.SystemValue0, &m.MessageWindowX, &m.MessageWindowY, &m.ChoiceWindowX,
                            &m.ChoiceWindowY, &m.ChoiceDecideSound, &m.ChoiceCursorSound,
                            &m.ChoiceCancelSound, &m.ChoiceInitialCursor})
            io.Int(*field);
        for (auto* tone : {&m.ToneCurrent, &m.ToneTarget, &m.ToneStart})
            for (auto& channel : *tone)
                io.Short(channel);
        io.Short(m.ToneFramesLeft), io.Short(m.ToneFrames);
        for (auto& channel : m.ScreenFlashColour)
            io.Short(channel);
        io.Short(m.FlashFramesLeft), io.Short(m.FlashFrames);
        for (auto* field :
             {&m.DefaultFontSize, &m.PanoramaImage, &m.PanoramaScrollX, &m.PanoramaScrollY,
              &m.FogImage, &m.FogScrollX, &m.FogScrollY, &m.FogBlend, &m.FogOpacity})
            io.Int(*field);
        io.Byte(m.MoveDuringEvents);
        io.Short(m.DefaultShadow);
        io.Int(m.KeyRepeatDelay), io.Int(m.KeyRepeatInterval);
        for (auto* field :
             {&m.PageCursorX, &m.PageCursorOffsetY, &m.KeyInputTextX, &m.KeyInputTextY})
            io.Short(*field);
        io.Int(m.MessageSpeed), io.Int(m.StringPictureSpeed), io.Int(m.WindowOpenDelay);
        io.Byte(m.ChoiceFadeMode);
    }
    if (io.Carries(kAnyVersion, 96))
        io.Dropped();
    if (io.Carries(kAnyVersion, kNoLaterVersion))
        io.Int(m.ScrollLocked);
    if (io.Carries(98, kNoLaterVersion))
        io.Int(m.TextDrawSwitch), io.Int(m.MouseWindowControl);
    if (io.Carries(100, kNoLaterVersion)) {
        io.Int(m.TransitionGraphic), io.Int(m.TransitionLength);
        io.Byte(m.TransitionFlag);
        io.TextList(m.StoredGraphics);
        io.IntList(m.MemberShadows);
        for (auto* field : {&m.ChoiceCursorBlend, &m.PanoramaParallax, &m.FogParallax,
                            &m.KeyInputConfirmOption, &m.KeyInputCancelOption})
            io.Int(*field);
    }
    if (io.Carries(101, kNoLaterVersion)) {
        for (auto* field : {&m.ConfirmKey, &m.ConfirmPadMask, &m.CancelKey, &m.CancelPadMask,
                            &m.SubKey, &m.SubPadMask})
            io.Int(*field);
    }
    if (io.Carries(102, kNoLaterVersion))
        io.Short(m.PartySpacing);
    if (io.Carries(103, kNoLaterVersion))
        io.Str16(m.MessageExtraTextA), io.Str16(m.MessageExtraTextB);
    if (io.Carries(104, kNoLaterVersion))
        io.Int(m.FrameCounter);
    if (io.Carries(106, kNoLaterVersion))
        io.Int(m.MusicMasterVolume), io.Int(m.BgsMasterVolume), io.Int(m.SeMasterVolume);
    if (io.Carries(108, kNoLaterVersion)) {
        io.Str16(m.CurrentMusicName);
        io.Int(m.CurrentMusicVolume), io.Int(m.CurrentMusicTempo), io.Int(m.CurrentMusicLoopMs);
        io.Str16(m.CurrentBgsName);
        io.Int(m.CurrentBgsVolume), io.Int(m.CurrentBgsFrequency), io.Int(m.CurrentBgsLoopMs);
    }
    if (io.Carries(109, kNoLaterVersion)) {
        io.Str16(m.PanoramaFile), io.Str16(m.FogFile);
        io.Byte(m.MouseCursorShown);
        io.MouseCursorRead(m.MouseCursorShown);
    }
    if (io.Carries(110, kNoLaterVersion))
        io.Byte(m.PartyFollows);
    return io.ok();
}

}  // namespace

bool WriteSystemState(SaveBuffer& save, const MainInterpreter& mainInterpreter) {
    RecordWriter writer(save);
    return VisitSystemState(writer, mainInterpreter);
}

bool ReadSystemState(SaveBuffer& save, MainInterpreter& mainInterpreter) {
    RecordReader reader(save);
    return VisitSystemState(reader, mainInterpreter);
}

}  // namespace game
