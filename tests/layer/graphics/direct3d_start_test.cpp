// The 3D side's start on the recording device: the device chosen, the texture format table,
// the limits, the refusals and their log lines; render target, viewport and scenes.
#include <gtest/gtest.h>

#include <functional>

#include "layer/graphics/direct3d_texts.h"
#include "layer/graphics/graphics_system_texts.h"
#include "layer/graphics/main_screens.h"
#include "platform/gfx3d/standard_caps.h"
#include "tests/layer/graphics/direct3d_fixture.h"
#include "tests/support/case_name.h"

namespace {

using platform::DeviceDescription;
using platform::DeviceKind;

DeviceDescription Hal(DeviceKind kind = DeviceKind::kHal) {
    DeviceDescription device = platform::StandardDevices()[1];
    device.kind = kind;
    return device;
}

class Direct3DStart : public test::Direct3DScreens {
  protected:
    // Starts again on the changed script; the start's result.
    int StartWith(const std::function<void(test::DeviceScript*)>& change,
                  platform::ForcedDisplayFormat forced = platform::ForcedDisplayFormat::kNone) {
        test::StopDirect3DScreens();
        test::Recording().script = {platform::StandardDevices(), platform::StandardDepthFormats(),
                                    platform::StandardTextureFormats()};
        change(&test::Recording().script);
        test::StartDisplayObject(forced);
        return layer::StartDirect3D();
    }
};

const layer::PixelFormat& Format(int index) {
    return layer::direct3d.TextureFormats[index].format;
}

TEST_F(Direct3DStart, TheStandardDeviceGivesTheTnLHalDeviceAndEveryFormat) {
    EXPECT_EQ(layer::direct3d.TnLDeviceFound, 1);
    EXPECT_EQ(layer::direct3d.DeviceDesc.kind, DeviceKind::kTnLHal);
    EXPECT_EQ(layer::direct3d.MinTextureSize, 1u);
    EXPECT_EQ(layer::direct3d.MaxTextureSize, 1024u);
    // Set by the start, and cleared again by the back screen's selection.
    EXPECT_EQ(layer::direct3d.EndSceneAfterDraw, 0);
    EXPECT_EQ(layer::direct3d.CaptureIndexPlain, -1);
    EXPECT_EQ(layer::direct3d.ZBufferFormat.rgb_bit_count, 16u);
    const struct {
        int index;
        int bits;
        std::uint32_t alpha_mask;
    } expected[] = {{0, 16, 0},          {1, 32, 0},      {2, 16, 0xF000},
                    {3, 32, 0xFF000000}, {4, 16, 0x8000}, {5, 32, 0xFF000000},
                    {11, 16, 0},         {12, 32, 0},     {13, 32, 0xFF000000}};
    for (const auto& row : expected) {
        EXPECT_EQ(Format(row.index).bits_per_pixel, row.bits) << row.index;
        EXPECT_EQ(Format(row.index).alpha_mask, row.alpha_mask) << row.index;
    }
    for (int index = 6; index <= 10; ++index) {
        EXPECT_EQ(Format(index).bits_per_pixel, 0) << index;
    }
    EXPECT_TRUE(Logged(layer::kDirect3DStartedText));
    EXPECT_TRUE(Logged(layer::kTnLDeviceFoundText));
    EXPECT_EQ(layer::graphics_core.use_3d, 1);
}

struct StartCase {
    const char* name;
    std::function<void(test::DeviceScript*)> change;
    platform::ForcedDisplayFormat forced;
    int result;
    const char* logged;
    std::function<void()> check;
};

class Direct3DStartCases : public Direct3DStart, public testing::WithParamInterface<StartCase> {};

TEST_P(Direct3DStartCases, StartsOrRefusesWithItsLine) {
    const StartCase& c = GetParam();
    EXPECT_EQ(StartWith(c.change, c.forced), c.result);
    if (c.logged != nullptr) {
        EXPECT_TRUE(Logged(c.logged)) << c.logged;
    }
    if (c.result < 0) {
        EXPECT_EQ(layer::HasDirect3DObject(), 0);
        EXPECT_EQ(test::Recording().live_devices, 0);
    }
    if (c.check) {
        c.check();
    }
}

const StartCase kStartCases[] = {
    {"EightBitScreenHasNoDevice", [](test::DeviceScript*) {},
     platform::ForcedDisplayFormat::kPalette8, -1, layer::kNoDeviceText, nullptr},
    {"HalBeforeTnLStillTakesTnL",
     [](test::DeviceScript* s) {
         s->devices = {Hal(), Hal(DeviceKind::kTnLHal)};
     },
     platform::ForcedDisplayFormat::kNone, 0, layer::kTnLDeviceFoundText,
     [] { EXPECT_EQ(layer::direct3d.DeviceDesc.kind, DeviceKind::kTnLHal); }},
    {"SoftwareDeviceIsNeverTaken",
     [](test::DeviceScript* s) { s->devices = {Hal(DeviceKind::kSoftware)}; },
     platform::ForcedDisplayFormat::kNone, -1, layer::kNoDeviceText, nullptr},
    {"ZeroLimitsBecome32And256",
     [](test::DeviceScript* s) {
         DeviceDescription device = Hal();
         device.min_texture_width = 0;
         device.max_texture_height = 0;
         s->devices = {device};
     },
     platform::ForcedDisplayFormat::kNone, 0, layer::kHalDeviceFoundText,
     [] {
         EXPECT_EQ(layer::direct3d.MinTextureSize, 32u);
         EXPECT_EQ(layer::direct3d.MaxTextureSize, 256u);
     }},
    {"MissingDepthFormatIsOnlyLogged", [](test::DeviceScript* s) { s->depth_formats.clear(); },
     platform::ForcedDisplayFormat::kNone, 0, layer::kNoZBufferText, nullptr},
    {"FewStagesAreOnlyAWarning",
     [](test::DeviceScript* s) {
         DeviceDescription device = Hal();
         device.max_texture_blend_stages = 2;
         s->devices = {device};
     },
     platform::ForcedDisplayFormat::kNone, 0, layer::kFewStagesText, nullptr},
    {"No32BitFormatsCopyThe16BitOnes",
     [](test::DeviceScript* s) {
         s->texture_formats = {platform::StandardTextureFormats()[0],
                               platform::StandardTextureFormats()[2]};
     },
     platform::ForcedDisplayFormat::kNone, 0, layer::kDirect3DStartedText,
     [] {
         EXPECT_EQ(Format(1).bits_per_pixel, 16);
         EXPECT_EQ(Format(3).alpha_mask, 0xF000u);
         EXPECT_EQ(Format(4).alpha_mask, 0xF000u);
     }},
    {"Only32BitFormatsFail",
     [](test::DeviceScript* s) {
         s->texture_formats = {platform::StandardTextureFormats()[1],
                               platform::StandardTextureFormats()[3]};
     },
     platform::ForcedDisplayFormat::kNone, -1, layer::kNoTextureFormatText, nullptr},
    {"SixteenBitScreenTakesItsOwnFormat",
     [](test::DeviceScript* s) {
         s->texture_formats = {{32, layer::kDdPixelFormatRgb, 0, 16, 0x7C00, 0x03E0, 0x001F, 0},
                               platform::StandardTextureFormats()[0]};
     },
     platform::ForcedDisplayFormat::kR5G6B5, 0, nullptr,
     [] { EXPECT_EQ(Format(0).red_mask, 0xF800u); }},
};

INSTANTIATE_TEST_SUITE_P(Devices, Direct3DStartCases, testing::ValuesIn(kStartCases),
                         [](const testing::TestParamInfo<StartCase>& info) {
                             return test::CaseName(info.param.name);
                         });

TEST_F(Direct3DStart, ARefusedInterfaceIsTheStartFailure) {
    test::StopDirect3DScreens();
    test::StartDisplayObject(platform::ForcedDisplayFormat::kNone);
    platform::FailNextDisplayOperation(platform::DisplayOperation::kDirect3D);
    EXPECT_EQ(layer::StartDirect3D(), -1);
    EXPECT_TRUE(Logged(layer::kDirect3DFailedText));
}

TEST_F(Direct3DStart, TheFirstDeviceDrawsIntoTheFrontScreenThenTheBack) {
    EXPECT_EQ(Device().DefaultTarget, layer::GetScreenTargetSurface());
    EXPECT_EQ(Device().CurrentTarget, layer::GetBackSurface());
    EXPECT_EQ(Device().ZFunc, 4);
    EXPECT_EQ(Device().ShadeMode, 1);
    EXPECT_EQ(Device().TextureAddress, 3);
}

TEST_F(Direct3DStart, AnEmptyViewportRectangleIsRefusedAndTheViewportKept) {
    const platform::Viewport3D before = Device().Viewport;
    EXPECT_EQ(layer::SetViewportFromRect({10, 10, 10, 40}), -1);
    EXPECT_EQ(Device().Viewport.width, before.width);
    EXPECT_EQ(test::Recording().Count("SetViewport"), 0);
    EXPECT_EQ(layer::SetViewportFromRect({10, 20, 110, 40}), 0);
    const auto viewports = test::Recording().Calls("SetViewport");
    ASSERT_EQ(viewports.size(), 1u);
    EXPECT_EQ(viewports[0]->args, (std::vector<std::int64_t>{10, 20, 100, 20}));
}

TEST_F(Direct3DStart, ALostInterfaceIsAcquiredAgainWithItsDevice) {
    EXPECT_EQ(layer::ReleaseDirect3DObject(), 0);
    EXPECT_EQ(layer::HasDirect3DObject(), 0);
    EXPECT_EQ(layer::IsDirect3DWanted(), 1);
    EXPECT_EQ(test::Recording().live_devices, 0);
    EXPECT_EQ(layer::AcquireDirect3DObject(), 0);
    EXPECT_EQ(test::Recording().live_devices, 1);
    EXPECT_EQ(Device().CurrentTarget, layer::GetBackSurface());
    EXPECT_EQ(Device().Force, 0);
}

TEST_F(Direct3DStart, ScenesOpenOnceAndCloseWithTheBatch) {
    layer::BeginScene3D();
    layer::BeginScene3D();
    EXPECT_EQ(test::Recording().Count("BeginScene"), 1);
    layer::EndScene3D();
    layer::EndScene3D();
    EXPECT_EQ(test::Recording().Count("EndScene"), 1);
}

}  // namespace
