// Entries whose work is not in the player yet: each logs one line and fails (-1); setters that
// always succeed and flag or bit getters give 0, pointer results null. Entries leave this
// file as their work arrives.
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"

namespace layer {
namespace {

int Pending(const char* name) {
    WriteLogFormat("%s: not available yet", name);
    return -1;
}

int PendingZero(const char* name) {
    Pending(name);
    return 0;
}

}  // namespace

int InitializeLayer() {
    return Pending(__func__);
}
int ShutdownLayer() {
    return PendingZero(__func__);
}
int PumpMessages() {
    return Pending(__func__);
}

int IsWindowActive() {
    return PendingZero(__func__);
}
int IsMouseCursorShown() {
    return PendingZero(__func__);
}
int IsQuitRequested() {
    return PendingZero(__func__);
}
double GetWindowScale() {
    return Pending(__func__);
}
int RequestWindowMode(int) {
    return Pending(__func__);
}
int SetWindowScale(double) {
    return PendingZero(__func__);
}
int SetWindowCaption(const char*) {
    return PendingZero(__func__);
}
int SetRunWhileInactive(int) {
    return PendingZero(__func__);
}
int ChooseWindowIcon(int) {
    return PendingZero(__func__);
}
int WaitMilliseconds(int) {
    return PendingZero(__func__);
}

FileHandle OpenDataFile(const char*, int) {
    Pending(__func__);
    return 0;
}
int GetDataFileSize(const char*) {
    return Pending(__func__);
}
int ReadDataFile(void*, int, FileHandle) {
    return Pending(__func__);
}
int CloseDataFile(FileHandle) {
    return Pending(__func__);
}
int ReadDataFileLine(char*, int, FileHandle) {
    return Pending(__func__);
}
int EnableArchiveFiles(int) {
    return PendingZero(__func__);
}
int ChooseArchiveExtension(const char*) {
    return PendingZero(__func__);
}
int ChooseArchiveKey(const char*) {
    return PendingZero(__func__);
}

int ShowMouseCursor(int) {
    return PendingZero(__func__);
}
int GetMousePosition(int*, int*) {
    return Pending(__func__);
}
int SetMousePosition(int, int) {
    return PendingZero(__func__);
}
int GetMouseButtons() {
    return PendingZero(__func__);
}
int TakeMouseWheelDelta() {
    return PendingZero(__func__);
}
int WaitForAnyKey() {
    return PendingZero(__func__);
}
int CheckAnyInput(int) {
    return PendingZero(__func__);
}
int ReadKeyboardState(char*) {
    return Pending(__func__);
}
int GetPadInputBits(int) {
    return PendingZero(__func__);
}

int SetTextInputColors(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t,
                       std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t,
                       std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t) {
    return PendingZero(__func__);
}
int CreateTextInput(int, int, int, int) {
    return Pending(__func__);
}
int DeleteTextInput(int) {
    return Pending(__func__);
}
int ActivateTextInput(int) {
    return Pending(__func__);
}
int GetTextInputState(int) {
    return Pending(__func__);
}
int DrawTextInput(int, int, int) {
    return Pending(__func__);
}
int SetTextInputString(const char*, int) {
    return Pending(__func__);
}
int GetTextInputString(char*, int) {
    return Pending(__func__);
}

int SelectSoftwareRendering(int) {
    return Pending(__func__);
}
int AllowDirectDraw(int) {
    return PendingZero(__func__);
}
const DdPixelFormat* GetPrimaryPixelFormat() {
    Pending(__func__);
    return nullptr;
}
int GetDisplayRefreshRate() {
    return Pending(__func__);
}
int ShowFrame() {
    return Pending(__func__);
}
int RefreshWindow() {
    return Pending(__func__);
}
int SetScreenMode(int, int, int, int) {
    return Pending(__func__);
}
int StoreScreenAsPng(int, int, int, int, const char*, int) {
    return Pending(__func__);
}

int CreateBlankGraph(int, int, int) {
    return Pending(__func__);
}
int RemoveGraph(int, int) {
    return Pending(__func__);
}
int GetGraphCount() {
    return PendingZero(__func__);
}
int RemoveAllGraphs(int) {
    return Pending(__func__);
}
int ReloadAllGraphs() {
    return Pending(__func__);
}
int WipeDrawTarget() {
    return Pending(__func__);
}
int PaintGraph(int, int, int, int) {
    return Pending(__func__);
}
int PaintGraphStretched(int, int, int, int, int, int) {
    return Pending(__func__);
}
int PaintGraphRotated(int, int, double, double, int, int, int) {
    return Pending(__func__);
}
int PaintGraphPart(int, int, int, int, int, int, int, int, int) {
    return Pending(__func__);
}
int DrawBlendGraph(int, int, int, int, int, int, int) {
    return PendingZero(__func__);
}
int PaintRectangle(int, int, int, int, int, int) {
    return Pending(__func__);
}
int SetDrawSampling(int) {
    return Pending(__func__);
}
int ChangeBlendMode(int, int) {
    return Pending(__func__);
}
int ChangeBrightRgb(int, int, int) {
    return Pending(__func__);
}
int ChangeDrawTarget(int) {
    return Pending(__func__);
}
int EnableTextureDrawing(int) {
    return Pending(__func__);
}
int InstallGraphRestoreHandler(GraphRestoreHandler) {
    return Pending(__func__);
}
int CaptureScreenToGraph(int, int, int, int, int, int) {
    return Pending(__func__);
}
int GetGraphExtent(int, int*, int*) {
    return Pending(__func__);
}
int UsesTextureDrawing() {
    return PendingZero(__func__);
}
int CreateSubGraph(int, int, int, int, int) {
    return Pending(__func__);
}
int LoadGraphFileFlagged(const char*) {
    return Pending(__func__);
}
int GraphFromMemoryImage(const void*, int, const void*, int, int, int) {
    return Pending(__func__);
}
int ChooseTransparentColour(int, int, int) {
    return Pending(__func__);
}
int MakeRgbPixelFormat(DdPixelFormat*, int, std::uint32_t, std::uint32_t, std::uint32_t,
                       std::uint32_t) {
    return Pending(__func__);
}
int MakeScreenColor(int, int, int) {
    return Pending(__func__);
}

int PrintText(int, int, const char*, int, int) {
    return Pending(__func__);
}
int PrintTextWithFont(int, int, const char*, int, int, int, int) {
    return Pending(__func__);
}
int PrintTextScaledWithFont(int, int, double, double, const char*, int, int, int, int) {
    return Pending(__func__);
}
void PrintFormattedText(int, int, int, const char*, ...) {
    Pending(__func__);
}
int GetInstalledFontNames(char (*)[64], int, int) {
    return Pending(__func__);
}
int ResetFonts() {
    return Pending(__func__);
}
int OpenFontHandle(const char*, int, int, int, int, int, int, int, int) {
    return Pending(__func__);
}
int SetStandardFontSize(int) {
    return PendingZero(__func__);
}
int SetStandardFontThickness(int) {
    return PendingZero(__func__);
}
int SetStandardFontFace(const char*, int) {
    return PendingZero(__func__);
}
int SetStandardFontType(int) {
    return PendingZero(__func__);
}
int MeasureTextWidth(const char*, int, int) {
    return Pending(__func__);
}
int MeasureTextWidthWithFont(const char*, int, int, int) {
    return Pending(__func__);
}

int RemoveAllHeldImages() {
    return Pending(__func__);
}

int RemoveAllSounds(int) {
    return Pending(__func__);
}
int LoadSoundFromMemory(const void*, int, int, int) {
    return Pending(__func__);
}
int LoadSoundFromMemorySingle(const void*, int, int) {
    return Pending(__func__);
}
int RemoveSound(int, int) {
    return Pending(__func__);
}
int StartSound(int, int, int) {
    return Pending(__func__);
}
int HaltSound(int) {
    return Pending(__func__);
}
int IsSoundPlaying(int) {
    return Pending(__func__);
}
int GetSoundPositionMs(int) {
    return Pending(__func__);
}
int GetSoundLengthMs(int) {
    return Pending(__func__);
}
int SetSoundPositionMs(int, int) {
    return Pending(__func__);
}
int SetSoundLoadMode(int) {
    return Pending(__func__);
}
int SetSoundHandleVolume(int, int) {
    return Pending(__func__);
}
int SetSoundHandleFrequency(int, int) {
    return Pending(__func__);
}
int GetSoundHandleBaseFrequency(int) {
    return Pending(__func__);
}
int SetSoundHandlePositionMs(int, int) {
    return Pending(__func__);
}

}  // namespace layer
