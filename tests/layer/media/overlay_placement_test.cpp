// Where an overlay movie's frame shows: clipping by the window and the client area, the source
// cut to the part that shows, and the display's alignments.
#include <gtest/gtest.h>

#include "layer/media/overlay_placement.h"

namespace {

using layer::OverlayView;
using layer::Rect;
using layer::WindowClip;

OverlayView Window() {
    OverlayView view;
    view.clip_box = {0, 0, 640, 480};
    view.client = {100, 200, 740, 680};
    return view;
}

OverlayView With(WindowClip clip, bool window_mode) {
    OverlayView view = Window();
    view.clip = clip;
    view.window_mode = window_mode;
    return view;
}

OverlayView ClippedTo(const Rect& box) {
    OverlayView view = Window();
    view.clip_box = box;
    return view;
}

OverlayView Aligned() {
    OverlayView view = Window();
    view.source_boundary = 4;
    view.source_size = 8;
    view.destination_boundary = 4;
    view.destination_size = 8;
    return view;
}

TEST(OverlayPlacement, ShowsThePartOfTheFrameThatLiesInTheWindow) {
    struct Case {
        const char* what;
        int x;
        int y;
        int scale;
        OverlayView view;
        bool visible;
        Rect source;
        Rect destination;
    };
    // A 100 x 50 frame.
    const Case cases[] = {
        {"inside", 10, 20, 1, Window(), true, {0, 0, 100, 50}, {110, 220, 210, 270}},
        {"doubled", 0, 0, 2, Window(), true, {0, 0, 100, 50}, {100, 200, 300, 300}},
        {"left edge out", -30, 0, 2, Window(), true, {15, 0, 100, 50}, {100, 200, 270, 300}},
        {"bottom right out", 600, 450, 1, Window(), true, {0, 0, 40, 30}, {700, 650, 740, 680}},
        {"clip box",
         10,
         20,
         1,
         ClippedTo({0, 0, 50, 480}),
         true,
         {0, 0, 40, 50},
         {110, 220, 150, 270}},
        {"aligned", -30, 0, 2, Aligned(), true, {12, 0, 100, 50}, {100, 200, 268, 300}},
        {"full screen ignores the clip region",
         10,
         20,
         1,
         With(WindowClip::kComplex, false),
         true,
         {0, 0, 100, 50},
         {110, 220, 210, 270}},
        {"wholly outside", 640, 0, 1, Window(), false, {}, {}},
        {"covered window", 10, 20, 1, With(WindowClip::kComplex, true), false, {}, {}},
        {"empty clip region", 10, 20, 1, With(WindowClip::kEmpty, true), false, {}, {}},
        {"scale 0", 10, 20, 0, Window(), false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const layer::OverlayShape shape = layer::PlaceOverlay(c.x, c.y, c.scale, 100, 50, c.view);
        EXPECT_EQ(shape.visible, c.visible);
        if (c.visible) {
            EXPECT_EQ(shape.source, c.source);
            EXPECT_EQ(shape.destination, c.destination);
        }
    }
}

}  // namespace
