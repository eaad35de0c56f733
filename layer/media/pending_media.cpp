// The media side as it stands until its own code arrives: no sound system.
// Creations fail. Each definition leaves this file when its real one arrives.
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr int kHighestSoundLoadMode = 3;

}  // namespace

int StartSoundSystem() {
    return -1;
}
int EndSoundSystem() {
    return -1;
}
int EndMusicFilePlayback() {
    return 0;
}
int CreateSoundFromFileImage(const void*, int, int, int) {
    return -1;
}
int DeleteSoundHandle(int, int) {
    return -1;
}
int DeleteAllSoundHandles(int) {
    return -1;
}
int PlaySoundHandle(int, int, int) {
    return -1;
}
int StopSoundHandle(int) {
    return -1;
}
int IsSoundHandlePlaying(int) {
    return -1;
}
int GetSoundHandlePlayPositionMs(int) {
    return -1;
}
int GetSoundHandleLengthMs(int) {
    return -1;
}
int SetSoundLoopPointMs(int, int) {
    return -1;
}
int StoreSoundLoadMode(int mode) {
    if (mode < 0 || mode > kHighestSoundLoadMode) {
        return -1;
    }
    return 0;
}
int SetSoundHandleVolume(int, int) {
    return -1;
}
int SetSoundHandleFrequency(int, int) {
    return -1;
}
int GetSoundHandleBaseFrequency(int) {
    return -1;
}
int SetSoundHandlePositionMs(int, int) {
    return -1;
}
int ServiceStreamSounds() {
    return -1;
}
int PollMidiPlayState() {
    return -1;
}
int HandleMciNotify() {
    return 0;
}
int BuildSoundFromFile(const char*, int, int) {
    return -1;
}
int GetSoundLoadMode() {
    return 0;
}
int SetVorbisFileCopySelector(int) {
    return 0;
}

}  // namespace layer
