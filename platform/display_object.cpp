// The display object: cooperative level, display modes (emulated by covering the desktop with
// the window), capabilities and identity.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/display_hooks.h"
#include "platform/display_internal.h"
#include "platform/gfx3d/device.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/message_queue.h"
#include "platform/presenter.h"

namespace platform {
namespace {

constexpr int kRefreshRate = 60;
constexpr std::uint32_t kVideoMemoryBytes = 0x1000000;

struct DisplayState {
    // The emulated display mode; width 0 while the desktop is in force.
    DisplayMode mode;
    Window* mode_window = nullptr;
    ClientAreaReader client_area_reader = nullptr;
    std::vector<DisplayObject*> objects;
};

DisplayState state;

struct ForcedFormatRow {
    ForcedDisplayFormat forced;
    DdPixelFormat format;
};

constexpr std::uint32_t kRgb = layer::kDdPixelFormatRgb;

const ForcedFormatRow kForcedFormats[] = {
    {ForcedDisplayFormat::kR5G6B5, {32, kRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0}},
    {ForcedDisplayFormat::kX1R5G5B5, {32, kRgb, 0, 16, 0x7C00, 0x03E0, 0x001F, 0}},
    {ForcedDisplayFormat::kX8B8G8R8, {32, kRgb, 0, 32, 0x0000FF, 0x00FF00, 0xFF0000, 0}},
    {ForcedDisplayFormat::kPalette8, {32, kRgb | kPixelFormatPalette8, 0, 8, 0, 0, 0, 0}},
};

// Window mode reports the desktop, always as 32 bits.
DisplayMode DesktopDisplayMode() {
    const DesktopMode desktop = ReadDesktopMode();
    DisplayMode mode{desktop.width, desktop.height, 32, kRefreshRate, DisplayFormatForBits(32)};
    return mode;
}

void PostDisplayChange(const DisplayMode& mode) {
    Message message;
    message.kind = MessageKind::kDisplayChange;
    message.width = mode.width;
    message.height = mode.height;
    message.depth = mode.bits;
    PostWindowMessage(message);
}

int ApplyMode(Window* window, int width, int height, int bits, int refresh) {
    if (width <= 0 || height <= 0 || (bits != 8 && bits != 16 && bits != 32)) {
        return kDisplayUnsupported;
    }
    state.mode = {width, height, bits, refresh == 0 ? kRefreshRate : refresh,
                  DisplayFormatForBits(bits)};
    state.mode_window = window;
    if (window != nullptr) {
        SetFullScreen(window, true);
    }
    PostDisplayChange(ReadDisplayModeInForce());
    return kDisplayOk;
}

int RestoreMode() {
    if (state.mode.width == 0) {
        return kDisplayOk;
    }
    if (state.mode_window != nullptr) {
        SetFullScreen(state.mode_window, false);
    }
    state.mode = {};
    state.mode_window = nullptr;
    PostDisplayChange(ReadDisplayModeInForce());
    return kDisplayOk;
}

}  // namespace

DdPixelFormat DisplayFormatForBits(int bits) {
    if (bits == 8) {
        return {32, kRgb | kPixelFormatPalette8, 0, 8, 0, 0, 0, 0};
    }
    if (bits == 16) {
        return {32, kRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
    }
    return {32, kRgb, 0, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0};
}

DdPixelFormat CurrentDisplayFormat() {
    for (const ForcedFormatRow& row : kForcedFormats) {
        if (row.forced == GetForcedDisplayFormat()) {
            return row.format;
        }
    }
    return state.mode.width != 0 ? state.mode.format : DisplayFormatForBits(32);
}

int BytesPerPixelOf(const DdPixelFormat& format) {
    return static_cast<int>(std::max<std::uint32_t>(format.rgb_bit_count / 8, 1));
}

void SetClientAreaReader(ClientAreaReader reader) {
    state.client_area_reader = reader;
}

DisplayRect ReadClientArea() {
    if (state.client_area_reader != nullptr) {
        return state.client_area_reader();
    }
    if (state.mode.width != 0) {
        return {0, 0, state.mode.width, state.mode.height};
    }
    const DisplayMode desktop = DesktopDisplayMode();
    return {0, 0, desktop.width, desktop.height};
}

void ForEachDisplaySurface(void (*visit)(DisplaySurface* surface)) {
    for (DisplayObject* object : state.objects) {
        for (DisplaySurface* surface : object->surfaces) {
            visit(surface);
        }
    }
}

void LoseVideoMemorySurfaces() {
    for (DisplayObject* object : state.objects) {
        LoseVideoMemorySurfaces(object);
    }
}

int CreateDisplayObject(DisplayObject** out) {
    NoteDisplayCall("CreateDisplayObject");
    *out = new DisplayObject;
    state.objects.push_back(*out);
    return kDisplayOk;
}

void ReleaseDisplayObject(DisplayObject* object) {
    if (object == nullptr) {
        return;
    }
    NoteDisplayCall("ReleaseDisplayObject");
    while (!object->direct3d_objects.empty()) {
        ReleaseDirect3D(object->direct3d_objects.back());
    }
    while (!object->surfaces.empty()) {
        ReleaseSurface(object->surfaces.back());
    }
    while (!object->clippers.empty()) {
        ReleaseClipper(object->clippers.back());
    }
    while (!object->palettes.empty()) {
        ReleasePalette(object->palettes.back());
    }
    std::erase(state.objects, object);
    delete object;
}

int SetCooperativeLevel(DisplayObject* object, Window* window, std::uint32_t flags) {
    NoteDisplayCall("SetCooperativeLevel");
    if (TakeDisplayFailure(DisplayOperation::kCooperativeLevel)) {
        return kDisplayFailed;
    }
    object->window = window;
    object->cooperative_level = flags & ~kCoopFpuPreserve;
    return kDisplayOk;
}

std::uint32_t GetCooperativeLevel(const DisplayObject* object) {
    return object->cooperative_level;
}

int SetDisplayMode(DisplayObject* object, int width, int height, int bits, int refresh) {
    NoteDisplayCall("SetDisplayMode");
    if (TakeDisplayFailure(DisplayOperation::kSetDisplayMode) ||
        (object->cooperative_level & kCoopExclusive) == 0) {
        return kDisplayFailed;
    }
    return ApplyMode(object->window, width, height, bits, refresh);
}

int RestoreDisplayMode(DisplayObject*) {
    NoteDisplayCall("RestoreDisplayMode");
    return RestoreMode();
}

int GetDisplayMode(const DisplayObject*, DisplayMode* mode) {
    *mode = ReadDisplayModeInForce();
    return kDisplayOk;
}

int GetDisplayCaps(const DisplayObject*, DisplayCaps* caps) {
    *caps = DisplayCaps{};
    return kDisplayOk;
}

namespace {

// Copies a text into a fixed field, cut to fit with its NUL.
template <std::size_t N>
void CopyField(char (&field)[N], const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// The GL version's major and minor numbers in the high and low word.
std::uint32_t GlVersionNumber(const std::string& version) {
    unsigned major = 0;
    unsigned minor = 0;
    std::sscanf(version.c_str(), "%u.%u", &major, &minor);
    return (major & 0xFFFF) << 16 | (minor & 0xFFFF);
}

// Bytes from a GL figure in kilobytes, or the assumed amount when the driver does not tell.
std::uint32_t VideoMemoryBytes(int kilobytes) {
    constexpr int kLargestKilobytes = 0x3FFFFF;
    return kilobytes > 0 ? static_cast<std::uint32_t>(std::min(kilobytes, kLargestKilobytes)) * 1024
                         : kVideoMemoryBytes;
}

}  // namespace

// On a GL-capable window the card is the GL driver: its vendor, its renderer with the version
// and the GL version's numbers.
int GetDeviceIdentifier(const DisplayObject*, DisplayIdentifier* identifier) {
    *identifier = DisplayIdentifier{};
    const GlDescription description = DescribeGl();
    if (!description.vendor.empty()) {
        CopyField(identifier->driver, description.vendor);
        CopyField(identifier->description, description.renderer + " " + description.version);
        identifier->version_high = GlVersionNumber(description.version);
        return kDisplayOk;
    }
    std::strcpy(identifier->driver, "qvarn-display");
    std::strcpy(identifier->description, "Software display");
    identifier->version_high = 0x00010000;
    return kDisplayOk;
}

int GetAvailableVideoMemory(const DisplayObject*, std::uint32_t* total, std::uint32_t* free) {
    const GlDescription description = DescribeGl();
    if (total != nullptr) {
        *total = VideoMemoryBytes(description.total_memory_kb);
    }
    if (free != nullptr) {
        *free = VideoMemoryBytes(description.free_memory_kb);
    }
    return kDisplayOk;
}

int QueryDirect3D(DisplayObject* object, Direct3D** out) {
    NoteDisplayCall("QueryDirect3D");
    *out = nullptr;
    if (TakeDisplayFailure(DisplayOperation::kDirect3D)) {
        return kDisplayFailed;
    }
    Direct3D* direct3d = MakeDirect3D(object);
    if (direct3d == nullptr) {
        return kDisplayUnsupported;
    }
    object->direct3d_objects.push_back(direct3d);
    *out = direct3d;
    return kDisplayOk;
}

void ReleaseDirect3D(Direct3D* direct3d) {
    if (direct3d == nullptr) {
        return;
    }
    NoteDisplayCall("ReleaseDirect3D");
    for (DisplayObject* object : state.objects) {
        std::erase(object->direct3d_objects, direct3d);
    }
    delete direct3d;
}

int ChangeDisplaySettings(const DisplaySettingsRequest* request) {
    NoteDisplayCall("ChangeDisplaySettings");
    if (TakeDisplayFailure(DisplayOperation::kChangeDisplaySettings)) {
        return kDisplayFailed;
    }
    if (request == nullptr) {
        return RestoreMode();
    }
    return ApplyMode(state.mode_window, request->width, request->height, request->bits,
                     request->refresh);
}

DisplayMode ReadDisplayModeInForce() {
    DisplayMode mode = state.mode.width != 0 ? state.mode : DesktopDisplayMode();
    mode.format = CurrentDisplayFormat();
    mode.bits = static_cast<int>(mode.format.rgb_bit_count);
    return mode;
}

bool IsDisplayModeSet() {
    return state.mode.width != 0;
}

int ReadDisplayRefreshRate() {
    return kRefreshRate;
}

}  // namespace platform
