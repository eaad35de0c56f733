// The OpenGL back end of the 3D interface: a device keeps its render and stage states as they
// were set and turns each draw into a combiner programme, blend state and one GL draw into the
// render target's GPU copy. Lighting, fog, perspective, dither, depth bias, transforms and
// depth are kept but not applied: every vertex comes transformed and the layer turns depth off.
#include "platform/gfx3d/gl_device.h"

#include <cstring>

#include "platform/display_internal.h"
#include "platform/gfx3d/gl_combiner.h"
#include "platform/gfx3d/gl_context.h"
#include "platform/gfx3d/gl_draw_resources.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/gfx3d/standard_caps.h"

namespace platform {
namespace {

constexpr GLenum kPrimitives[] = {GL_POINTS,    GL_POINTS,         GL_LINES,       GL_LINE_STRIP,
                                  GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};

// Blend factors by code; 0 is the source's ONE or the destination's ZERO.
constexpr GLenum kBlendFactors[] = {
    GL_ONE,
    GL_ZERO,
    GL_ONE,
    GL_SRC_COLOR,
    GL_ONE_MINUS_SRC_COLOR,
    GL_SRC_ALPHA,
    GL_ONE_MINUS_SRC_ALPHA,
    GL_DST_ALPHA,
    GL_ONE_MINUS_DST_ALPHA,
    GL_DST_COLOR,
    GL_ONE_MINUS_DST_COLOR,
};

GLenum BlendFactor(std::uint32_t code, GLenum when_zero) {
    if (code == 0 || code >= std::size(kBlendFactors)) {
        return when_zero;
    }
    return kBlendFactors[code];
}

KeyPacking PackingOf(const GlSurface& surface) {
    switch (surface.format.internal_format) {
        case GL_RGB565:
            return KeyPacking::kRgb565;
        case GL_RGB5_A1:
            return KeyPacking::kArgb1555;
        case GL_RGBA4:
            return KeyPacking::kArgb4444;
        default:
            return surface.format.format == GL_BGRA ? KeyPacking::kBgra8888 : KeyPacking::kRgba8888;
    }
}

void ColourOf(std::uint32_t argb, float* rgba) {
    rgba[0] = static_cast<float>(argb >> 16 & 0xFF) / 255.0f;
    rgba[1] = static_cast<float>(argb >> 8 & 0xFF) / 255.0f;
    rgba[2] = static_cast<float>(argb & 0xFF) / 255.0f;
    rgba[3] = static_cast<float>(argb >> 24 & 0xFF) / 255.0f;
}

class GlDevice : public Device3D {
  public:
    explicit GlDevice(DisplaySurface* target) : target_(target) {
        for (auto& stage : stages_) {
            stage[static_cast<int>(StageState::kColourOp)] = kOpDisable;
            stage[static_cast<int>(StageState::kAlphaOp)] = kOpDisable;
            stage[static_cast<int>(StageState::kColourArg1)] = kArgTexture;
            stage[static_cast<int>(StageState::kAlphaArg1)] = kArgTexture;
            stage[static_cast<int>(StageState::kColourArg2)] = kArgDiffuse;
            stage[static_cast<int>(StageState::kAlphaArg2)] = kArgDiffuse;
            stage[static_cast<int>(StageState::kAddress)] = kAddressClamp;
            stage[static_cast<int>(StageState::kMagFilter)] = kFilterPoint;
            stage[static_cast<int>(StageState::kMinFilter)] = kFilterPoint;
        }
    }

