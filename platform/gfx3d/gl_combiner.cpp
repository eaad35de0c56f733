#include "platform/gfx3d/gl_combiner.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "platform/gfx3d/gl_context.h"

namespace platform {
namespace {

std::map<std::string, CombinerProgram> programs;
// The vertex stage every programme shares, flat and smooth.
GLuint vertex_stages[2] = {};

// Pre-transformed positions: pixel centres of the target lie on whole coordinates, a target
// row 0 is the framebuffer's row 0.
constexpr const char* kVertexShader = R"(#version 330 core
#extension GL_ARB_separate_shader_objects : require
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 diffuse;
layout(location = 2) in vec4 specular;
layout(location = 3) in vec2 coordinates0;
layout(location = 4) in vec2 coordinates1;
uniform vec4 target;
layout(location = 0) SHADE out vec4 vertex_diffuse;
layout(location = 1) flat out vec4 vertex_specular;
layout(location = 2) out vec2 vertex_coordinates0;
layout(location = 3) out vec2 vertex_coordinates1;
void main() {
    vec2 at = position - target.xy + 0.5;
    gl_Position = vec4(at.x * 2.0 / target.z - 1.0, at.y * 2.0 / target.w - 1.0, 0.0, 1.0);
    vertex_diffuse = diffuse;
    vertex_specular = specular;
    vertex_coordinates0 = coordinates0;
    vertex_coordinates1 = coordinates1;
}
)";

constexpr const char* kFragmentHead = R"(#version 330 core
#extension GL_ARB_separate_shader_objects : require
layout(location = 0) SHADE in vec4 vertex_diffuse;
layout(location = 1) flat in vec4 vertex_specular;
layout(location = 2) in vec2 vertex_coordinates0;
layout(location = 3) in vec2 vertex_coordinates1;
uniform vec4 factor;
uniform float alpha_reference;
out vec4 colour;
uint Channel(float value, float levels, int shift) {
    return uint(floor(value * levels + 0.5)) << shift;
}
)";

// The raw pixel value of a texel, for each packing.
const char* PackExpression(KeyPacking packing) {
    switch (packing) {
        case KeyPacking::kBgra8888:
            return "Channel(t.a,255.0,24)|Channel(t.r,255.0,16)|Channel(t.g,255.0,8)|"
                   "Channel(t.b,255.0,0)";
        case KeyPacking::kRgba8888:
            return "Channel(t.a,255.0,24)|Channel(t.b,255.0,16)|Channel(t.g,255.0,8)|"
                   "Channel(t.r,255.0,0)";
        case KeyPacking::kRgb565:
            return "Channel(t.r,31.0,11)|Channel(t.g,63.0,5)|Channel(t.b,31.0,0)";
        case KeyPacking::kArgb1555:
            return "Channel(t.a,1.0,15)|Channel(t.r,31.0,10)|Channel(t.g,31.0,5)|"
                   "Channel(t.b,31.0,0)";
        default:
            return "Channel(t.a,15.0,12)|Channel(t.r,15.0,8)|Channel(t.g,15.0,4)|"
                   "Channel(t.b,15.0,0)";
    }
}

std::string Argument(std::uint32_t code, int stage, const StageKey& key, const char* part) {
    std::string base;
    switch (code & kArgSelectMask) {
        case kArgDiffuse:
            base = "diffuse";
            break;
        case kArgCurrent:
            base = "current";
            break;
        case kArgTexture:
            base = key.textured != 0 ? "texel" + std::to_string(stage) : "vec4(1.0)";
            break;
        case kArgTextureFactor:
            base = "factor";
            break;
        default:
            base = "specular";
            break;
    }
    base = "(" + base + ")." + part;
    return (code & kArgComplement) != 0 ? "(1.0 - " + base + ")" : base;
}

// One operation over its two arguments; -1 when the stage passes the current value on.
std::string Operation(std::uint32_t op, const std::string& a1, const std::string& a2,
                      const char* part) {
    const std::string current = std::string("current.") + part;
    switch (op) {
        case kOpSelectArg1:
            return a1;
        case kOpSelectArg2:
            return a2;
        case kOpModulate:
            return a1 + " * " + a2;
        case kOpModulate2x:
            return a1 + " * " + a2 + " * 2.0";
        case kOpModulate4x:
            return a1 + " * " + a2 + " * 4.0";
        case kOpAdd:
            return a1 + " + " + a2;
        case kOpSubtract:
            return a1 + " - " + a2;
        case kOpBlendDiffuseAlpha:
            return a1 + " * diffuse.a + " + a2 + " * (1.0 - diffuse.a)";
        case kOpBlendCurrentAlpha:
            return a1 + " * current.a + " + a2 + " * (1.0 - current.a)";
        default:
            return current;
    }
}

const char* Comparison(std::uint8_t function) {
    static const char* const kComparisons[] = {"true",  "false", "<",  "==", "<=",
                                               ">",     "!=",    ">=", "true"};
    return function < std::size(kComparisons) ? kComparisons[function] : "true";
}

