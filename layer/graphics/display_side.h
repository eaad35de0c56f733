#pragma once

// The display side's own steps: its start and end, the display settings, the main surfaces
// and palette, the timing measured at each mode change and the 3D object's lifetime. The
// public parts are in graphics_services.h.

#include "layer/graphics/direct_draw_context.h"

namespace layer {

// Start and end of the display side.
int StartDirectDraw();
int EndDirectDraw();
int CreateDirectDrawObject(DirectDrawObject** out);
int CreateMainClipper();
int ReleaseMainClipper();
int RecreateDirectDrawObject();

// The display mode and cooperative level for a mode change. `out_bits` receives the screen's
// depth (the desktop's in window mode). 0, or -1 when the mode is refused.
int ApplyDisplaySettings(int desktop_width, int desktop_height, int width, int height, int bits,
                         int* out_bits, int window_flag);
int RestoreDisplaySettings();
int ReapplyDisplaySettings();
int RestoreDisplaySettingsOnLoss();

// Main surfaces and the 8-bit palette.
int CreateMainSurfaces();
int ReleaseMainSurfaces();
int CreateScreenPalette();
int ReapplyScreenPalette();
int ReleaseScreenPalette();

// Measurements of a mode change: the faster copy between surfaces, and the frame period with
// the vertical-blank sleep threshold.
int MeasureCopyMethod();
int MeasureFramePeriod();
// The first trial length that occurs again later in the list, or -1.
int FramePeriodOfTrials(const int* trials, int count);
// The sleep threshold of a frame period: two thirds of a frame less a little, -1 without one.
int SleepThresholdOfPeriod(int period);

// The 3D object: made with a mode change, given up with it.
int StartDirect3D();
int AcquireDirect3DObject();
int EndDirect3D();

}  // namespace layer
