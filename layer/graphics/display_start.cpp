// The display side's start and end: the display object, the window's clipper and the overlay
// probe, and the object's release and re-creation after a loss.
#include "layer/core/core_settings.h"
#include "layer/core/fatal_stop.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "layer/core/system_info.h"
#include "layer/core/window_routines.h"
#include "layer/core/window_state.h"
#include "layer/graphics/display_side.h"
#include "layer/graphics/display_texts.h"
#include "layer/graphics/draw_setters.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/surface_2d.h"
#include "layer/softrender/blend_tables.h"
#include "platform/input_events.h"

namespace layer {
namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kDefaultBits = 16;
// What the display reports without the details being read.
constexpr std::uint64_t kAssumedVideoMemory = 0x1000000;
constexpr std::uint32_t kOverlayStretchLimitMinimum = 1000;
constexpr std::uint32_t kOverlayStretchLimitMaximum = 2000;
constexpr int kOverlayProbeSide = 16;

struct OverlayFormatRow {
    const char* log_name;
    DdPixelFormat format;
};

constexpr std::uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 |
           static_cast<std::uint32_t>(c) << 16 | static_cast<std::uint32_t>(d) << 24;
}

const OverlayFormatRow kOverlayFormatTable[] = {
    {" UYVY", {32, platform::kPixelFormatFourCc, FourCc('U', 'Y', 'V', 'Y'), 0, 0, 0, 0, 0}},
    {" YUY2", {32, platform::kPixelFormatFourCc, FourCc('Y', 'U', 'Y', '2'), 0, 0, 0, 0, 0}},
    {" 16-bit RGB 5:5:5 ", {32, kDdPixelFormatRgb, 0, 16, 0x7C00, 0x03E0, 0x001F, 0}},
    {" 16-bit RGB 5:6:5 ", {32, kDdPixelFormatRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0}},
};

// The display stand-in reads the client area from the window code's own record of it.
platform::DisplayRect WindowClientArea() {
    const Rect& rect = window_state.client_rect;
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::uint32_t CooperativeExtras() {
    return (core_settings.fpu_preserve != 0 ? platform::kCoopFpuPreserve : 0u) |
           (direct_draw.flags.multithreaded != 0 ? platform::kCoopMultithreaded : 0u);
}

int OrDefault(int value, int fallback) {
    return value == 0 ? fallback : value;
}

// The first overlay format the display makes in video memory, or none.
void ProbeOverlay() {
    direct_draw.overlay_format_index = -1;
    platform::GetDisplayCaps(direct_draw.object->display, &direct_draw.caps);
    if (direct_draw.caps.min_overlay_stretch < kOverlayStretchLimitMinimum ||
        direct_draw.caps.max_overlay_stretch < kOverlayStretchLimitMaximum) {
        for (int index = 0; index < 4; ++index) {
            platform::SurfaceDescription description;
            description.fields = platform::kDescCaps | platform::kDescWidth |
                                 platform::kDescHeight | platform::kDescPixelFormat;
            description.caps = platform::kCapsOverlay | platform::kCapsVideoMemory;
            description.width = kOverlayProbeSide;
            description.height = kOverlayProbeSide;
            description.format = kOverlayFormatTable[index].format;
            platform::DisplaySurface* surface = nullptr;
            if (platform::CreateSurface(direct_draw.object->display, description, &surface) !=
                platform::kDisplayOk) {
                continue;
            }
            const bool in_system_memory =
                (platform::GetSurfaceCaps(surface) & platform::kCapsSystemMemory) != 0;
            platform::ReleaseSurface(surface);
            if (!in_system_memory) {
                direct_draw.overlay_format_index = index;
                direct_draw.overlay_format = kOverlayFormatTable[index].format;
                WriteLogFormat(kOverlayUsedFormat, kOverlayFormatTable[index].log_name);
                return;
            }
        }
    }
    WriteLog(kOverlayNotUsedText);
}

// The card's details are read only while a Shift key is held; otherwise the report keeps the
// assumed values.
void ReportVideoCard(platform::DisplayObject* display) {
    system_info.video_driver_name.clear();
    system_info.video_driver_description.clear();
    system_info.free_video_memory = 0;
    system_info.total_video_memory = kAssumedVideoMemory;
    if (!platform::IsShiftHeld()) {
        return;
    }
    platform::DisplayIdentifier identifier;
    if (platform::GetDeviceIdentifier(display, &identifier) == platform::kDisplayOk) {
        WriteLogFormat(kVideoDriverFormat, identifier.driver, identifier.version_high >> 16,
                       identifier.version_high & 0xFFFF, identifier.version_low >> 16,
                       identifier.version_low & 0xFFFF);
        WriteLogFormat(kDriverDescriptionFormat, identifier.description);
        system_info.video_driver_name = identifier.driver;
        system_info.video_driver_description = identifier.description;
    }
    std::uint32_t total = 0;
    std::uint32_t free = 0;
    if (platform::GetAvailableVideoMemory(display, &total, &free) == platform::kDisplayOk) {
        constexpr double kBytesPerMegabyte = 1048576.0;
        WriteLogFormat(kVideoMemoryFormat, total / kBytesPerMegabyte, free / kBytesPerMegabyte);
        system_info.total_video_memory = total;
        system_info.free_video_memory = free;
    }
}

}  // namespace

