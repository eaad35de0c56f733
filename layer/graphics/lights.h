#pragma once

// Light records. They are made and deleted but nothing in this system hands them to a device
// or reads them while drawing.

#include "layer/core/handle_table.h"

namespace layer {

struct LightColour {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 0.0f;
};

// The device's light description.
struct LightDescription {
    // 3: directional, the only type made.
    int type = 0;
    LightColour diffuse;
    LightColour specular;
    LightColour ambient;
    float position[3] = {};
    float direction[3] = {};
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation[3] = {};
    float theta = 0.0f;
    float phi = 0.0f;
};

struct LightRecord {
    int CheckNo = 0;
    int Handle = 0;
    LightDescription light;
    // -1 until handed to a device.
    int DeviceIndex = -1;
    int Enabled = 0;
    int Changed = 0;
};

// A new light with the defaults; fatal when memory runs out.
int AddLight();
// A directional light along the vector (made a unit vector); -1 for a zero vector.
int AddDirectionalLight(float x, float y, float z);
int DeleteLight(int light);
int DeleteAllLights();
const LightRecord* GetLightRecord(int light);
// Set whenever a light is created, enabled or deleted.
int AreLightsChanged();

}  // namespace layer
