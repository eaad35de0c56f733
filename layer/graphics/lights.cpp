#include "layer/graphics/lights.h"

#include <cmath>

namespace layer {
namespace {

constexpr int kDirectionalLight = 3;

HandleTable<LightRecord, kLightHandleKind> lights;
int lights_changed = 0;

LightDescription DefaultLight() {
    LightDescription light;
    light.type = kDirectionalLight;
    light.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    light.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    light.ambient = {0.33f, 0.33f, 0.33f, 0.33f};
    light.direction[2] = 1.0f;
    light.range = 2000.0f;
    light.falloff = 1.0f;
    light.attenuation[0] = 0.1f;
    light.theta = 2.0f;
    light.phi = 2.0f;
    return light;
}

}  // namespace

int AddLight() {
    LightRecord* record = nullptr;
    const int handle = lights.Add(&record);
    if (handle < 0) {
        return -1;
    }
    record->Handle = handle;
    record->light = DefaultLight();
    record->Enabled = 1;
    record->Changed = 1;
    lights_changed = 1;
    return handle;
}

int AddDirectionalLight(float x, float y, float z) {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0f)) {
        return -1;
    }
    const int handle = AddLight();
    if (handle < 0) {
        return -1;
    }
    LightRecord* record = lights.Find(handle);
    record->light.direction[0] = x / length;
    record->light.direction[1] = y / length;
    record->light.direction[2] = z / length;
    return handle;
}

int DeleteLight(int light) {
    if (lights.Find(light) == nullptr) {
        return -1;
    }
    lights_changed = 1;
    return lights.Remove(light);
}

int DeleteAllLights() {
    lights.DeleteAll([](int handle) { DeleteLight(handle); });
    return 0;
}

const LightRecord* GetLightRecord(int light) {
    return lights.Find(light);
}

int AreLightsChanged() {
    return lights_changed;
}

}  // namespace layer
