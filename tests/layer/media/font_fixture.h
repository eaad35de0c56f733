#pragma once

// Fonts over the fake glyph source, drawn through fake graphics services on a 32-bit
// (or chosen) screen, with the layer's log captured.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layer/media/font_record.h"
#include "layer/media/font_table.h"
#include "layer/media/media_services.h"
#include "layer/media/text_draw_services.h"
#include "layer/softrender/memimg.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/layer/core/log_capture.h"

namespace test {

// What the fake graphics side holds and saw.
struct FakeTextGraphics {
    int screen_bits = 32;
    int width = 640;
    int height = 480;
    int software_drawing = 1;
    bool refuse_surfaces = false;
    // Work surfaces by handle; each a screen-sized software image.
    std::vector<layer::MEMIMG> surfaces;
    layer::MEMIMG back;
    std::vector<std::string> calls;
    layer::Rect last_rect;
};

FakeTextGraphics& TextGraphics();
// The fake table: X8R8G8B8 colours at 32 bits, R5G6B5 at 16.
layer::TextDrawServices FakeTextDrawServices();

class FontTest : public LogCapture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A font made with the defaults but the given type, size and edge.
    int MakeFont(int type, int size = 16, int edge_size = -1, const char* face = nullptr);
    layer::FontRecord& Record(int handle) { return *layer::GetFontRecord(handle); }

  private:
    layer::TextDrawServices saved_services_{};
};

}  // namespace test
