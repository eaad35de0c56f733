// The entries on text, fonts, held images and sounds: most pass their arguments on unchanged.
#include <algorithm>
#include <cstdarg>
#include <cstring>

#include "layer/core/double_byte_text.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_format.h"
#include "layer/media/held_images.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr std::size_t kFormattedTextSize = 1024;
constexpr int kDefaultFontSize = 16;
constexpr int kDefaultFontThickness = 6;
constexpr int kDefaultFontType = 0;

int OrDefault(int value, int fallback) {
    return value == -1 ? fallback : value;
}

}  // namespace

int PrintText(int x, int y, const char* text, int colour, int edge_colour) {
    return DrawStandardFontString(x, y, text, colour, edge_colour);
}

int PrintTextWithFont(int x, int y, const char* text, int colour, int font, int edge_colour,
                      int vertical) {
    return DrawFontString(x, y, text, colour, font, edge_colour, vertical);
}

int PrintTextScaledWithFont(int x, int y, double scale_x, double scale_y, const char* text,
                            int colour, int font, int edge_colour, int vertical) {
    return DrawFontStringScaled(x, y, scale_x, scale_y, text, colour, font, edge_colour, vertical);
}

// A text longer than the buffer is cut at a character boundary.
void PrintFormattedText(int x, int y, int colour, const char* format, ...) {
    char text[kFormattedTextSize];
    va_list arguments;
    va_start(arguments, format);
    FormatTextV(text, sizeof text, format, arguments);
    va_end(arguments);
    DrawStandardFontString(x, y, text, colour, 0);
}

int GetInstalledFontNames(char (*names)[64], int max_count, int flag) {
    return ListFontFaces(names, max_count, flag);
}

int ResetFonts() {
    return ResetFontSystem();
}

int OpenFontHandle(const char* face, int size, int thickness, int type, int charset, int edge_size,
                   int italic, int handle_slot, int flag) {
    return CreateFontToHandle(face, size, thickness, type, charset, edge_size, italic, handle_slot,
                              flag);
}

int SetStandardFontSize(int size) {
    standard_font_settings.size = OrDefault(size, kDefaultFontSize);
    ApplyStandardFontSettings();
    return 0;
}

int SetStandardFontThickness(int thickness) {
    standard_font_settings.thickness = OrDefault(thickness, kDefaultFontThickness);
    ApplyStandardFontSettings();
    return 0;
}

// A face name too long for the settings is cut at a character boundary.
int SetStandardFontFace(const char* face, int charset) {
    const char* name = face != nullptr ? face : "";
    const std::size_t length = TrimToCharBoundary(
        name, std::min(std::strlen(name), sizeof standard_font_settings.face - 1));
    std::memcpy(standard_font_settings.face, name, length);
    standard_font_settings.face[length] = '\0';
    standard_font_settings.charset_index = OrDefault(charset, kShiftJisCharset);
    ApplyStandardFontSettings();
    return 0;
}

int SetStandardFontType(int type) {
    standard_font_settings.type = OrDefault(type, kDefaultFontType);
    ApplyStandardFontSettings();
    return 0;
}

int MeasureTextWidth(const char* text, int length, int vertical) {
    return MeasureStandardFontString(text, length, vertical);
}

int MeasureTextWidthWithFont(const char* text, int length, int font, int vertical) {
    return MeasureFontString(text, length, font, vertical);
}

int RemoveAllHeldImages() {
    for (int slot = 0; slot < GetHeldImageSlotEnd(); ++slot) {
        const int handle = GetHeldImageHandleInSlot(slot);
        if (handle != -1) {
            DeleteHeldImage(handle);
        }
    }
    return 0;
}

int RemoveAllSounds(int flag) {
    return DeleteAllSoundHandles(flag);
}

int LoadSoundFromMemory(const void* image, int size, int buffer_count, int option) {
    return CreateSoundFromFileImage(image, size, buffer_count, option);
}

int LoadSoundFromMemorySingle(const void* image, int size, int option) {
    return CreateSoundFromFileImage(image, size, 1, option);
}

int RemoveSound(int sound, int flag) {
    return DeleteSoundHandle(sound, flag);
}

int StartSound(int sound, int play_type, int restart) {
    return PlaySoundHandle(sound, play_type, restart);
}

int HaltSound(int sound) {
    return StopSoundHandle(sound);
}

int IsSoundPlaying(int sound) {
    return IsSoundHandlePlaying(sound);
}

int GetSoundPositionMs(int sound) {
    return GetSoundHandlePlayPositionMs(sound);
}

int GetSoundLengthMs(int sound) {
    return GetSoundHandleLengthMs(sound);
}

int SetSoundPositionMs(int milliseconds, int sound) {
    return SetSoundLoopPointMs(milliseconds, sound);
}

int SetSoundLoadMode(int mode) {
    return StoreSoundLoadMode(mode);
}

}  // namespace layer
