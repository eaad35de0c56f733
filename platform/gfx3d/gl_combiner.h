#pragma once

// The texture-stage combiner as a GLSL programme per stage set-up: the stages' operations and
// arguments, which stages sample a texture and through which coordinate pair, the colour key
// of each sampled texture, the alpha test and the shading. Each set-up has a fragment stage of
// its own over one vertex stage all share (per shading); both are compiled on first use and
// kept while the context lives.

#include <cstdint>

#include "platform/gfx3d/device_types.h"
#include "platform/gfx3d/gl_api.h"

namespace platform {

// How a texture's texels pack into its raw pixel values, for the colour key.
enum class KeyPacking : std::uint8_t {
    kNone,
    kBgra8888,
    kRgba8888,
    kRgb565,
    kArgb1555,
    kArgb4444,
};

struct StageKey {
    std::uint8_t colour_op = 0;
    std::uint8_t colour_arg1 = 0;
    std::uint8_t colour_arg2 = 0;
    std::uint8_t alpha_op = 0;
    std::uint8_t alpha_arg1 = 0;
    std::uint8_t alpha_arg2 = 0;
    std::uint8_t textured = 0;
    // 0 the first coordinate pair, 1 the second.
    std::uint8_t coordinates = 0;
    KeyPacking key = KeyPacking::kNone;
};

struct CombinerKey {
    StageKey stages[kMaxTextureStages];
    std::uint8_t stage_count = 0;
    // A CompareFunction, or 0 without the alpha test.
    std::uint8_t alpha_test = 0;
    std::uint8_t gouraud = 0;
};

// Uniform and attribute places every programme shares.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kDiffuseAttribute = 1;
constexpr GLuint kSpecularAttribute = 2;
constexpr GLuint kCoordinates0Attribute = 3;
constexpr GLuint kCoordinates1Attribute = 4;

// A programme pipeline of the shared vertex stage and the set-up's fragment stage; the
// target's uniform lives in the vertex stage, the others in the fragment stage.
struct CombinerProgram {
    GLuint pipeline = 0;
    GLuint vertex = 0;
    GLuint fragment = 0;
    GLint target = -1;
    GLint factor = -1;
    GLint alpha_reference = -1;
    GLint key_low[kMaxTextureStages] = {};
    GLint key_high[kMaxTextureStages] = {};
};

// The programme of the key (compiled now when new); null when it does not compile.
const CombinerProgram* CombinerFor(const CombinerKey& key);
void ReleaseCombinerPrograms();

}  // namespace platform
