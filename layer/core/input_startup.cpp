// Start and end of the input: the keyboard and mouse followed through SDL, the joypads
// attached at start recorded (up to 16), and the keyboard's place on pad 1.
#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/input_texts.h"
#include "layer/core/layer_api.h"
#include "layer/core/layer_log.h"
#include "platform/input_events.h"

namespace layer {
namespace {

// Row 0 of the key-to-pad table, slot by slot: down, left, right, up (numeric pad and
// arrow), then Z, X, C, A, S, D, Q, W, Esc, Space.
constexpr int kKeyboardPadRow[][2] = {
    {0x50, 0xD0}, {0x4B, 0xCB}, {0x4D, 0xCD}, {0x48, 0xC8}, {0x2C, -1}, {0x2D, -1}, {0x2E, -1},
    {0x1E, -1},   {0x1F, -1},   {0x20, -1},   {0x10, -1},   {0x11, -1}, {0x01, -1}, {0x39, -1},
};

constexpr platform::JoypadAxisSetting kPadAxes{1000, 2500};

void FillKeyToPadTable() {
    for (auto& row : input_devices.key_to_pad) {
        for (auto& slot : row) {
            slot.fill(-1);
        }
    }
    int slot = 0;
    for (const auto& codes : kKeyboardPadRow) {
        input_devices.key_to_pad[0][slot][0] = codes[0];
        input_devices.key_to_pad[0][slot][1] = codes[1];
        ++slot;
    }
}

void AddPadDevice(int index) {
    WriteLog(kPadFoundText);
    platform::Joypad* device = platform::OpenJoypad(index, kPadAxes);
    if (device == nullptr) {
        WriteLog(kPadOpenFailedText);
        return;
    }
    PadRecord& pad = input_devices.pads[input_devices.pad_count];
    pad = {};
    pad.device = device;
    pad.has_effects = platform::JoypadCanRumble(device) ? 1 : 0;
    pad.instance_name = platform::JoypadPath(device);
    pad.product_name = platform::JoypadName(device);
    IncreaseLogIndent();
    WriteLogFormat(kPadInstanceNameFormat, pad.instance_name.c_str());
    WriteLogFormat(kPadProductNameFormat, pad.product_name.c_str());
    DecreaseLogIndent();
    ++input_devices.pad_count;
    WriteLog(kPadAddedText);
}

void ReleasePads() {
    for (int index = 0; index < input_devices.pad_count; ++index) {
        platform::CloseJoypad(input_devices.pads[index].device);
        input_devices.pads[index] = {};
    }
    input_devices.pad_count = 0;
}

void SetUpPads() {
    ReleasePads();
    WriteLog(kPadSearchText);
    const int attached = platform::CountJoypads();
    for (int index = 0; index < attached && input_devices.pad_count < kMaxPads; ++index) {
        AddPadDevice(index);
    }
    WriteLog(kPadSearchDoneText);
}

}  // namespace

int StartInputSystem() {
    if (input_devices.started != 0) {
        return 0;
    }
    input_devices = {};
    WriteLog(kInputStartText);
    IncreaseLogIndent();
    platform::StartInputEvents();
    input_devices.joypads_started = platform::StartJoypads() ? 1 : 0;
    if (input_devices.joypads_started != 0) {
        SetUpPads();
    } else {
        WriteLog(kPadsUnavailableText);
    }
    WriteLogFormat(kPadCountFormat, input_devices.pad_count);
    DecreaseLogIndent();
    WriteLog(kInputStartedText);
    FillKeyToPadTable();
    input_devices.started = 1;
    return 0;
}

int EndInputSystem() {
    if (input_devices.started == 0) {
        return 0;
    }
    WriteLog(kInputEndText);
    ReleasePads();
    if (input_devices.joypads_started != 0) {
        platform::EndJoypads();
    }
    platform::EndInputEvents();
    input_devices.started = 0;
    return 0;
}

}  // namespace layer