int CreateDirectDrawObject(DirectDrawObject** out) {
    WriteLog(kObjectFetchText);
    platform::DisplayObject* display = nullptr;
    if (platform::CreateDisplayObject(&display) != platform::kDisplayOk) {
        return WriteLog(kObjectFetchFailedText);
    }
    WriteLog(kSuccessText);
    WriteLog(kContinuingText);
    WriteLog(kObjectInitialisedText);
    WriteLog(kVideoCardText);
    IncreaseLogIndent();
    ReportVideoCard(display);
    DecreaseLogIndent();
    platform::SetCooperativeLevel(display, graphics_core.window,
                                  platform::kCoopNormal | CooperativeExtras());
    direct_draw.object_storage.display = display;
    *out = &direct_draw.object_storage;
    return 0;
}

int CreateMainClipper() {
    platform::DisplayClipper* clipper = nullptr;
    if (platform::CreateClipper(direct_draw.object->display, &clipper) != platform::kDisplayOk ||
        platform::SetClipperWindow(clipper, graphics_core.window) != platform::kDisplayOk) {
        WriteLog(kClipperFailedText);
        AbortWithError(kClipperFatalText);
    }
    direct_draw.clipper = clipper;
    return 0;
}

int ReleaseMainClipper() {
    if (direct_draw.clipper != nullptr) {
        platform::ReleaseClipper(direct_draw.clipper);
        direct_draw.clipper = nullptr;
    }
    return 0;
}

int StartDirectDraw() {
    if (direct_draw.object != nullptr) {
        return -1;
    }
    WriteLog(kDirectDrawStartText);
    IncreaseLogIndent();
    platform::SetClientAreaReader(WindowClientArea);
    if (direct_draw.flags.direct_draw_less != 0) {
        SetTextureDrawing(0);
        SetGraphsInVideoMemory(0);
        SetSoftwareRendering(0);
    }
    if (CreateDirectDrawObject(&direct_draw.object) < 0) {
        AbortWithError(kDirectDrawObjectFailedText);
    }
    if (IsDirectDrawMode() != 0) {
        platform::DisplayClipper* clipper = nullptr;
        if (platform::CreateClipper(direct_draw.object->display, &clipper) !=
                platform::kDisplayOk ||
            platform::SetClipperWindow(clipper, graphics_core.window) != platform::kDisplayOk) {
            WriteLog(kClipperFailedText);
            AbortWithError(kClipperStartFailedText);
        }
        direct_draw.clipper = clipper;
    }
    direct_draw.screen_width = OrDefault(direct_draw.screen_width, kDefaultWidth);
    direct_draw.screen_height = OrDefault(direct_draw.screen_height, kDefaultHeight);
    direct_draw.screen_bits = OrDefault(direct_draw.screen_bits, kDefaultBits);
    direct_draw.requested_bits = direct_draw.screen_bits;
    if (ApplyScreenMode(-1, -1, -1, 1, -1) < 0) {
        DecreaseLogIndent();
        EndDirectDraw();
        return -1;
    }
    if (HasWindowRegion() == 0) {
        SelectDrawTarget(kDrawTargetBack);
        EraseDrawTarget();
        SelectDrawTarget(kDrawTargetFront);
    }
    direct_draw.flags.started_once = 1;
    ProbeOverlay();
    DecreaseLogIndent();
    WriteLog(kDirectDrawStartedText);
    BuildBlendTables();
    direct_draw.flags.started = 1;
    return 0;
}

int EndDirectDraw() {
    const bool with_surfaces = IsDirectDrawMode() != 0;
    if (direct_draw.object == nullptr) {
        return 0;
    }
    WriteLog(kDirectDrawEndText);
    IncreaseLogIndent();
    if (with_surfaces) {
        ReleaseScreenPalette();
    }
    EndGraphicsManagement();
    DeleteAllSurfaces2D();
    if (with_surfaces) {
        EndDirect3D();
    }
    ReleaseMainSurfaces();
    if (with_surfaces) {
        ReleaseMainClipper();
    }
    // The display goes back to the desktop while the object can still do it.
    RestoreDisplaySettings();
    WriteLog(kReleasingObjectText);
    platform::ReleaseDisplayObject(direct_draw.object->display);
    direct_draw.object->display = nullptr;
    direct_draw.object = nullptr;
    WriteLog(kObjectReleasedText);
    DecreaseLogIndent();
    WriteLog(kDirectDrawEndedText);
    direct_draw.flags.started = 0;
    return 0;
}

int ReleaseDirectDrawObject() {
    WriteLog(kReleasingObjectText);
    if (direct_draw.object == nullptr) {
        WriteLog(kAlreadyReleasedText);
        return 0;
    }
    ReleaseSurfaceDataOfSurfaces2D();
    RestoreDisplaySettingsOnLoss();
    ReleaseScreenPalette();
    ReleaseMainClipper();
    platform::ReleaseDisplayObject(direct_draw.object->display);
    direct_draw.object->display = nullptr;
    direct_draw.object = nullptr;
    WriteLog(kObjectReleasedText);
    return 0;
}

int RecreateDirectDrawObject() {
    if (direct_draw.object != nullptr) {
        return 0;
    }
    if (CreateDirectDrawObject(&direct_draw.object) < 0) {
        AbortWithError(kObjectRecreateFailedText);
    }
    ReapplyDisplaySettings();
    RecreateSurfaceDataOfSurfaces2D();
    return IsDirectDrawMode() != 0 ? CreateMainClipper() : 0;
}

}  // namespace layer
