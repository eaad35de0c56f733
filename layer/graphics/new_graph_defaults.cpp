// The defaults that shape new graphs.
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graphics_services.h"

namespace layer {

int SetNewGraphColourDepth(int bits) {
    draw_settings.new_graph.colour_depth = bits;
    return 0;
}

int GetNewGraphColourDepth() {
    return draw_settings.new_graph.colour_depth;
}

int SetNewGraphDrawValidOption(int flag) {
    draw_settings.new_graph.draw_valid = flag;
    return 0;
}

int SetNewGraphAlphaTestFlag(int flag) {
    draw_settings.new_graph.alpha_test = flag;
    return 0;
}

int GetNewGraphAlphaTestFlag() {
    return draw_settings.new_graph.alpha_test;
}

int SetNewGraphAlphaChannel(int flag) {
    draw_settings.new_graph.alpha_channel = flag;
    return 0;
}

int GetNewGraphAlphaChannel() {
    return draw_settings.new_graph.alpha_channel;
}

// Without display surfaces every graph lives in system memory.
int SetNewGraphSystemMemory(int flag) {
    draw_settings.new_graph.system_memory = IsDirectDrawMode() != 0 ? flag : 1;
    return 0;
}

int GetNewGraphSystemMemory() {
    return draw_settings.new_graph.system_memory;
}

int SetGraphsInVideoMemory(int flag) {
    draw_settings.new_graph.system_memory = flag == 1 && IsDirectDrawMode() != 0 ? 0 : 1;
    return 0;
}

int SetNewGraphUnmanaged(int flag) {
    draw_settings.new_graph.unmanaged = flag;
    return 0;
}

int GetNewGraphUnmanaged() {
    return draw_settings.new_graph.unmanaged;
}

int GetNewGraphModeWord() {
    return draw_settings.new_graph.mode_word;
}

int SetNewGraphModeWord(int mode) {
    draw_settings.new_graph.mode_word = mode;
    return 0;
}

int SetTransparentColour(int red, int green, int blue) {
    if (direct_draw.screen_bits == 8) {
        return 0;
    }
    draw_settings.transparent_colour = static_cast<std::uint32_t>(red & 0xFF) << 16 |
                                       static_cast<std::uint32_t>(green & 0xFF) << 8 |
                                       static_cast<std::uint32_t>(blue & 0xFF);
    return 0;
}

}  // namespace layer
