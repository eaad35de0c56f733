// Sounds and movies, still pending, as the core's tests see them: every call recorded, so that
// a test can see where the layer calls them. These replace all of layer/media/pending_media.cpp
// and leave when that file's real code arrives; fonts and pictures are the real ones.
#include <string>

#include "layer/media/media_services.h"
#include "tests/layer/core/fake_services.h"

namespace layer {
namespace {

int Note(const std::string& call, int result = 0) {
    test::FakeCalls().push_back(call);
    return result;
}

}  // namespace

int StartSoundSystem() {
    return Note("StartSoundSystem", -1);
}
int EndSoundSystem() {
    return Note("EndSoundSystem");
}
int EndMusicFilePlayback() {
    return Note("EndMusicFilePlayback");
}
int CreateSoundFromFileImage(const void*, int, int, int) {
    return Note("CreateSoundFromFileImage");
}
int DeleteSoundHandle(int, int) {
    return Note("DeleteSoundHandle");
}
int DeleteAllSoundHandles(int) {
    return Note("DeleteAllSoundHandles");
}
int PlaySoundHandle(int, int, int) {
    return Note("PlaySoundHandle");
}
int StopSoundHandle(int) {
    return Note("StopSoundHandle");
}
int IsSoundHandlePlaying(int) {
    return Note("IsSoundHandlePlaying");
}
int GetSoundHandlePlayPositionMs(int) {
    return Note("GetSoundHandlePlayPositionMs");
}
int GetSoundHandleLengthMs(int) {
    return Note("GetSoundHandleLengthMs");
}
int SetSoundLoopPointMs(int, int) {
    return Note("SetSoundLoopPointMs");
}
int StoreSoundLoadMode(int) {
    return Note("StoreSoundLoadMode");
}
int SetSoundHandleVolume(int, int) {
    return Note("SetSoundHandleVolume");
}
int SetSoundHandleFrequency(int, int) {
    return Note("SetSoundHandleFrequency");
}
int GetSoundHandleBaseFrequency(int) {
    return Note("GetSoundHandleBaseFrequency");
}
int SetSoundHandlePositionMs(int, int) {
    return Note("SetSoundHandlePositionMs");
}
int ServiceStreamSounds() {
    return Note("ServiceStreamSounds");
}
int PollMidiPlayState() {
    return Note("PollMidiPlayState");
}
int HandleMciNotify() {
    return Note("HandleMciNotify");
}
int BuildYuvTables() {
    return Note("BuildYuvTables");
}
int SuspendAllMovies() {
    return Note("SuspendAllMovies");
}
int ResumeAllMovies() {
    return Note("ResumeAllMovies");
}
int ReleaseAllMovieStreams() {
    return Note("ReleaseAllMovieStreams");
}
int PresentWindowMovies() {
    return Note("PresentWindowMovies");
}

}  // namespace layer
