#pragma once

// The sound lists of the system database (type kind + 1) as the sound manager reads them.

#include <string>
#include <vector>

namespace game {

inline constexpr int kMusicKind = 0;
inline constexpr int kBgsKind = 1;
inline constexpr int kSoundEffectKind = 2;

// Contents of a sound list entry.
inline constexpr int kEntryFile = 0;
inline constexpr int kEntryVolume = 1;
inline constexpr int kEntryTempo = 2;
inline constexpr int kEntryFourth = 3;

// Records of the kind's list, spare entries included; 0 without the list.
int SoundListRecordCount(int kind);
// A content of an entry; 0 (or an empty name) outside the list.
int SoundEntryValue(int kind, int number, int content);
std::string SoundEntryName(int kind, int number);
void WriteSoundEntry(int kind, int number, const std::string& name, int volume, int tempo,
                     int fourth);

// The listed (not spare) entries of a kind.
int SoundListSize(int kind);
// The next spare entry of a kind, and its ring advancing.
int NextSpareSound(int kind);
void AdvanceSpareSound(int kind);

// A flag of a per-entry list; 0 for numbers outside it.
int FlagAt(const std::vector<int>& flags, int number);
// Sets a flag, growing the list to hold it.
void SetFlagAt(std::vector<int>& flags, int number, int value);

// Whether the switch setting plays this kind (1 effects only, 2 music and background sound only,
// 3 both).
bool SoundKindEnabled(int kind);

}  // namespace game
