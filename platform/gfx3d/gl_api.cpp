#include "platform/gfx3d/gl_api.h"

#include <SDL.h>

namespace platform {

GlApi gl;

bool LoadGlApi() {
    bool complete = true;
#define QVARN_GL_LOAD(name, type)                                                         \
    gl.name = reinterpret_cast<PFNGL##type##PROC>(SDL_GL_GetProcAddress("gl" #name)); \
    complete = complete && gl.name != nullptr;
    QVARN_GL_FUNCTIONS(QVARN_GL_LOAD)
#undef QVARN_GL_LOAD
    return complete;
}

}  // namespace platform