    int EnumTextureFormats(std::vector<DdPixelFormat>* formats) override {
        *formats = StandardTextureFormats();
        return kDisplayOk;
    }
    int SetRenderState(RenderState state, std::uint32_t value) override {
        render_[static_cast<int>(state)] = value;
        return kDisplayOk;
    }
    int SetStageState(int stage, StageState state, std::uint32_t value) override {
        if (stage < 0 || stage >= kMaxTextureStages) {
            return kDisplayFailed;
        }
        stages_[stage][static_cast<int>(state)] = value;
        return kDisplayOk;
    }
    int SetTexture(int stage, DisplaySurface* texture) override {
        if (stage < 0 || stage >= kMaxTextureStages) {
            return kDisplayFailed;
        }
        textures_[stage] = texture;
        return kDisplayOk;
    }
    int SetRenderTarget(DisplaySurface* target) override {
        target_ = target;
        return kDisplayOk;
    }
    int SetViewport(const Viewport3D& viewport) override {
        viewport_ = viewport;
        return kDisplayOk;
    }
    int BeginScene() override { return kDisplayOk; }
    int EndScene() override { return kDisplayOk; }
    int SetTransform(TransformKind kind, const float* matrix) override {
        std::memcpy(transforms_[static_cast<int>(kind)], matrix, sizeof(transforms_[0]));
        return kDisplayOk;
    }
    int DrawPrimitive(Primitive primitive, VertexLayout layout, const void* vertices,
                      int count) override {
        return Draw(primitive, layout, vertices, count, nullptr, 0);
    }
    int DrawIndexedPrimitive(Primitive primitive, VertexLayout layout, const void* vertices,
                             int vertex_count, const std::uint16_t* indices,
                             int index_count) override {
        return Draw(primitive, layout, vertices, vertex_count, indices, index_count);
    }
    int Load(DisplaySurface* destination, int x, int y, DisplaySurface* source,
             const DisplayRect& rect) override {
        return BltFastSurface(destination, x, y, source, &rect, kBltFastWait) == kDisplayOk
                   ? kDisplayOk
                   : kDisplayFailed;
    }
    int Clear(const DisplayRect* rect, std::uint32_t flags, std::uint32_t colour, float) override {
        GlSurface* gpu = target_ != nullptr ? GpuCopyOf(target_) : nullptr;
        if (gpu == nullptr || (flags & kClearTarget) == 0) {
            return gpu != nullptr ? kDisplayOk : kDisplayFailed;
        }
        const DisplayRect area =
            rect != nullptr ? *rect
                            : DisplayRect{viewport_.x, viewport_.y, viewport_.x + viewport_.width,
                                          viewport_.y + viewport_.height};
        const DisplayRect local = LocalRect(target_, area);
        const GLuint framebuffer = SurfaceFramebuffer(gpu);
        if (framebuffer == 0) {
            return kDisplayFailed;
        }
        SyncForGpu(gpu);
        float rgba[4];
        ColourOf(colour | 0xFF000000, rgba);
        gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
        gl.Enable(GL_SCISSOR_TEST);
        gl.Scissor(local.left, local.top, local.right - local.left, local.bottom - local.top);
        gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, gpu->format.unused_alpha ? GL_FALSE : GL_TRUE);
        gl.ClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        gl.Clear(GL_COLOR_BUFFER_BIT);
        NoteGpuWrite(gpu);
        CheckGlErrors("Clear");
        return kDisplayOk;
    }

  private:
    std::uint32_t Render(RenderState state) const { return render_[static_cast<int>(state)]; }
    std::uint32_t Stage(int stage, StageState state) const {
        return stages_[stage][static_cast<int>(state)];
    }

    // The combiner key of the current states, with the stages' GPU copies; false when a
    // sampled texture has none.
    bool BuildKey(CombinerKey* key, GlSurface** sampled) const {
        for (int stage = 0; stage < kMaxTextureStages; ++stage) {
            if (Stage(stage, StageState::kColourOp) == kOpDisable) {
                break;
            }
            StageKey& s = key->stages[stage];
            s.colour_op = static_cast<std::uint8_t>(Stage(stage, StageState::kColourOp));
            s.colour_arg1 = static_cast<std::uint8_t>(Stage(stage, StageState::kColourArg1));
            s.colour_arg2 = static_cast<std::uint8_t>(Stage(stage, StageState::kColourArg2));
            s.alpha_op = static_cast<std::uint8_t>(Stage(stage, StageState::kAlphaOp));
            s.alpha_arg1 = static_cast<std::uint8_t>(Stage(stage, StageState::kAlphaArg1));
            s.alpha_arg2 = static_cast<std::uint8_t>(Stage(stage, StageState::kAlphaArg2));
            s.coordinates = Stage(stage, StageState::kTexCoordIndex) == 1 ? 1 : 0;
            sampled[stage] = nullptr;
            if (textures_[stage] != nullptr) {
                sampled[stage] = GpuCopyOf(textures_[stage]);
                if (sampled[stage] == nullptr) {
                    return false;
                }
                s.textured = 1;
                if (Render(RenderState::kColourKeyEnable) != 0 &&
                    textures_[stage]->has_source_key) {
                    s.key = PackingOf(*sampled[stage]);
                }
            }
            key->stage_count = static_cast<std::uint8_t>(stage + 1);
        }
        if (Render(RenderState::kAlphaTestEnable) != 0) {
            const std::uint32_t function = Render(RenderState::kAlphaFunc);
            key->alpha_test = static_cast<std::uint8_t>(function == 0 ? kCompareAlways : function);
        }
        key->gouraud = Render(RenderState::kShadeMode) == kShadeGouraud ? 1 : 0;
        return true;
    }

