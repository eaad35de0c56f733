// A stand-in outside MIDI library for tests: each entry notes its call and arguments in a log
// that TestMidiCallLog gives out.
#include <cstdint>
#include <string>

namespace {

std::string call_log;

std::int32_t Note(const std::string& call) {
    call_log += call + ";";
    return 0;
}

}  // namespace

extern "C" {

const char* TestMidiCallLog() {
    return call_log.c_str();
}
void TestMidiClearLog() {
    call_log.clear();
}

std::int32_t GGSSetDevice(std::int32_t device, std::int32_t flags) {
    return Note("SetDevice(" + std::to_string(device) + "," + std::to_string(flags) + ")");
}
std::int32_t GGSReadList(const void*, std::int32_t size, std::int32_t option, std::int32_t list) {
    return Note("ReadList(" + std::to_string(size) + "," + std::to_string(option) + "," +
                std::to_string(list) + ")");
}
std::int32_t GGSDeleteList(std::int32_t list) {
    return Note("DeleteList(" + std::to_string(list) + ")");
}
std::int32_t GGSPlay(std::int32_t option, std::int32_t list, std::int32_t start) {
    return Note("Play(" + std::to_string(option) + "," + std::to_string(list) + "," +
                std::to_string(start) + ")");
}
std::int32_t GGSStop() {
    return Note("Stop");
}
std::int32_t GGSPause() {
    return Note("Pause");
}
std::int32_t GGSMasterVolume(std::int32_t volume) {
    return Note("MasterVolume(" + std::to_string(volume) + ")");
}
std::int32_t GGSTempoDepth(std::int32_t depth) {
    return Note("TempoDepth(" + std::to_string(depth) + ")");
}
std::int32_t GGSFree() {
    return Note("Free");
}
}
