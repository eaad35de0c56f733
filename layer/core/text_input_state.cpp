// The key-input strings' table and state over the layer's run.
#include <array>

#include "layer/core/ime.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/text_input.h"
#include "layer/core/text_input_records.h"
#include "layer/core/text_input_texts.h"
#include "layer/graphics/graphics_services.h"

namespace layer {
namespace {

struct Rgb {
    int red;
    int green;
    int blue;
};

// Slots 1 to 15; slot 11 follows slot 3.
constexpr std::array<Rgb, kTextInputColourSlots> kDefaultColours{{
    {255, 255, 255},
    {255, 255, 255},
    {255, 255, 0},
    {0, 255, 255},
    {255, 255, 255},
    {255, 0, 0},
    {255, 255, 20},
    {0, 0, 0},
    {0, 0, 0},
    {0, 0, 0},
    {255, 255, 0},
    {0, 0, 0},
    {255, 255, 255},
    {0, 0, 0},
    {128, 128, 128},
}};

}  // namespace

HandleTable<TextInputRecord, kTextInputHandleKind> text_input_table;
TextInputState text_input_state;

int TextInputColour(int slot) {
    return static_cast<int>(text_input_state.colours[slot - 1]);
}

std::uint64_t DefaultTextInputColour(int slot) {
    const Rgb& rgb = kDefaultColours[static_cast<std::size_t>(slot - 1)];
    return static_cast<std::uint32_t>(RgbToPixel(rgb.red, rgb.green, rgb.blue));
}

int InitTextInput() {
    WriteLog(kTextInputInitText);
    EndTextInput();
    text_input_state = {};
    for (int slot = 1; slot <= kTextInputColourSlots; ++slot) {
        text_input_state.colours[slot - 1] = DefaultTextInputColour(slot);
    }
    WriteLog(kTextInputInitDoneText);
    return 0;
}

int EndTextInput() {
    text_input_table.DeleteAll(DeleteTextInput);
    text_input_state.active = -1;
    return 0;
}

}  // namespace layer
