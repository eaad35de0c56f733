// The mask screen and the mask handles: creation and release of the mask and its work image,
// the switch of mask drawing, and the merge that lets a masked draw reach only the allowed
// pixels of its target.
#include "layer/graphics/mask_screen.h"

#include <algorithm>
#include <cstring>

#include "layer/core/fatal_stop.h"
#include "layer/core/handle_table.h"
#include "layer/core/layer_log.h"
#include "layer/core/main_window.h"
#include "layer/core/message_pump.h"
#include "layer/core/tracked_memory.h"
#include "layer/core/window_routines.h"
#include "layer/graphics/device_state.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/draw_work_2d.h"
#include "layer/graphics/main_screens.h"
#include "layer/graphics/mask_screen_texts.h"
#include "layer/media/pixel_conversion.h"
#include "layer/softrender/memimg_convert.h"

namespace layer {

MaskScreen mask_screen;

namespace {

struct MaskRecord {
    int CheckNo = 0;
    std::uint8_t* Bits = nullptr;
    int InUse = 0;
};

HandleTable<MaskRecord, kMaskHandleKind> masks;

bool SoftwareWork() {
    return IsSoftwareScreenDrawing() != 0;
}

bool WorkImageExists() {
    return SoftwareWork() ? TestMemImgValid(&mask_screen.MaskImage) != 0
                          : mask_screen.MaskSurface != nullptr;
}

// The rectangle clipped to the draw area, false when nothing is left.
bool ClippedRect(int x1, int y1, int x2, int y2, Rect* rect) {
    *rect = {x1, y1, x2, y2};
    ClipRect(rect, draw_settings.draw_area);
    return rect->right > rect->left && rect->bottom > rect->top;
}

// The client area's corner, by which front-screen rectangles lie on the desktop.
void FrontCorner(int* x, int* y) {
    *x = 0;
    *y = 0;
    if (draw_settings.draw_target == kDrawTargetFront) {
        Rect client;
        GetClientAreaRect(&client);
        *x = client.left;
        *y = client.top;
    }
}

platform::DisplayRect Moved(const Rect& rect, int x, int y) {
    return {rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}

// A software target image as a picture to convert into.
GraphImage PictureOf(MEMIMG* image) {
    GraphImage picture;
    picture.format = *image->Body->Format;
    picture.width = image->Width;
    picture.height = image->Height;
    picture.pitch = image->Body->Pitch;
    picture.pixels = image->Pixels;
    return picture;
}

// Sets every blocked pixel of the rectangle in the work pixels to the key.
void KeyBlockedPixels(std::uint8_t* pixels, int pitch, int bytes, const Rect& rect) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        const std::uint8_t* mask = mask_screen.MaskBits + y * mask_screen.MaskPitch;
        std::uint8_t* row = pixels + y * pitch;
        for (int x = rect.left; x < rect.right; ++x) {
            const bool blocked = (mask[x] != 0) != (mask_screen.MaskReverse != 0);
            if (blocked) {
                std::memcpy(row + x * bytes, &mask_screen.MaskKey, static_cast<std::size_t>(bytes));
            }
        }
    }
}

// The screen offset of the draw target with or without a mask.
void ApplyScreenOffset() {
    int width = 0;
    int height = 0;
    GetGraphDimensions(draw_settings.draw_target, &width, &height);
    Rect offset{0, 0, width, height};
    if (mask_screen.MaskActive == 0 && draw_settings.draw_target == kDrawTargetFront &&
        IsWindowedMode() != 0 && IsSoftwareScreenDrawing() == 0) {
        GetClientAreaRect(&offset);
    }
    SetScreenOffsetRect(offset);
}

}  // namespace

int IsMaskDrawingOn() {
    return mask_screen.MaskUse;
}

int IsMaskActive() {
    return mask_screen.MaskActive;
}

int ResetMaskState() {
    mask_screen.MaskUse = 1;
    mask_screen.MaskActive = 0;
    return 0;
}

