#pragma once

// Draw-settings operations besides those of graphics_services.h. Setters return 0.

#include <cstdint>

#include "layer/softrender/matrix.h"

namespace layer {

// Restores every default but the restore handler, the vsync switch, the present option and
// the outline switch; selects the front screen and makes the default light.
int ResetDrawSettings();

int SetBrightColour(std::uint32_t colour);
int ResetPresentCount();
int CountPresent();
std::uint64_t GetPresentCount();

int SetWorldMatrix(const Matrix44& matrix);
int SetViewMatrix(const Matrix44& matrix);
int SetProjectionMatrix(const Matrix44& matrix);
int SetTargetProjectionMatrix(const Matrix44& matrix);
// The device's projection: projection x target projection x the inverse area screen matrix.
int HandProjectionToDevice();

// Whether the display start makes a 3D device; forced to 1 without display surfaces.
int SetNoDirect3D(int flag);

int SetNewGraphColourDepth(int bits);
int GetNewGraphColourDepth();
int SetNewGraphAlphaTestFlag(int flag);
int GetNewGraphAlphaTestFlag();
int SetNewGraphAlphaChannel(int flag);
int GetNewGraphAlphaChannel();
int SetNewGraphSystemMemory(int flag);
int GetNewGraphSystemMemory();
int SetNewGraphUnmanaged(int flag);
int GetNewGraphUnmanaged();

}  // namespace layer