std::string FragmentShader(const CombinerKey& key) {
    std::string source = kFragmentHead;
    for (int stage = 0; stage < key.stage_count; ++stage) {
        const StageKey& s = key.stages[stage];
        if (s.textured != 0) {
            source += "uniform sampler2D texture" + std::to_string(stage) + ";\n";
        }
        if (s.key != KeyPacking::kNone) {
            source += "uniform uint key_low" + std::to_string(stage) + ";\nuniform uint key_high" +
                      std::to_string(stage) + ";\n";
        }
    }
    source +=
        "void main() {\n    vec4 diffuse = vertex_diffuse;\n    vec4 specular = "
        "vertex_specular;\n    vec4 current = diffuse;\n";
    for (int stage = 0; stage < key.stage_count; ++stage) {
        const StageKey& s = key.stages[stage];
        const std::string n = std::to_string(stage);
        const std::string uv = s.coordinates != 0 ? "vertex_coordinates1" : "vertex_coordinates0";
        if (s.textured != 0) {
            source += "    vec4 texel" + n + " = texture(texture" + n + ", " + uv + ");\n";
        }
        if (s.key != KeyPacking::kNone) {
            // The nearest texel, whatever the filter, compared in the texture's own format.
            source += "    {\n        ivec2 size = textureSize(texture" + n +
                      ", 0);\n        vec4 t = texelFetch(texture" + n + ", clamp(ivec2(floor(" +
                      uv + " * vec2(size))), ivec2(0), size - 1), 0);\n        uint raw = " +
                      PackExpression(s.key) + ";\n        if (raw >= key_low" + n +
                      " && raw <= key_high" + n + ") discard;\n    }\n";
        }
        const std::string rgb =
            Operation(s.colour_op, Argument(s.colour_arg1, stage, s, "rgb"),
                      Argument(s.colour_arg2, stage, s, "rgb"), "rgb");
        const std::string alpha =
            Operation(s.alpha_op, Argument(s.alpha_arg1, stage, s, "a"),
                      Argument(s.alpha_arg2, stage, s, "a"), "a");
        source += "    current = clamp(vec4(" + rgb + ", " + alpha + "), 0.0, 1.0);\n";
    }
    if (key.alpha_test != 0) {
        source += std::string("    if (!(floor(current.a * 255.0 + 0.5) ") +
                  Comparison(key.alpha_test) + " alpha_reference)) discard;\n";
    }
    source += "    colour = current;\n}\n";
    return source;
}

std::string WithShading(std::string source, const CombinerKey& key) {
    const std::size_t at = source.find("SHADE");
    source.replace(at, 5, key.gouraud != 0 ? "smooth" : "flat");
    return source;
}

// A separable programme of one stage; 0 when it does not compile or link.
GLuint Compile(GLenum kind, const std::string& source) {
    const char* text = source.c_str();
    const GLuint program = gl.CreateShaderProgramv(kind, 1, &text);
    GLint linked = 0;
    gl.GetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == 0) {
        char log[1024] = {};
        gl.GetProgramInfoLog(program, sizeof(log), nullptr, log);
        std::fprintf(stderr, "GL shader did not compile: %s\n%s\n", log, source.c_str());
        gl.DeleteProgram(program);
        return 0;
    }
    return program;
}

GLuint VertexStage(const CombinerKey& key) {
    GLuint& stage = vertex_stages[key.gouraud != 0 ? 1 : 0];
    if (stage == 0) {
        stage = Compile(GL_VERTEX_SHADER, WithShading(kVertexShader, key));
    }
    return stage;
}

CombinerProgram Describe(GLuint vertex, GLuint fragment, const CombinerKey& key) {
    CombinerProgram described;
    gl.GenProgramPipelines(1, &described.pipeline);
    gl.UseProgramStages(described.pipeline, GL_VERTEX_SHADER_BIT, vertex);
    gl.UseProgramStages(described.pipeline, GL_FRAGMENT_SHADER_BIT, fragment);
    described.vertex = vertex;
    described.fragment = fragment;
    described.target = gl.GetUniformLocation(vertex, "target");
    described.factor = gl.GetUniformLocation(fragment, "factor");
    described.alpha_reference = gl.GetUniformLocation(fragment, "alpha_reference");
    for (int stage = 0; stage < key.stage_count; ++stage) {
        const std::string n = std::to_string(stage);
        const GLint sampler = gl.GetUniformLocation(fragment, ("texture" + n).c_str());
        if (sampler >= 0) {
            gl.ProgramUniform1i(fragment, sampler, stage);
        }
        described.key_low[stage] = gl.GetUniformLocation(fragment, ("key_low" + n).c_str());
        described.key_high[stage] = gl.GetUniformLocation(fragment, ("key_high" + n).c_str());
    }
    return described;
}

}  // namespace

const CombinerProgram* CombinerFor(const CombinerKey& key) {
    const std::string bytes(reinterpret_cast<const char*>(&key), sizeof(key));
    if (auto found = programs.find(bytes); found != programs.end()) {
        return found->second.pipeline != 0 ? &found->second : nullptr;
    }
    const GLuint vertex = VertexStage(key);
    const GLuint fragment =
        vertex != 0 ? Compile(GL_FRAGMENT_SHADER, WithShading(FragmentShader(key), key)) : 0;
    CombinerProgram& made = programs[bytes];
    if (vertex != 0 && fragment != 0) {
        made = Describe(vertex, fragment, key);
    }
    CheckGlErrors("combiner");
    return made.pipeline != 0 ? &made : nullptr;
}

void ReleaseCombinerPrograms() {
    for (auto& [bytes, program] : programs) {
        if (program.pipeline != 0) {
            gl.DeleteProgramPipelines(1, &program.pipeline);
        }
        if (program.fragment != 0) {
            gl.DeleteProgram(program.fragment);
        }
    }
    programs.clear();
    for (GLuint& stage : vertex_stages) {
        if (stage != 0) {
            gl.DeleteProgram(stage);
            stage = 0;
        }
    }
}

}  // namespace platform
