// The pads' force feedback: a steady effect that runs while a pad's vibration is on, and a
// periodic one that runs with it while the power is above half. No operation of the player
// switches a vibration on, so in a game both stay stopped.
#include "layer/core/input_devices.h"
#include "layer/core/input_system.h"
#include "layer/core/layer_api.h"
#include "layer/core/time_routines.h"

namespace layer {
namespace {

constexpr int kPeriodicPowerAbove = 5000;

void RunEffects(PadRecord& pad, int steady, int periodic) {
    pad.steady_applied = steady;
    pad.periodic_applied = periodic;
    platform::RumbleJoypad(pad.device, steady != 0 ? pad.vibration_power : 0,
                           periodic != 0 ? pad.vibration_power : 0);
}

}  // namespace

int ApplyPadVibration() {
    const bool active = IsWindowActive() != 0;
    for (int index = 0; index < input_devices.pad_count; ++index) {
        PadRecord& pad = input_devices.pads[index];
        if (pad.device == nullptr || pad.has_effects == 0) {
            continue;
        }
        if (!active) {
            if (pad.steady_applied != 0 || pad.periodic_applied != 0) {
                RunEffects(pad, 0, 0);
            }
            continue;
        }
        const int steady = pad.vibration_on != 0 ? 1 : 0;
        const int periodic =
            pad.vibration_on != 0 && pad.vibration_power > kPeriodicPowerAbove ? 1 : 0;
        if (steady != pad.steady_applied || periodic != pad.periodic_applied) {
            RunEffects(pad, steady, periodic);
        }
    }
    return 0;
}

int ServicePadVibration() {
    for (int index = 0; index < input_devices.pad_count; ++index) {
        PadRecord& pad = input_devices.pads[index];
        if (pad.device == nullptr || pad.vibration_on == 0) {
            continue;
        }
        platform::KeepJoypadRumbling(pad.device);
        if (pad.vibration_duration < 0) {
            continue;
        }
        const int now = ReadMillisecondClock();
        if (now != pad.last_vibration_service) {
            // A clock that went back counts nothing.
            pad.vibration_elapsed +=
                now > pad.last_vibration_service ? now - pad.last_vibration_service : 0;
            pad.last_vibration_service = now;
        }
        if (pad.vibration_elapsed >= pad.vibration_duration) {
            StopPadVibration(index + 1);
        }
    }
    return ApplyPadVibration();
}

int StopPadVibration(int pad_number) {
    const int index = pad_number - 1;
    if (index < 0 || index >= input_devices.pad_count) {
        return 0;
    }
    PadRecord& pad = input_devices.pads[index];
    if (pad.device == nullptr || pad.has_effects == 0 || pad.vibration_on == 0) {
        return 0;
    }
    pad.vibration_on = 0;
    pad.vibration_power = kFullVibrationPower;
    return ApplyPadVibration();
}

}  // namespace layer
