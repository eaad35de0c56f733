#include "game/presentation/sound_entries.h"

#include <cstddef>

#include "game/core/database.h"
#include "game/core/game_ini.h"
#include "game/core/screen_state.h"

namespace game {
namespace {

constexpr int kSpareEntries = 10;

bool InList(int kind, int number) {
    return number >= 0 && number < SoundListRecordCount(kind);
}

}  // namespace

int SoundListRecordCount(int kind) {
    const int count = SysDataBase.GetDBDataCount(kind + 1);
    return count > 0 ? count : 0;
}

int SoundEntryValue(int kind, int number, int content) {
    if (!InList(kind, number) || content >= SysDataBase.GetDBContentCount(kind + 1))
        return 0;
    return SysDataBase.ReadDBValue(kind + 1, number, content);
}

std::string SoundEntryName(int kind, int number) {
    if (!InList(kind, number))
        return {};
    return SysDataBase.ReadDBString(kind + 1, number, kEntryFile);
}

void WriteSoundEntry(int kind, int number, const std::string& name, int volume, int tempo,
                     int fourth) {
    const int type = kind + 1;
    SysDataBase.WriteDBString(type, number, kEntryFile, name);
    SysDataBase.WriteDBValue(type, number, kEntryVolume, volume);
    SysDataBase.WriteDBValue(type, number, kEntryTempo, tempo);
    SysDataBase.WriteDBValue(type, number, kEntryFourth, fourth);
}

int SoundListSize(int kind) {
    return TheScreenState.loadedSoundListSizes[static_cast<std::size_t>(kind)];
}

int NextSpareSound(int kind) {
    return SoundListSize(kind) + TheScreenState.nextSpareSound[static_cast<std::size_t>(kind)];
}

void AdvanceSpareSound(int kind) {
    int& index = TheScreenState.nextSpareSound[static_cast<std::size_t>(kind)];
    index = (index + 1) % kSpareEntries;
}

int FlagAt(const std::vector<int>& flags, int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= flags.size())
        return 0;
    return flags[static_cast<std::size_t>(number)];
}

void SetFlagAt(std::vector<int>& flags, int number, int value) {
    if (number < 0)
        return;
    if (static_cast<std::size_t>(number) >= flags.size())
        flags.resize(static_cast<std::size_t>(number) + 1);
    flags[static_cast<std::size_t>(number)] = value;
}

bool SoundKindEnabled(int kind) {
    if (kind == kSoundEffectKind)
        return SEandBGM == 1 || SEandBGM == 3;
    return SEandBGM == 2 || SEandBGM == 3;
}

}  // namespace game
