#pragma once

// The one OpenGL context of the player, made on the open GL-capable window when the 3D back
// end is first asked for and kept across mode changes; while it lives the surfaces the 3D
// device uses have GPU copies and the presenter shows frames through it. Main thread only.

#include <string>

namespace platform {

// Makes the context when there is none: OpenGL 3.3 core with RGBA8 framebuffers. False when
// the window has no GL or the context falls short.
bool AcquireGlContext();
bool HasGlContext();
// Takes every GPU copy back into its CPU buffer and deletes the context; the window's own
// surface shows frames from then on.
void ReleaseGlContext();

// Waits until the GPU has carried out every command sent; nothing without a context.
void FinishGl();

// The context's vendor, renderer and version, and its video memory in kilobytes (0 when the
// driver does not tell); all empty without a context.
struct GlDescription {
    std::string vendor;
    std::string renderer;
    std::string version;
    int total_memory_kb = 0;
    int free_memory_kb = 0;
};
GlDescription DescribeGl();

// Counts GL errors raised since the last call (each is also printed to stderr).
int TakeGlErrors();
// Checks for errors after an operation; names it on stderr when one was raised.
void CheckGlErrors(const char* operation);

}  // namespace platform
