// The standard font: the one font the layer keeps for itself, made again from its settings
// whenever they differ from it.
#include <cstring>

#include "layer/media/font_system.h"
#include "layer/media/font_table.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

constexpr int kDefaultSize = 16;
constexpr int kDefaultThickness = 6;

bool MatchesSettings(const FontRecord& record, const StandardFontSettings& settings) {
    return std::strcmp(record.face_name, settings.face) == 0 && record.type == settings.type &&
           record.size == settings.size && record.thickness == settings.thickness &&
           record.charset_index == settings.charset_index &&
           record.edge_size == settings.edge_size && record.italic == settings.italic;
}

}  // namespace

StandardFontSettings standard_font_settings;

int GetStandardFont() {
    return standard_font_settings.handle;
}

int ApplyStandardFontSettings() {
    StandardFontSettings& settings = standard_font_settings;
    const FontRecord* record = GetFontRecord(settings.handle);
    if (record != nullptr && MatchesSettings(*record, settings)) {
        return 0;
    }
    FreeFontHandle(settings.handle);
    settings.handle = CreateFontToHandle(
        settings.face, settings.size, settings.thickness, settings.type, settings.charset_index,
        (settings.type & kFontTypeEdge) != 0 ? settings.edge_size : -1, settings.italic, -1, -1);
    SetFontCharacterGap(settings.character_gap, settings.handle);
    return 0;
}

int SetStandardFontMetrics(const char*, int size, int thickness) {
    if (GraphicsNotReady() != 0) {
        return -1;
    }
    standard_font_settings.size = size == -1 ? kDefaultSize : size;
    standard_font_settings.thickness = thickness == -1 ? kDefaultThickness : thickness;
    ApplyStandardFontSettings();
    return 0;
}

}  // namespace layer
