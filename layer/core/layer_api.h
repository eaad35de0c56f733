#pragma once

// The layer's public entry functions: the only layer header the game includes. Texts are
// CP932 bytes; results follow the layer's rule (0 or a handle on success, -1 on failure).

#include <cstdint>

namespace layer {

struct GraphImage;
struct PixelFormat;
struct DdPixelFormat;

// The opaque value of an open data file; 0 means failure.
using FileHandle = std::uint32_t;
// Called after the display lost the graphs, to load them again.
using GraphRestoreHandler = void (*)(int);

// Lifecycle: the only entries that take the layer-wide lock.
int InitializeLayer();
int ShutdownLayer();
int PumpMessages();

// Window, settings and time.
int IsWindowActive();
int IsMouseCursorShown();
int IsQuitRequested();
double GetWindowScale();
int RequestWindowMode(int window_flag);
int SetWindowScale(double scale);
// The client size of a window that fills the usable desktop (the window-scale key fits it).
int GetFullScreenClientSize(int* width, int* height);
int SetWindowCaption(const char* text);
int SetLogEnabled(int flag);
int SetRunWhileInactive(int flag);
int ChooseWindowIcon(int resource_id);
int WaitMilliseconds(int milliseconds);
int GetMilliseconds(void* ignored = nullptr);
int IncreaseLogIndent();
int DecreaseLogIndent();
int IsLogConsoleVisible();

// Data files and resource archives.
FileHandle OpenDataFile(const char* path, int asynchronous);
int GetDataFileSize(const char* path);
int ReadDataFile(void* buffer, int size, FileHandle file);
int CloseDataFile(FileHandle file);
int ReadDataFileLine(char* buffer, int capacity, FileHandle file);
int EnableArchiveFiles(int flag);
int ChooseArchiveExtension(const char* extension);
int ChooseArchiveKey(const char* key);
// The archive file (a game path) that the last data-file look-up found there but refused, its
// header, key or tables not being usable: the length written (NUL included), 0 with an empty
// text when the look-up refused none, or -1 when the buffer is too small.
int GetRefusedArchivePath(char* buffer, int capacity);

// Mouse, keyboard and joypads.
int ShowMouseCursor(int flag);
int GetMousePosition(int* x, int* y);
int SetMousePosition(int x, int y);
int GetMouseButtons();
int TakeMouseWheelDelta();
int WaitForAnyKey();
int CheckAnyInput(int flags);
int ReadKeyboardState(char* state);
int GetPadInputBits(int pad);

// Key-input strings; the colours are fifteen slots, all bits set keeping a slot.
int SetTextInputColors(std::uint64_t text, std::uint64_t cursor, std::uint64_t ime_background,
                       std::uint64_t ime_cursor, std::uint64_t ime_clause_line,
                       std::uint64_t ime_selected, std::uint64_t unused_7, std::uint64_t text_edge,
                       std::uint64_t ime_candidate_edge, std::uint64_t unused_10,
                       std::uint64_t ime_candidate_frame, std::uint64_t ime_candidate_background,
                       std::uint64_t selection_background, std::uint64_t selected_text,
                       std::uint64_t selected_text_edge);
int CreateTextInput(int max_length, int escape_cancels, int single_byte_only, int numeric_only);
int DeleteTextInput(int handle);
int ActivateTextInput(int handle);
int GetTextInputState(int handle);
int DrawTextInput(int x, int y, int handle);
int SetTextInputString(const char* text, int handle);
// Copies the text, cut at a character boundary to fit `capacity` bytes with its terminator.
int GetTextInputString(char* buffer, int capacity, int handle);

// Screen and frame.
int SelectSoftwareRendering(int flag);
int AllowDirectDraw(int flag);
const DdPixelFormat* GetPrimaryPixelFormat();
int GetDisplayRefreshRate();
int ShowFrame();
int RefreshWindow();
int SetScreenMode(int width, int height, int colour_bits, int refresh_rate);
int StoreScreenAsPng(int x1, int y1, int x2, int y2, const char* file_name, int compression);

// Graphs and their drawing; draw targets are -2 (back screen), -4 (front screen) or a graph.
int CreateBlankGraph(int width, int height, int flag);
int RemoveGraph(int graph, int log_flag);
int GetGraphCount();
int RemoveAllGraphs(int log_flag);
int ReloadAllGraphs();
int WipeDrawTarget();
int PaintGraph(int x, int y, int graph, int transparent);
int PaintGraphStretched(int x1, int y1, int x2, int y2, int graph, int transparent);
int PaintGraphRotated(int x, int y, double scale, double angle, int graph, int transparent,
                      int turn);
int PaintGraphPart(int x, int y, int source_x, int source_y, int width, int height, int graph,
                   int transparent, int mirror);
int DrawBlendGraph(int x, int y, int graph, int transparent, int blend_graph, int border_parameter,
                   int border_range);
int PaintRectangle(int x1, int y1, int x2, int y2, int colour, int fill);
int SetDrawSampling(int mode);
int ChangeBlendMode(int mode, int parameter);
int ChangeBrightRgb(int red, int green, int blue);
int ChangeDrawTarget(int target);
int EnableTextureDrawing(int flag);
int InstallGraphRestoreHandler(GraphRestoreHandler handler);
int CaptureScreenToGraph(int x1, int y1, int x2, int y2, int graph, int flag);
int GetGraphExtent(int graph, int* width, int* height);
int UsesTextureDrawing();
int CreateSubGraph(int x, int y, int width, int height, int source_graph);
int LoadGraphFileFlagged(const char* path);
int GraphFromMemoryImage(const void* image, int image_size, const void* alpha_image, int alpha_size,
                         int option1, int option2);
int ChooseTransparentColour(int red, int green, int blue);
int MakeRgbPixelFormat(DdPixelFormat* format, int bit_count, std::uint32_t red_mask,
                       std::uint32_t green_mask, std::uint32_t blue_mask, std::uint32_t alpha_mask);
int MakeScreenColor(int red, int green, int blue);

// Fonts and text.
int PrintText(int x, int y, const char* text, int colour, int edge_colour);
int PrintTextWithFont(int x, int y, const char* text, int colour, int font, int edge_colour,
                      int vertical);
int PrintTextScaledWithFont(int x, int y, double scale_x, double scale_y, const char* text,
                            int colour, int font, int edge_colour, int vertical);
void PrintFormattedText(int x, int y, int colour, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
int GetInstalledFontNames(char (*names)[64], int max_count, int flag);
int ResetFonts();
int OpenFontHandle(const char* face, int size, int thickness, int type, int charset, int edge_size,
                   int italic, int handle_slot, int flag);
int SetStandardFontSize(int size);
int SetStandardFontThickness(int thickness);
int SetStandardFontFace(const char* face, int charset);
int SetStandardFontType(int type);
int MeasureTextWidth(const char* text, int length, int vertical);
int MeasureTextWidthWithFont(const char* text, int length, int font, int vertical);

// Images in memory.
int RemoveAllHeldImages();
int AllocXrgb32Image(int width, int height, GraphImage* image);
int ReleaseBaseImage(GraphImage* image);
int DecompressImage(GraphImage* image);
int MakeColorFormatFromMasks(PixelFormat* format, int bit_count, std::uint32_t red_mask,
                             std::uint32_t green_mask, std::uint32_t blue_mask,
                             std::uint32_t alpha_mask);

// Sounds.
int RemoveAllSounds(int flag);
int LoadSoundFromMemory(const void* image, int size, int buffer_count, int option);
int LoadSoundFromMemorySingle(const void* image, int size, int option);
int RemoveSound(int sound, int flag);
int StartSound(int sound, int play_type, int restart);
int HaltSound(int sound);
int IsSoundPlaying(int sound);
int GetSoundPositionMs(int sound);
int GetSoundLengthMs(int sound);
int SetSoundPositionMs(int milliseconds, int sound);
int SetSoundLoadMode(int mode);
int SetSoundHandleVolume(int volume, int sound);
int SetSoundHandleFrequency(int frequency, int sound);
int GetSoundHandleBaseFrequency(int sound);
int SetSoundHandlePositionMs(int milliseconds, int sound);

// Files that exist but do not decode. Given the bytes of a file and the kind it was offered
// as (an image, a sound decoded whole, a MIDI file read to its end), prints one line to
// standard error naming the file and what is wrong when they do not decode as that kind:
// 1 after the line, 0 when they decode.
enum : int { kImageFile = 0, kSoundFile = 1, kMidiFile = 2 };
int NameUndecodableFile(const char* path, int kind, const void* image, int size);

// Operating-system services the game takes through the layer. Paths are game paths (CP932,
// "\" separators, relative to the current folder), found on disk whatever their letter case.
enum : int { kMessageBoxOk = 1, kMessageBoxCancel = 2 };
// A modal box with an OK button, or OK and Cancel; returns kMessageBoxOk or kMessageBoxCancel.
int ShowModalMessageBox(const char* text, const char* caption, int with_cancel);
// Copies a text to the console (standard error) in the console's encoding.
int PrintConsoleText(const char* text);
// Replaces a file whole (the one there whatever its letter case): written to a new file of a
// unique name beside it, flushed to the disk, renamed over it, and the folder flushed, so a
// failure or a crash never leaves a half-written file. 0, or -1 with the old file unchanged
// and nothing left behind.
int WriteWholeFile(const char* path, const void* data, int size);
// Removes from a folder what WriteWholeFile calls cut short by a crash left there: its files of
// unique names, nothing else. The number removed, or -1 when the folder is missing.
int RemoveLeftoverWriteFiles(const char* folder);
// What a path names: nothing, a file, a folder, or something else (a FIFO, device or socket).
enum : int { kPathMissing = 0, kPathFile = 1, kPathFolder = 2, kPathOther = 3 };
int GetPathKind(const char* path);
// Renames anything but a folder to a name nothing has yet, never replacing what is there
// (whatever its letter case): 0; 1 when the new name is taken; -1 when it cannot be renamed.
int RenameToUnusedName(const char* from, const char* to);
// Bytes free for this user on the disk that holds the folder of `path`; -1 when the folder is
// missing or the query fails.
long long GetFreeDiskBytes(const char* path);
// Appends bytes to a file, creating it when missing. 0 or -1.
int AppendToFile(const char* path, const void* data, int size);
int RemoveFileAtPath(const char* path);
int MakeFolderAtPath(const char* path);
// Makes a folder the current folder that relative paths start from. 0 or -1.
int ChangeCurrentFolder(const char* path);
// Calls `visit` with the name of every file and folder inside a folder, "." and ".." left
// out, in byte order; a name with no CP932 form is left out with a log line. The current
// folder stays as it is. The number of names, or -1 when the folder is missing.
int ListFolder(const char* path, void (*visit)(const char* name, void* context), void* context);
// 1 when a game path ends in a separator ("\" or "/"), else 0. A final 0x5C that is the second
// byte of a two-byte character ("表", "ソ") belongs to that character and is no separator.
int EndsWithPathSeparator(const char* path);
// The current folder, and the folder of the running program, as absolute game paths with no
// trailing "\": the length written (NUL included), or -1 when the buffer is too small.
int GetCurrentFolderPath(char* buffer, int capacity);
int GetProgramFolderPath(char* buffer, int capacity);
// Adds the faces of a font file to the system's fonts for the rest of the run, or takes them
// back: 0, or -1 when the file holds no face or was not added.
int AddFontResourceFile(const char* path);
int RemoveFontResourceFile(const char* path);
// Calls `visit` with the name of every file in the current folder that matches a wildcard
// pattern (letters of either case), in name order; the number of files, or -1.
int ForEachMatchingFile(const char* pattern, void (*visit)(const char* name, void* context),
                        void* context);

// Outside libraries (the MIDI and speech libraries) in a folder given as a game path: the file
// "<name>.so", else "lib<name>.so". 1 when one of them exists, else 0.
int IsOutsideLibraryPresent(const char* folder, const char* name);
// Loads it; without either file, "GuruGuruSMF" gives the layer's own MIDI player with the same
// entries. The library's number, or -1 after a log line.
int LoadOutsideLibrary(const char* folder, const char* name);
// An entry of a loaded library by name, or null.
void* FindOutsideLibraryEntry(int library, const char* entry);
int FreeOutsideLibrary(int library);

// The test tooling's settings, read from the environment once: QVARN_EXIT_AFTER_FRAMES=N ends
// the game after N frames (-1 when unset), QVARN_DUMP_FRAME=F.png writes the last presented
// frame at shutdown (empty when unset), QVARN_AUTO_CONFIRM=1 answers every box, key wait,
// message page and choice.
struct TestHooks {
    long exit_after_frames = -1;
    const char* dump_frame_path = "";
    int auto_confirm = 0;
};
const TestHooks& GetTestHooks();
// Replaces the settings for the rest of the run, so that a test can switch a hook for itself;
// returns the settings it replaced.
TestHooks SetTestHooks(const TestHooks& hooks);

}  // namespace layer
