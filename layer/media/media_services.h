#pragma once

// What the layer core, its entry functions and its window code ask of the media side:
// fonts and text, sounds and movies. The double-byte lead test is IsDoubleByteLead
// (layer/core/double_byte_text.h); images in memory and held images have their own headers
// (image_creation.h, image_pixels.h, dxt_expansion.h, held_images.h).

#include "layer/core/layer_api.h"

namespace layer {

// Fonts and text. Colours are pixel values of the screen format.
int CreateFontToHandle(const char* face, int size, int thickness, int type, int charset,
                       int edge_size, int italic, int slot, int check_number);
int FreeFontHandle(int font);
// The int is cleared now and set to 1 when the font is deleted.
int SetFontDeleteNotice(int font, int* notice);
int QueryFontSize(int font);
int GetStandardFont();

constexpr int kFontFaceNameSize = 128;

// The standard font's settings; the font is made again from them when they differ from it.
struct StandardFontSettings {
    int handle = 0;
    char face[kFontFaceNameSize] = {};
    int size = 16;
    int thickness = 6;
    int type = 0;
    int charset_index = 1;
    int edge_size = 1;
    int italic = 0;
    int character_gap = 0;
};
extern StandardFontSettings standard_font_settings;
int ApplyStandardFontSettings();

int DrawFontString(int x, int y, const char* text, int colour, int font, int edge_colour,
                   int vertical);
int DrawFontStringScaled(int x, int y, double scale_x, double scale_y, const char* text, int colour,
                         int font, int edge_colour, int vertical);
int DrawStandardFontString(int x, int y, const char* text, int colour, int edge_colour);
int MeasureFontString(const char* text, int length, int font, int vertical);
int MeasureStandardFontString(const char* text, int length, int vertical);
int ListFontFaces(char (*names)[64], int max_count, int japanese_only);
int ResetFontSystem();

// Sounds. SetSoundHandleVolume, SetSoundHandleFrequency, GetSoundHandleBaseFrequency and
// SetSoundHandlePositionMs are entry functions of layer_api.h as they stand.
int StartSoundSystem();
int EndSoundSystem();
int EndMusicFilePlayback();
int CreateSoundFromFileImage(const void* image, int size, int buffer_count, int share_handle);
int DeleteSoundHandle(int sound, int flag);
int DeleteAllSoundHandles(int flag);
int PlaySoundHandle(int sound, int play_type, int restart);
int StopSoundHandle(int sound);
int IsSoundHandlePlaying(int sound);
int GetSoundHandlePlayPositionMs(int sound);
int GetSoundHandleLengthMs(int sound);
int SetSoundLoopPointMs(int milliseconds, int sound);
int StoreSoundLoadMode(int mode);
int GetSoundLoadMode();
// A sound read from a file: whole in load mode 0, else a stream sound (mode 3 reads the file
// while it plays). A share handle of -1 shares nothing.
int BuildSoundFromFile(const char* path, int buffer_count, int share_handle);
// 1 while a movie builds its soundtrack: the Vorbis decoders opened meanwhile take the
// movie's copy of the Vorbis file reader. Returns 0.
int SetVorbisFileCopySelector(int selector);
int ServiceStreamSounds();
int PollMidiPlayState();
int HandleMciNotify();

// Movies.
int BuildYuvTables();
int SuspendAllMovies();
int ResumeAllMovies();
int ReleaseAllMovieStreams();
int PresentWindowMovies();

}  // namespace layer
