// The sound and movie entries of the media side as the core's tests see them: every call
// recorded, so that a test can see where and in which order the layer calls them. The real
// entries live in files these tests need for nothing else, so both link; fonts and pictures
// are the real ones.
#include <string>

#include "layer/media/media_services.h"
#include "tests/layer/core/fake_services.h"

namespace layer {
int StartSoundSystem() {
    return test::NoteCall("StartSoundSystem", -1);
}
int EndSoundSystem() {
    return test::NoteCall("EndSoundSystem");
}
int EndMusicFilePlayback() {
    return test::NoteCall("EndMusicFilePlayback");
}
int CreateSoundFromFileImage(const void*, int, int, int) {
    return test::NoteCall("CreateSoundFromFileImage");
}
int DeleteSoundHandle(int, int) {
    return test::NoteCall("DeleteSoundHandle");
}
int DeleteAllSoundHandles(int) {
    return test::NoteCall("DeleteAllSoundHandles");
}
int PlaySoundHandle(int, int, int) {
    return test::NoteCall("PlaySoundHandle");
}
int StopSoundHandle(int) {
    return test::NoteCall("StopSoundHandle");
}
int IsSoundHandlePlaying(int) {
    return test::NoteCall("IsSoundHandlePlaying");
}
int GetSoundHandlePlayPositionMs(int) {
    return test::NoteCall("GetSoundHandlePlayPositionMs");
}
int GetSoundHandleLengthMs(int) {
    return test::NoteCall("GetSoundHandleLengthMs");
}
int SetSoundLoopPointMs(int, int) {
    return test::NoteCall("SetSoundLoopPointMs");
}
int StoreSoundLoadMode(int) {
    return test::NoteCall("StoreSoundLoadMode");
}
int SetSoundHandleVolume(int, int) {
    return test::NoteCall("SetSoundHandleVolume");
}
int SetSoundHandleFrequency(int, int) {
    return test::NoteCall("SetSoundHandleFrequency");
}
int GetSoundHandleBaseFrequency(int) {
    return test::NoteCall("GetSoundHandleBaseFrequency");
}
int SetSoundHandlePositionMs(int, int) {
    return test::NoteCall("SetSoundHandlePositionMs");
}
int ServiceStreamSounds() {
    return test::NoteCall("ServiceStreamSounds");
}
int PollMidiPlayState() {
    return test::NoteCall("PollMidiPlayState");
}
int HandleMciNotify() {
    return test::NoteCall("HandleMciNotify");
}
int GetSoundLoadMode() {
    return test::NoteCall("GetSoundLoadMode");
}
int BuildSoundFromFile(const char*, int, int) {
    return test::NoteCall("BuildSoundFromFile", -1);
}
int SetVorbisFileCopySelector(int) {
    return test::NoteCall("SetVorbisFileCopySelector");
}
int BuildYuvTables() {
    return test::NoteCall("BuildYuvTables");
}
int SuspendAllMovies() {
    return test::NoteCall("SuspendAllMovies");
}
int ResumeAllMovies() {
    return test::NoteCall("ResumeAllMovies");
}
int ReleaseAllMovieStreams() {
    return test::NoteCall("ReleaseAllMovieStreams");
}
int PresentWindowMovies() {
    return test::NoteCall("PresentWindowMovies");
}

}  // namespace layer
