#include "game/presentation/midi_binding.h"

#include <cstdint>

#include "game/core/format_text.h"
#include "game/core/game_folder.h"
#include "game/core/system_message_box.h"
#include "game/presentation/midi_binding_texts.h"
#include "layer/core/layer_api.h"

namespace game {
namespace {

constexpr char kMidiLibraryName[] = "GuruGuruSMF";
constexpr int kNoLibrary = -1;

using SetDeviceEntry = std::int32_t (*)(std::int32_t, std::int32_t);
using ReadListEntry = std::int32_t (*)(const void*, std::int32_t, std::int32_t, std::int32_t);
using PlayEntry = std::int32_t (*)(std::int32_t, std::int32_t, std::int32_t);
using ValueEntry = std::int32_t (*)(std::int32_t);
using PlainEntry = std::int32_t (*)();

struct MidiEntries {
    SetDeviceEntry setDevice = nullptr;
    ReadListEntry readList = nullptr;
    ValueEntry deleteList = nullptr;
    PlayEntry play = nullptr;
    PlainEntry stop = nullptr;
    PlainEntry pause = nullptr;
    ValueEntry masterVolume = nullptr;
    ValueEntry tempoDepth = nullptr;
    PlainEntry free = nullptr;
};

int midiLibrary = kNoLibrary;
MidiEntries entries;

template <typename Entry>
Entry Find(const char* name) {
    return reinterpret_cast<Entry>(layer::FindOutsideLibraryEntry(midiLibrary, name));
}

void LoadMidiLibrary() {
    midiLibrary = layer::LoadOutsideLibrary(GameFolder.c_str(), kMidiLibraryName);
    if (midiLibrary == kNoLibrary) {
        const std::string path = GetExeDirectory() + kMidiLibraryName + ".so";
        ShowSystemMessageBox(FormatText(kMidiLibraryLoadFailedFormat, path.c_str()),
                             kMidiLibraryCaption);
        return;
    }
    entries = {Find<SetDeviceEntry>("GGSSetDevice"), Find<ReadListEntry>("GGSReadList"),
               Find<ValueEntry>("GGSDeleteList"),    Find<PlayEntry>("GGSPlay"),
               Find<PlainEntry>("GGSStop"),          Find<PlainEntry>("GGSPause"),
               Find<ValueEntry>("GGSMasterVolume"),  Find<ValueEntry>("GGSTempoDepth"),
               Find<PlainEntry>("GGSFree")};
}

}  // namespace

int GGSSetDevice(int device, int flags) {
    if (midiLibrary == kNoLibrary)
        LoadMidiLibrary();
    return entries.setDevice != nullptr ? entries.setDevice(device, flags) : -1;
}

int GGSReadList(const void* image, int size, int option, int list) {
    return entries.readList != nullptr ? entries.readList(image, size, option, list) : -1;
}

int GGSDeleteList(int list) {
    return entries.deleteList != nullptr ? entries.deleteList(list) : 0;
}

int GGSPlay(int option, int list, int startMs) {
    return entries.play != nullptr ? entries.play(option, list, startMs) : -1;
}

int GGSStop() {
    return entries.stop != nullptr ? entries.stop() : 0;
}

int GGSPause() {
    return entries.pause != nullptr ? entries.pause() : 0;
}

int GGSMasterVolume(int volume) {
    return entries.masterVolume != nullptr ? entries.masterVolume(volume) : 0;
}

int GGSTempoDepth(int depth) {
    return entries.tempoDepth != nullptr ? entries.tempoDepth(depth) : 0;
}

void GGSFree() {
    if (midiLibrary == kNoLibrary)
        return;
    if (entries.free != nullptr)
        entries.free();
    layer::FreeOutsideLibrary(midiLibrary);
    midiLibrary = kNoLibrary;
    entries = MidiEntries();
}

}  // namespace game