int SetMaskDrawing(int flag) {
    if (mask_screen.MaskBits == nullptr) {
        return -1;
    }
    mask_screen.MaskUse = flag;
    mask_screen.MaskActive = flag != 0 && mask_screen.MaskExists != 0 ? 1 : 0;
    ApplyScreenOffset();
    if (HasDirect3DObject() == 0) {
        return 0;
    }
    FlushVertexBatch();
    SetDeviceRenderTarget(flag != 0 ? mask_screen.MaskSurface : GetCurrentDrawSurface(),
                          direct3d.CurrentDevice);
    const Rect& area = draw_settings.draw_area;
    if (flag != 0 && IsDrawingOnWindowPrimary() != 0) {
        direct3d.TargetUnusable = 0;
        const platform::Viewport3D viewport{
            area.left, area.top, area.right - area.left, area.bottom - area.top, 0.0f, 1.0f};
        if (SetDeviceViewport(viewport, direct3d.CurrentDevice) < 0) {
            return WriteLog(kViewportSetFailedText);
        }
        return 0;
    }
    SetViewportFromRect(area);
    return 0;
}

int CreateMaskScreen(int exists) {
    if (exists == 0) {
        return 0;
    }
    mask_screen.MaskExists = 1;
    int width = 0;
    int height = 0;
    GetScreenResolution(&width, &height);
    mask_screen.MaskPitch = (width + 3) / 4 * 4;
    if (mask_screen.MaskBits == nullptr) {
        const std::size_t size = static_cast<std::size_t>(mask_screen.MaskPitch) * height;
        mask_screen.MaskBits =
            static_cast<std::uint8_t*>(AllocTrackedZeroed(size, __FILE__, __LINE__));
    }
    if (SoftwareWork()) {
        if (TestMemImgValid(&mask_screen.MaskImage) == 0 &&
            SetupScreenMemImg(&mask_screen.MaskImage, width, height, -1, GetScreenColourBits()) <
                0) {
            AbortWithError(kMaskImageFailedText);
        }
        return 0;
    }
    if (mask_screen.MaskSurface != nullptr || direct_draw.object == nullptr) {
        return 0;
    }
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    description.caps = platform::kCapsOffscreenPlain |
                       (IsSoftwareDrawMode() != 0 ? std::uint32_t{platform::kCapsSystemMemory}
                                                  : std::uint32_t{platform::kCaps3DDevice});
    description.width = width;
    description.height = height;
    if (platform::CreateSurface(direct_draw.object->display, description,
                                &mask_screen.MaskSurface) != platform::kDisplayOk) {
        AbortWithError(kMaskSurfaceFailedText);
    }
    const platform::ColourKey key{mask_screen.MaskKey, mask_screen.MaskKey};
    platform::SetSurfaceColourKey(mask_screen.MaskSurface, platform::kColourKeySourceBlt, &key);
    mask_screen.MaskSurfaceInVideo =
        (platform::GetSurfaceCaps(mask_screen.MaskSurface) & platform::kCapsVideoMemory) != 0 ? 1
                                                                                              : 0;
    return 0;
}

int ReleaseMaskScreen() {
    FreeTracked(mask_screen.MaskBits);
    mask_screen.MaskBits = nullptr;
    ReleaseMemImg(&mask_screen.MaskImage);
    mask_screen.MaskImage = MEMIMG{};
    platform::ReleaseSurface(mask_screen.MaskSurface);
    mask_screen.MaskSurface = nullptr;
    return 0;
}

int RestoreMaskScreen() {
    CreateMaskScreen(mask_screen.MaskExists);
    if (mask_screen.MaskUse != 0) {
        SetMaskDrawing(1);
    }
    return 0;
}

int EndMaskScreen() {
    WaitWhileInactive();
    if (mask_screen.MaskUse != 0) {
        SetMaskDrawing(0);
    }
    ReleaseMaskScreen();
    mask_screen.MaskExists = 0;
    mask_screen.MaskActive = 0;
    return 0;
}

platform::DisplaySurface* GetMaskSurface() {
    return mask_screen.MaskSurface;
}

MEMIMG* GetMaskMemImg() {
    return &mask_screen.MaskImage;
}

