#include "layer/media/font_system.h"

#include <cstring>

#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/media/font_table.h"
#include "layer/media/font_texts.h"
#include "layer/media/media_services.h"

namespace layer {
namespace {

// What re-makes a font: the arguments of its creation and its character gap.
struct FontRecipe {
    char face[kFontRecordFaceSize];
    int check_number;
    int type;
    int charset_index;
    int size;
    int thickness;
    int edge_size;
    int italic;
    int character_gap;
};

FontRecipe RecipeOf(const FontRecord& record) {
    FontRecipe recipe{};
    std::memcpy(recipe.face, record.face_name, kFontRecordFaceSize);
    recipe.check_number = record.check_number;
    recipe.type = record.type;
    recipe.charset_index = record.charset_index;
    recipe.size = record.size;
    recipe.thickness = record.thickness;
    recipe.edge_size = record.edge_size;
    recipe.italic = record.italic;
    recipe.character_gap = record.character_gap;
    return recipe;
}

void FreeAllFonts() {
    for (int slot = 0; slot < kFontSlotCount; ++slot) {
        FreeFontHandle(FontHandleInSlot(slot));
    }
}

}  // namespace

int ResetFontSystem() {
    if (GraphicsNotReady() != 0) {
        return -1;
    }
    WriteLog(kFontResetStartText);
    IncreaseLogIndent();
    const FontRecord* standard = GetFontRecord(standard_font_settings.handle);
    const bool remembered = standard != nullptr;
    const FontRecipe recipe = remembered ? RecipeOf(*standard) : FontRecipe{};
    FreeAllFonts();
    standard_font_settings.handle =
        remembered
            ? CreateFontToHandle(recipe.face, recipe.size, recipe.thickness, recipe.type,
                                 recipe.charset_index, recipe.edge_size, recipe.italic, -1, -1)
            : CreateFontToHandle("", 16, 6, -1, -1, -1, 0, -1, -1);
    DecreaseLogIndent();
    WriteLog(kFontResetDoneText);
    return 0;
}

// Empties the table, puts the standard font's settings to their defaults and makes it.
int StartFontSystem() {
    font_table = FontTable{};
    standard_font_settings = StandardFontSettings{};
    standard_font_settings.handle = 0;
    ResetFontSystem();
    return 0;
}

int EndFontSystem() {
    ResetFontSystem();
    FreeFontHandle(standard_font_settings.handle);
    return 0;
}

int RecreateAllFonts() {
    for (int slot = 0; slot < kFontSlotCount; ++slot) {
        const FontRecord* record = font_table.slots[slot];
        if (record == nullptr) {
            continue;
        }
        const FontRecipe recipe = RecipeOf(*record);
        FreeFontHandle(FontHandleInSlot(slot));
        const int handle = CreateFontToHandle(recipe.face, recipe.size, recipe.thickness,
                                              recipe.type, recipe.charset_index, recipe.edge_size,
                                              recipe.italic, slot, recipe.check_number);
        if (TestFontHandle(handle) != 0) {
            SetFontCharacterGap(recipe.character_gap, handle);
        }
    }
    return 0;
}

}  // namespace layer
