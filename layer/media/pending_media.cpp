// The media side as it stands until its own code arrives: no fonts, no sound system, no
// movies. Draws succeed and do nothing; creations fail. Each definition leaves this file when
// its real one arrives.
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr int kHighestSoundLoadMode = 3;

}  // namespace

StandardFontSettings standard_font_settings;

int CreateFontToHandle(const char*, int, int, int, int, int, int, int, int) {
    return -1;
}
int FreeFontHandle(int) {
    return -1;
}
int SetFontDeleteNotice(int, int*) {
    return -1;
}
int QueryFontSize(int) {
    return -1;
}
int GetStandardFont() {
    return standard_font_settings.handle;
}
int ApplyStandardFontSettings() {
    return 0;
}
int DrawFontString(int, int, const char*, int, int, int, int) {
    return 0;
}
int DrawFontStringScaled(int, int, double, double, const char*, int, int, int, int) {
    return 0;
}
int DrawStandardFontString(int, int, const char*, int, int) {
    return 0;
}
int MeasureFontString(const char*, int, int, int) {
    return 0;
}
int MeasureStandardFontString(const char*, int, int) {
    return 0;
}
int ListFontFaces(char (*)[64], int, int) {
    return 0;
}
int ResetFontSystem() {
    return 0;
}

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

int BuildYuvTables() {
    return 0;
}
int SuspendAllMovies() {
    return 0;
}
int ResumeAllMovies() {
    return 0;
}
int ReleaseAllMovieStreams() {
    return 0;
}
int PresentWindowMovies() {
    return 0;
}

}  // namespace layer