    void BindStages(const CombinerKey& key, GlSurface* const* sampled,
                    const CombinerProgram& program) {
        for (int stage = 0; stage < key.stage_count; ++stage) {
            if (sampled[stage] == nullptr) {
                continue;
            }
            SyncForGpu(sampled[stage]);
            gl.ActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(stage));
            gl.BindTexture(GL_TEXTURE_2D, sampled[stage]->texture);
            gl.BindSampler(static_cast<GLuint>(stage),
                           SamplerFor(Stage(stage, StageState::kMagFilter),
                                      Stage(stage, StageState::kAddress)));
            if (key.stages[stage].key != KeyPacking::kNone) {
                const ColourKey& colour_key = textures_[stage]->source_key;
                gl.ProgramUniform1ui(program.fragment, program.key_low[stage], colour_key.low);
                gl.ProgramUniform1ui(program.fragment, program.key_high[stage], colour_key.high);
            }
        }
        gl.ActiveTexture(GL_TEXTURE0);
    }

    void ApplyBlend(const GlSurface& target) {
        if (Render(RenderState::kAlphaBlendEnable) != 0) {
            gl.Enable(GL_BLEND);
            gl.BlendFunc(BlendFactor(Render(RenderState::kSourceBlend), GL_ONE),
                         BlendFactor(Render(RenderState::kDestBlend), GL_ZERO));
        } else {
            gl.Disable(GL_BLEND);
        }
        gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, target.format.unused_alpha ? GL_FALSE : GL_TRUE);
    }

    int Draw(Primitive primitive, VertexLayout layout, const void* vertices, int vertex_count,
             const std::uint16_t* indices, int index_count) {
        GlSurface* gpu = target_ != nullptr ? GpuCopyOf(target_) : nullptr;
        CombinerKey key{};
        GlSurface* sampled[kMaxTextureStages] = {};
        if (gpu == nullptr || vertex_count <= 0 || !BuildKey(&key, sampled)) {
            return kDisplayFailed;
        }

        const CombinerProgram* program = CombinerFor(key);
        const GLuint framebuffer = SurfaceFramebuffer(gpu);
        if (program == nullptr || framebuffer == 0) {
            return kDisplayFailed;
        }
        SyncForGpu(gpu);
        gl.BindProgramPipeline(program->pipeline);
        BindStages(key, sampled, *program);
        const DisplayRect origin = LocalRect(target_, {0, 0, 0, 0});
        gl.ProgramUniform4f(program->vertex, program->target, static_cast<float>(-origin.left),
                            static_cast<float>(-origin.top), static_cast<float>(gpu->width),
                            static_cast<float>(gpu->height));
        float factor[4];
        ColourOf(Render(RenderState::kTextureFactor), factor);
        gl.ProgramUniform4f(program->fragment, program->factor, factor[0], factor[1], factor[2],
                            factor[3]);
        gl.ProgramUniform1f(program->fragment, program->alpha_reference,
                            static_cast<float>(Render(RenderState::kAlphaRef)));
        gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
        gl.Viewport(0, 0, gpu->width, gpu->height);
        const DisplayRect scissor =
            LocalRect(target_, {viewport_.x, viewport_.y, viewport_.x + viewport_.width,
                                viewport_.y + viewport_.height});
        gl.Enable(GL_SCISSOR_TEST);
        gl.Scissor(scissor.left, scissor.top, scissor.right - scissor.left,
                   scissor.bottom - scissor.top);
        ApplyBlend(*gpu);
        const StreamedDraw placed =
            BindVertices(layout, vertices, vertex_count, indices, index_count);
        const GLenum mode = kPrimitives[static_cast<int>(primitive)];
        if (indices != nullptr) {
            gl.DrawElementsBaseVertex(mode, index_count, GL_UNSIGNED_SHORT,
                                      reinterpret_cast<const void*>(placed.index_offset),
                                      placed.first_vertex);
        } else {
            gl.DrawArrays(mode, placed.first_vertex, vertex_count);
        }
        gl.BindVertexArray(0);
        NoteGpuWrite(gpu);
        CheckGlErrors("DrawPrimitive");
        return kDisplayOk;
    }

    DisplaySurface* target_;
    Viewport3D viewport_;
    std::uint32_t render_[kRenderStateCount] = {};
    std::uint32_t stages_[kMaxTextureStages][kStageStateCount] = {};
    DisplaySurface* textures_[kMaxTextureStages] = {};
    float transforms_[3][16] = {};
};

class GlDirect3D : public Direct3D {
  public:
    int EnumDevices(std::vector<DeviceDescription>* devices) override {
        *devices = StandardDevices();
        return kDisplayOk;
    }
    int EnumDepthFormats(DeviceKind, std::vector<DdPixelFormat>* formats) override {
        *formats = StandardDepthFormats();
        return kDisplayOk;
    }
    int CreateDevice(DeviceKind, DisplaySurface* target, Device3D** out) override {
        *out = HasGlContext() ? new GlDevice(target) : nullptr;
        return *out != nullptr ? kDisplayOk : kDisplayFailed;
    }
};

}  // namespace

Direct3D* MakeGlDirect3D() {
    return AcquireGlContext() ? new GlDirect3D : nullptr;
}

}  // namespace platform
