#pragma once

// Records and codes of the 3D device stand-in: what a device describes of itself, the render
// states and texture-stage states it keeps, and the three pre-transformed vertex layouts it
// draws. The values are our own, except the three the layer stores as numbers: depth compare 4
// (less or equal), shade mode 1 (flat) and texture address 3 (clamp).

#include <cstdint>

namespace platform {

enum class DeviceKind {
    kSoftware,
    kHal,
    kTnLHal,
};

// Screen depths a device renders into.
enum RenderDepth : std::uint32_t {
    kRenderDepth8 = 0x1,
    kRenderDepth16 = 0x2,
    kRenderDepth24 = 0x4,
    kRenderDepth32 = 0x8,
};

// Limits on texture sizes.
enum TextureSizeCaps : std::uint32_t {
    kTexturePowerOfTwo = 0x1,
    kTextureSquareOnly = 0x2,
};

struct DeviceDescription {
    DeviceKind kind = DeviceKind::kSoftware;
    std::uint32_t render_depths = 0;
    std::uint32_t texture_caps = 0;
    int min_texture_width = 0;
    int min_texture_height = 0;
    int max_texture_width = 0;
    int max_texture_height = 0;
    int max_texture_blend_stages = 0;
    int max_simultaneous_textures = 0;
};

// Pixel-format flags a device reports beside kDdPixelFormatRgb.
enum DevicePixelFormatFlags : std::uint32_t {
    kPixelFormatAlphaPixels = 0x1,
    kPixelFormatAlphaOnly = 0x2,
    kPixelFormatLuminance = 0x20000,
    kPixelFormatBumpLuminance = 0x40000,
    kPixelFormatBumpDuDv = 0x80000,
};

enum class RenderState {
    kZEnable,
    kZWriteEnable,
    kZFunc,
    kZBias,
    kShadeMode,
    kCullMode,
    kLighting,
    kTexturePerspective,
    kColourKeyEnable,
    kColourKeyBlendEnable,
    kDitherEnable,
    kFogEnable,
    kAlphaTestEnable,
    kAlphaRef,
    kAlphaFunc,
    kAlphaBlendEnable,
    kDiffuseMaterialSource,
    kSpecularMaterialSource,
    kSpecularEnable,
    kTextureFactor,
    kSourceBlend,
    kDestBlend,
};
constexpr int kRenderStateCount = 22;

enum class StageState {
    kColourOp,
    kColourArg1,
    kColourArg2,
    kAlphaOp,
    kAlphaArg1,
    kAlphaArg2,
    kTexCoordIndex,
    kAddress,
    kMagFilter,
    kMinFilter,
    kMipFilter,
};
constexpr int kStageStateCount = 11;
constexpr int kMaxTextureStages = 8;

// Stage operations.
enum StageOp : std::uint32_t {
    kOpDisable = 1,
    kOpSelectArg1 = 2,
    kOpSelectArg2 = 3,
    kOpModulate = 4,
    kOpModulate2x = 5,
    kOpModulate4x = 6,
    kOpAdd = 7,
    kOpSubtract = 8,
    kOpBlendDiffuseAlpha = 9,
    kOpBlendCurrentAlpha = 10,
};

// Stage arguments; kArgComplement may be added to any of them.
enum StageArg : std::uint32_t {
    kArgDiffuse = 0,
    kArgCurrent = 1,
    kArgTexture = 2,
    kArgTextureFactor = 3,
    kArgSpecular = 4,
    kArgComplement = 0x10,
};
constexpr std::uint32_t kArgSelectMask = 0xF;

enum BlendFactor : std::uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSourceColour = 3,
    kBlendInverseSourceColour = 4,
    kBlendSourceAlpha = 5,
    kBlendInverseSourceAlpha = 6,
    kBlendDestAlpha = 7,
    kBlendInverseDestAlpha = 8,
    kBlendDestColour = 9,
    kBlendInverseDestColour = 10,
};

enum CompareFunction : std::uint32_t {
    kCompareNever = 1,
    kCompareLess = 2,
    kCompareEqual = 3,
    kCompareLessEqual = 4,
    kCompareGreater = 5,
    kCompareNotEqual = 6,
    kCompareGreaterEqual = 7,
    kCompareAlways = 8,
};

enum ShadeMode : std::uint32_t {
    kShadeFlat = 1,
    kShadeGouraud = 2,
};

enum CullMode : std::uint32_t {
    kCullNone = 1,
    kCullClockwise = 2,
    kCullCounterClockwise = 3,
};

enum TextureAddress : std::uint32_t {
    kAddressWrap = 1,
    kAddressMirror = 2,
    kAddressClamp = 3,
};

enum TextureFilter : std::uint32_t {
    kFilterNone = 0,
    kFilterPoint = 1,
    kFilterLinear = 2,
    kFilterAnisotropic = 3,
    kFilterFlatCubic = 4,
    kFilterGaussianCubic = 5,
};

// Where material colours come from.
enum MaterialSource : std::uint32_t {
    kMaterialFromMaterial = 0,
    kMaterialFromColour1 = 1,
    kMaterialFromColour2 = 2,
};

enum class Primitive {
    kPointList = 1,
    kLineList = 2,
    kLineStrip = 3,
    kTriangleList = 4,
    kTriangleStrip = 5,
    kTriangleFan = 6,
};

enum class TransformKind {
    kWorld,
    kView,
    kProjection,
};

// What Clear clears.
enum ClearFlags : std::uint32_t {
    kClearTarget = 0x1,
    kClearDepth = 0x2,
};

// The area of the render target drawn into (x, y, width, height) and its depth range.
struct Viewport3D {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float min_z = 0.0f;
    float max_z = 0.0f;
};

// Pre-transformed vertices: screen position, depth, reciprocal w and 0xAARRGGBB colours.
struct PlainVertex {
    float x;
    float y;
    float z;
    float rhw;
    std::uint32_t diffuse;
};
struct TexturedVertex {
    float x;
    float y;
    float z;
    float rhw;
    std::uint32_t diffuse;
    float u;
    float v;
};
// Two texture-coordinate pairs: the first read by the stages whose coordinate index is 0.
struct BlendVertex {
    float x;
    float y;
    float z;
    float rhw;
    std::uint32_t diffuse;
    std::uint32_t specular;
    float u0;
    float v0;
    float u1;
    float v1;
};
static_assert(sizeof(PlainVertex) == 20);
static_assert(sizeof(TexturedVertex) == 28);
static_assert(sizeof(BlendVertex) == 40);

// The vertex layout of a draw: 0 PlainVertex, 1 TexturedVertex, 2 BlendVertex.
enum class VertexLayout {
    kPlain = 0,
    kTextured = 1,
    kBlend = 2,
};
constexpr int kVertexLayoutCount = 3;
constexpr int kVertexSizes[kVertexLayoutCount] = {20, 28, 40};

}  // namespace platform
