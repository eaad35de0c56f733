#include "game/presentation/sound_manager.h"

#include <algorithm>
#include <cstddef>

#include "game/core/data_file_loading.h"
#include "game/core/error_box.h"
#include "game/core/format_text.h"
#include "game/core/processing_point.h"
#include "game/interpreter/main_interpreter.h"
#include "game/map/data_folder.h"
#include "game/presentation/sound_entries.h"
#include "game/presentation/sound_layer_calls.h"
#include "game/presentation/sound_manager_texts.h"

namespace game {
namespace {

// Extra flags past the record count of a list, for entries a game adds while it runs.
constexpr std::size_t kExtraFlags = 20;
// Play buffers of a listed sound effect, so that up to five plays of it overlap.
constexpr int kEffectBuffers = 5;
constexpr int kWholeLoadMode = 0;
constexpr int kStreamLoadMode = 2;

bool NameEndsWith(const std::string& path, const char* lower, const char* upper) {
    constexpr std::size_t kTail = 5;
    if (path.size() < kTail)
        return false;
    const std::size_t from = path.size() - kTail;
    return path.find(lower, from) != std::string::npos ||
           path.find(upper, from) != std::string::npos;
}

// A deleted handle's paths leave the name map, so that a later registration loads the file
// again; failed loads (0, -1) stay, so that they are not retried.
void ForgetFileHandle(int handle) {
    if (handle <= 0)
        return;
    std::erase_if(SoundFileHandles, [handle](const auto& entry) { return entry.second == handle; });
}

void RemoveHandle(int handle) {
    TheSoundLayerCalls.HaltSound(handle);
    TheSoundLayerCalls.RemoveSound(handle, 0);
    ForgetFileHandle(handle);
}

}  // namespace

// The name map comes first so that it outlives the global manager, whose destructor empties it.
NameHandleMap SoundFileHandles;
SoundManager TheSoundManager;

// Calls `visit`(kind, number) for every listed entry that holds a sound handle.
template <typename Visit>
void ForEachLoadedEntry(const SoundManager& soundManager, Visit visit) {
    for (int kind = kMusicKind; kind <= kSoundEffectKind; ++kind) {
        const int listSize = SoundListSize(kind);
        for (const auto& [number, handle] : soundManager.Handles[static_cast<std::size_t>(kind)])
            if (number >= 0 && number < listSize && handle != 0)
                visit(kind, number);
    }
}

int CountLoadedSounds(const SoundManager& soundManager) {
    int count = 0;
    ForEachLoadedEntry(soundManager, [&count](int, int) { ++count; });
    return count;
}

std::vector<std::string> LoadedSoundNames(const SoundManager& soundManager) {
    std::vector<std::string> names;
    ForEachLoadedEntry(soundManager, [&names](int kind, int number) {
        names.push_back(SoundEntryName(kind, number));
    });
    std::vector<std::string> paths;
    for (const auto& [path, handle] : SoundFileHandles)
        if (handle > 0)
            paths.push_back(path);
    std::sort(paths.begin(), paths.end());
    names.insert(names.end(), paths.begin(), paths.end());
    return names;
}

int TempoDepth(int tempo) {
    return tempo >= 100 ? (tempo - 100) / 2 : 2 * tempo - 200;
}

bool IsMidiName(const std::string& path) {
    return NameEndsWith(path, ".mid", ".MID");
}

bool IsOggName(const std::string& path) {
    return NameEndsWith(path, ".ogg", ".OGG");
}

SoundManager::SoundManager() {
    SoundFileHandles.clear();
}

SoundManager::~SoundManager() {
    SoundFileHandles.clear();
}

void SoundManager::ResetSoundFormatFlags() {
    MidiFlags.assign(static_cast<std::size_t>(SoundListRecordCount(kMusicKind)) + kExtraFlags, 0);
    for (int kind = kMusicKind; kind <= kBgsKind; ++kind)
        OggFlags[static_cast<std::size_t>(kind)].assign(
            static_cast<std::size_t>(SoundListRecordCount(kind)) + kExtraFlags, 0);
}

int SoundManager::GetOggLengthAdjustment(int kind) const {
    if (kind != kMusicKind && kind != kBgsKind)
        return 0;
    const int number = kind == kMusicKind ? TheMainInterpreter.CurrentMusicNumber
                                          : TheMainInterpreter.CurrentBgsNumber;
    return -1000 * FlagAt(OggFlags[static_cast<std::size_t>(kind)], number);
}

void SoundManager::LoadSoundByNumber(int kind, int number) {
    if (kind < kMusicKind || kind > kSoundEffectKind || number == -1 || !SoundKindEnabled(kind))
        return;
    if (kind == kMusicKind && FlagAt(MidiFlags, number) == 1)
        return;
    if (number < 0 || number >= SoundListSize(kind))
        return;
    TheSoundLayerCalls.SetSoundLoadMode(kind == kSoundEffectKind ? kWholeLoadMode
                                                                 : kStreamLoadMode);
    int& handle = Handles[static_cast<std::size_t>(kind)][number];
    if (handle != 0)
        return;
    const std::string name = SoundEntryName(kind, number);
    const std::string path = kDataFolder + name;
    const auto image = ReadWholeDataFile(path);
    if (!image) {
        if (!name.empty())
            ShowErrorBox(kSoundLoadCaption,
                         FormatText(kMissingListedSoundFormat, kind + 1, number, path.c_str()),
                         GetProcessingPointText());
        return;
    }
    const int size = static_cast<int>(image->size());
    handle = kind == kSoundEffectKind
                 ? TheSoundLayerCalls.LoadSoundFromMemory(image->data(), size, kEffectBuffers, -1)
                 : TheSoundLayerCalls.LoadSoundFromMemorySingle(image->data(), size, -1);
    if (handle < 0)
        NameUndecodableSound(path, *image);
}

void SoundManager::ReleaseSoundHandle(int kind, int handle) {
    if (kind < kMusicKind || kind > kSoundEffectKind || handle == 0 ||
        (kind == kMusicKind && handle == MusicHandle) || (kind == kBgsKind && handle == BgsHandle))
        return;
    NumberHandleMap& handles = Handles[static_cast<std::size_t>(kind)];
    const int count = SoundListRecordCount(kind);
    for (auto& [number, held] : handles) {
        if (number >= 0 && number < count && held == handle) {
            held = 0;
            RemoveHandle(handle);
            return;
        }
    }
}

void SoundManager::ReleaseSoundByNumber(int kind, int number) {
    if (kind < kMusicKind || kind > kSoundEffectKind || number < 0)
        return;
    int& handle = Handles[static_cast<std::size_t>(kind)][number];
    if (handle == 0 || handle == MusicHandle || handle == BgsHandle)
        return;
    const int released = handle;
    handle = 0;
    TheSoundLayerCalls.HaltSound(released);
    TheSoundLayerCalls.RemoveSound(released, 0);
    if (number >= SoundListSize(kind))
        SoundFileHandles.erase(SoundEntryName(kind, number));
    ForgetFileHandle(released);
}

void SoundManager::ReleaseUnusedSounds(bool releaseAll) {
    const std::vector<int>& kept = EffectQueue.QueuedHandle;
    for (int kind = kMusicKind; kind <= kSoundEffectKind; ++kind) {
        const int count = SoundListRecordCount(kind);
        for (auto& [number, handle] : Handles[static_cast<std::size_t>(kind)]) {
            if (number < 0 || number >= count || handle == 0)
                continue;
            if (!releaseAll && (TheSoundLayerCalls.IsSoundPlaying(handle) > 0 ||
                                (kind == kSoundEffectKind &&
                                 std::find(kept.begin(), kept.end(), handle) != kept.end())))
                continue;
            TheSoundLayerCalls.RemoveSound(handle, 0);
            handle = 0;
        }
    }
    SoundFileHandles.clear();
    if (releaseAll)
        TheSoundLayerCalls.RemoveAllSounds(0);
}

}  // namespace game