int BeginMaskedRect(int x1, int y1, int x2, int y2) {
    Rect rect;
    if (!WorkImageExists()) {
        return 0;
    }
    EndScene3D();
    if (!ClippedRect(x1, y1, x2, y2, &rect)) {
        return 0;
    }
    if (SoftwareWork()) {
        if (direct_draw.draw_image != nullptr) {
            CopyMemImgRect(&mask_screen.MaskImage, direct_draw.draw_image, &rect, rect.left,
                           rect.top);
        }
        return 0;
    }
    if (direct_draw.draw_surface != nullptr) {
        int x = 0;
        int y = 0;
        FrontCorner(&x, &y);
        const platform::DisplayRect from = Moved(rect, x, y);
        platform::BltFastSurface(mask_screen.MaskSurface, rect.left, rect.top,
                                 direct_draw.draw_surface, &from, platform::kBltFastWait);
        return 0;
    }
    if (direct_draw.draw_image == nullptr) {
        return 0;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(mask_screen.MaskSurface, nullptr, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        return 0;
    }
    const MEMIMG& source = *direct_draw.draw_image;
    ConvertPixelRect(locked.pixels, locked.pitch, GetScreenPixelFormat(), source.Pixels,
                     source.Body->Pitch, source.Body->Format, nullptr, 0, nullptr, rect.left,
                     rect.top, rect.left, rect.top, rect.right, rect.bottom, 0, 0, 0, 0, 0, 0, 0,
                     0);
    platform::UnlockSurface(mask_screen.MaskSurface);
    return 0;
}

int EndMaskedRect(int x1, int y1, int x2, int y2) {
    Rect rect;
    if (mask_screen.MaskActive == 0 || !WorkImageExists() || !ClippedRect(x1, y1, x2, y2, &rect)) {
        return 0;
    }
    if (SoftwareWork()) {
        MEMIMG& work = mask_screen.MaskImage;
        KeyBlockedPixels(work.Pixels, work.Body->Pitch, work.Body->Format->bytes_per_pixel, rect);
        if (direct_draw.draw_image != nullptr) {
            GraphImage target = PictureOf(direct_draw.draw_image);
            StoreMemImgInGraphImage(&target, &work, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, rect.left, rect.top,
                                    mask_screen.MaskKey, 1);
            target.pixels = nullptr;
        }
        return 0;
    }
    platform::SurfaceDescription locked;
    if (platform::LockSurface(mask_screen.MaskSurface, nullptr, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        return 0;
    }
    KeyBlockedPixels(locked.pixels, locked.pitch, static_cast<int>(locked.format.rgb_bit_count / 8),
                     rect);
    platform::UnlockSurface(mask_screen.MaskSurface);
    if (direct_draw.draw_surface != nullptr) {
        int x = 0;
        int y = 0;
        FrontCorner(&x, &y);
        const platform::DisplayRect from{rect.left, rect.top, rect.right, rect.bottom};
        platform::BltFastSurface(direct_draw.draw_surface, rect.left + x, rect.top + y,
                                 mask_screen.MaskSurface, &from,
                                 platform::kBltFastSourceColourKey | platform::kBltFastWait);
        return 0;
    }
    if (direct_draw.draw_image == nullptr) {
        return 0;
    }
    platform::DisplaySurface* source = mask_screen.MaskSurface;
    Rect read = rect;
    if (mask_screen.MaskSurfaceInVideo != 0 && GetWorkSurface() != nullptr) {
        CopySurfaceRect(GetWorkSurface(), source, 0, 0, rect, -1);
        source = GetWorkSurface();
        read = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    }
    if (platform::LockSurface(source, nullptr, &locked, platform::kLockWait) !=
        platform::kDisplayOk) {
        return 0;
    }
    MEMIMG& target = *direct_draw.draw_image;
    ConvertPixelRect(target.Pixels, target.Body->Pitch, target.Body->Format, locked.pixels,
                     locked.pitch, GetScreenPixelFormat(), nullptr, 0, nullptr, rect.left, rect.top,
                     read.left, read.top, read.right, read.bottom, 0, 0, mask_screen.MaskKey, 0, 0,
                     0, 1, 0);
    platform::UnlockSurface(source);
    return 0;
}

int DeleteMask(int handle) {
    MaskRecord* record = masks.Find(handle);
    if (record == nullptr || record->InUse == 0) {
        return -1;
    }
    FreeTracked(record->Bits);
    return masks.Remove(handle);
}

int DeleteAllMasks() {
    masks.DeleteAll([](int handle) { DeleteMask(handle); });
    return 0;
}

}  // namespace layer
