// The media services as the core's tests see them: every call recorded.
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

StandardFontSettings standard_font_settings;

int CreateFontToHandle(const char*, int, int, int, int, int, int, int, int) {
    return Note("CreateFontToHandle", -1);
}
int FreeFontHandle(int) {
    return Note("FreeFontHandle");
}
int SetFontDeleteNotice(int, int*) {
    return Note("SetFontDeleteNotice", -1);
}
int QueryFontSize(int) {
    return -1;
}
int GetStandardFont() {
    return standard_font_settings.handle;
}
int ApplyStandardFontSettings() {
    return Note("ApplyStandardFontSettings");
}
int DrawFontString(int, int, const char*, int, int, int, int) {
    return Note("DrawFontString");
}
int DrawFontStringScaled(int, int, double, double, const char*, int, int, int, int) {
    return Note("DrawFontStringScaled");
}
int DrawStandardFontString(int, int, const char*, int, int) {
    return Note("DrawStandardFontString");
}
int MeasureFontString(const char*, int, int, int) {
    return Note("MeasureFontString");
}
int MeasureStandardFontString(const char*, int, int) {
    return Note("MeasureStandardFontString");
}
int ListFontFaces(char (*)[64], int, int) {
    return Note("ListFontFaces");
}
int ResetFontSystem() {
    return Note("ResetFontSystem");
}
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
