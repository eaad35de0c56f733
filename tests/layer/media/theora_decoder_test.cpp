#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "layer/media/media_services.h"
#include "layer/media/theora_decoder.h"
#include "layer/media/yuv_tables.h"
#include "tests/layer/core/log_capture.h"
#include "tests/layer/media/theora_clip_files.h"

namespace {

using layer::TheoraDecoder;
using tools::ClipFrameColour;
using tools::TheoraClipOptions;

class TheoraDecoderTest : public test::LogCapture {
  protected:
    void SetUp() override {
        LogCapture::SetUp();
        layer::BuildYuvTables();
        test::clip_bytes_read = 0;
    }
    void TearDown() override {
        if (decoder_ != nullptr) {
            layer::CloseTheoraStream(decoder_);
        }
        if (file_ != 0) {
            files_.close(file_);
        }
        LogCapture::TearDown();
    }

    TheoraDecoder* Open(const std::vector<std::uint8_t>& bytes, int stock = 10) {
        file_ = files_.open(test::WriteClipFile(tree_, "clip.ogv", bytes).c_str(), 0, 0, 0);
        decoder_ = layer::OpenTheoraStream(files_, file_, stock);
        return decoder_;
    }
    TheoraDecoder* Open(const TheoraClipOptions& options, int stock = 10) {
        return Open(tools::WriteTheoraClip(options).bytes, stock);
    }

    std::uint32_t ImagePixel(int x, int y) const {
        const layer::GraphImage& image = *layer::GetTheoraImage(decoder_);
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, image.pixels + y * image.pitch + x * 4, 4);
        return pixel;
    }

    // Every pixel of the image, as the frame's colour converted by `expected`.
    template <typename Expected>
    void ExpectImageOfFrame(int frame, Expected expected) const {
        const layer::GraphImage& image = *layer::GetTheoraImage(decoder_);
        const std::uint32_t wanted = expected(ClipFrameColour(frame));
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                ASSERT_EQ(ImagePixel(x, y), wanted) << "frame " << frame << " at " << x << "," << y;
            }
        }
    }
    void ExpectImageOfFrame(int frame) const { ExpectImageOfFrame(frame, test::TableXrgb); }

    // Shows a frame: seek, convert, and check it.
    void ShowFrame(int frame) {
        layer::RequestTheoraSeek(decoder_, frame);
        EXPECT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
        EXPECT_EQ(layer::GetTheoraFrameNumber(decoder_), frame);
        ExpectImageOfFrame(frame);
    }

    // Waits up to two seconds for the decode thread to stand still with the frames it last
    // decoded.
    void WaitForFullStock(int last_decoded) const {
        for (int i = 0; i < 2000 && (decoder_->state != layer::kTheoraStockFull ||
                                     decoder_->last_decoded != last_decoded);
             ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(decoder_->state, layer::kTheoraStockFull);
        ASSERT_EQ(decoder_->last_decoded, last_decoded);
    }

    test::TempTree tree_;
    layer::FileOperationTable files_ = test::CountingClipFiles();
    layer::FileHandle file_ = 0;
    TheoraDecoder* decoder_ = nullptr;
};

TEST_F(TheoraDecoderTest, FrameZeroIsInTheImageAfterOpening) {
    TheoraClipOptions options;
    options.frame_count = 8;
    options.fps_numerator = 25;
    options.fps_denominator = 2;
    ASSERT_NE(Open(options), nullptr);
    EXPECT_EQ(layer::GetTheoraFrameNumber(decoder_), 0);
    ExpectImageOfFrame(0);
    EXPECT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 1), 0) << "nothing left to convert";
    layer::TheoraInfo info;
    layer::QueryTheoraInfo(decoder_, &info);
    EXPECT_DOUBLE_EQ(info.frames_per_second, 12.5);
    EXPECT_EQ(info.frame_count, 8);
    EXPECT_EQ(info.width, 48);
    EXPECT_EQ(info.height, 32);
    EXPECT_EQ(layer::GetTheoraSurface(decoder_), nullptr);
}

// Worked from the fixed-point tables by hand: 19070 x 219 / 16384 = 254.9; for (81, 90, 240)
// green is (1239550 + 243428 - 1491840) / 16384 = 0 and blue (1239550 - 1256356) / 16384 = -1.
TEST_F(TheoraDecoderTest, ColoursFollowTheIntegerTables) {
    struct Case {
        int y, u, v;
        std::uint32_t xrgb;
    };
    const Case cases[] = {
        {16, 128, 128, 0xFF000000},
        {235, 128, 128, 0xFFFEFEFE},
        {81, 90, 240, 0xFFFE0000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::TableXrgb({static_cast<std::uint8_t>(c.y), static_cast<std::uint8_t>(c.u),
                                   static_cast<std::uint8_t>(c.v)}),
                  c.xrgb);
        const int luma = layer::yuv_tables.y[c.y];
        const std::uint32_t red = layer::ClampYuvSum(luma + layer::yuv_tables.r_from_v[c.v]);
        const std::uint32_t green = layer::ClampYuvSum(luma + layer::yuv_tables.g_from_u[c.u] +
                                                       layer::yuv_tables.g_from_v[c.v]);
        const std::uint32_t blue = layer::ClampYuvSum(luma + layer::yuv_tables.b_from_u[c.u]);
        EXPECT_EQ(0xFF000000u | red << 16 | green << 8 | blue, c.xrgb) << c.y << "," << c.u;
    }
}

TEST_F(TheoraDecoderTest, AdvancingByTheFrameCountLandsOnTheSameFrame) {
    TheoraClipOptions options;
    options.frame_count = 8;
    ASSERT_NE(Open(options), nullptr);
    ShowFrame(5);
    layer::AdvanceTheoraFrame(decoder_, 8);
    EXPECT_EQ(layer::GetTheoraFrameNumber(decoder_), 5);
    EXPECT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
    ExpectImageOfFrame(5);
}

TEST_F(TheoraDecoderTest, SeeksAcrossKeyFramesShowTheirFrames) {
    TheoraClipOptions options;
    options.frame_count = 24;
    options.keyframe_interval = 5;
    ASSERT_NE(Open(options), nullptr);
    for (const int frame : {17, 3, 23, 0, 11, 10, 4, 20}) {
        ShowFrame(frame);
    }
}

TEST_F(TheoraDecoderTest, ALoopingWalkShowsFrameZeroAfterTheLast) {
    TheoraClipOptions options;
    options.frame_count = 14;
    options.keyframe_interval = 4;
    ASSERT_NE(Open(options, 4), nullptr);
    for (int step = 1; step <= 30; ++step) {
        layer::AdvanceTheoraFrame(decoder_, 1);
        ASSERT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
        ExpectImageOfFrame(step % 14);
    }
}

TEST_F(TheoraDecoderTest, AFullStockHoldsTheThreadUntilTheFrameMoves) {
    TheoraClipOptions options;
    options.frame_count = 30;
    ASSERT_NE(Open(options, 6), nullptr);
    WaitForFullStock(5);
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(decoder_->stock[i].valid, 1);
        frames.push_back(decoder_->stock[i].frame);
    }
    std::sort(frames.begin(), frames.end());
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(decoder_->state, layer::kTheoraStockFull);
    EXPECT_EQ(decoder_->last_decoded, 5);
    layer::AdvanceTheoraFrame(decoder_, 3);
    ASSERT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
    ExpectImageOfFrame(3);
    WaitForFullStock(8);
}

// With the stock full of the last frames, a step past the end lands on a frame below them all;
// they are behind it now and must make room for it.
TEST_F(TheoraDecoderTest, AStepPastTheEndFromAFullStockShowsTheFrameAfterTheWrap) {
    TheoraClipOptions options;
    options.frame_count = 14;
    ASSERT_NE(Open(options, 4), nullptr);
    ShowFrame(10);
    WaitForFullStock(13);
    layer::AdvanceTheoraFrame(decoder_, 5);
    ASSERT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
    ExpectImageOfFrame(1);
}

TEST_F(TheoraDecoderTest, ClosingWhileDecodingEndsTheThreadFirst) {
    TheoraClipOptions options;
    options.coded_width = 64;
    options.coded_height = 64;
    options.frame_count = 200;
    options.keyframe_interval = 64;
    ASSERT_NE(Open(options), nullptr);
    layer::AdvanceTheoraFrame(decoder_, 190);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(layer::CloseTheoraStream(decoder_), 0);
    decoder_ = nullptr;
    const std::int64_t read = test::clip_bytes_read;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(test::clip_bytes_read, read) << "nothing reads the file after closing";
}

TEST_F(TheoraDecoderTest, AFileThatIsNoOggIsRefusedAtOnce) {
    std::vector<std::uint8_t> bytes(5000, 'x');
    EXPECT_EQ(Open(bytes), nullptr);
    EXPECT_EQ(test::clip_bytes_read, 4);
}

// The clip with its coded frame declared as 16384 x 16400 pixels (1024 x 1025 macroblocks) in
// the identification header, the first page's check renewed.
std::vector<std::uint8_t> ClipDeclaringAHugeFrame() {
    std::vector<std::uint8_t> bytes = tools::WriteTheoraClip({}).bytes;
    const std::uint8_t identification[] = {0x80, 't', 'h', 'e', 'o', 'r', 'a'};
    const auto found = std::search(bytes.begin(), bytes.end(), std::begin(identification),
                                   std::end(identification));
    const auto at = static_cast<std::size_t>(found - bytes.begin());
    const long header_size = 27 + bytes[26];
    long body_size = 0;
    for (long i = 27; i < header_size; ++i) {
        body_size += bytes[static_cast<std::size_t>(i)];
    }
    if (at >= static_cast<std::size_t>(header_size + body_size)) {
        return {};  // not on the first page: the case fails as empty
    }
    const std::uint8_t macroblocks[] = {0x04, 0x00, 0x04, 0x01};
    std::copy(std::begin(macroblocks), std::end(macroblocks), bytes.begin() + long(at) + 10);
    ogg_page page{bytes.data(), header_size, bytes.data() + header_size, body_size};
    ogg_page_checksum_set(&page);
    return bytes;
}

TEST_F(TheoraDecoderTest, OggFilesWithoutAUsableTheoraStreamAreRefused) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool logs_end_of_headers;
    };
    TheoraClipOptions vorbis_only;
    vorbis_only.video = false;
    vorbis_only.tone_seconds = 0.3;
    TheoraClipOptions no_frame;
    no_frame.frame_count = 0;
    TheoraClipOptions oversized;
    oversized.coded_width = 65552;
    oversized.coded_height = 16;
    oversized.frame_count = 1;
    tools::TheoraClip cut = tools::WriteTheoraClip({});
    cut.bytes.resize(cut.third_header_page);
    const Case cases[] = {
        {"Vorbis only", tools::WriteTheoraClip(vorbis_only).bytes, false},
        {"cut before the third header", cut.bytes, true},
        {"no video frame", tools::WriteTheoraClip(no_frame).bytes, false},
        {"a picture wider than 65535", tools::WriteTheoraClip(oversized).bytes, false},
        {"a frame over the decoded-image budget", ClipDeclaringAHugeFrame(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.bytes.empty());
        test::clip_bytes_read = 0;
        EXPECT_EQ(Open(c.bytes), nullptr);
        EXPECT_GT(test::clip_bytes_read, 4) << "the headers were searched";
        EXPECT_EQ(
            ReadLog().find("End of file while searching for codec headers.") != std::string::npos,
            c.logs_end_of_headers);
        files_.close(file_);
        file_ = 0;
        layer::InitLog();
    }
}

// A decoder that has decoded no picture yet has none to give: the memory its output would name
// may be a closed decoder's.
TEST_F(TheoraDecoderTest, AFirstFrameThatCannotBeDecodedShowsNothing) {
    TheoraClipOptions options;
    options.coded_width = 16;
    options.coded_height = 16;
    options.frame_count = 4;
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NE(Open(options), nullptr);
        ExpectImageOfFrame(0);
        layer::CloseTheoraStream(decoder_);
        decoder_ = nullptr;
        files_.close(file_);
        TheoraClipOptions damaged = options;
        damaged.damaged_first_frame = true;
        TheoraDecoder* decoder = Open(damaged);
        ASSERT_NE(decoder, nullptr);
        EXPECT_EQ(layer::ConvertTheoraFrame(decoder, 1, 0), 0);
        for (int i = 0; i < decoder->stock_size; ++i) {
            EXPECT_EQ(decoder->stock[i].valid, 0) << "nothing was stocked";
        }
        ExpectImageOfFrame(0, [](const tools::YuvColour&) { return 0u; });
        layer::CloseTheoraStream(decoder_);
        decoder_ = nullptr;
        files_.close(file_);
        file_ = 0;
    }
}

TEST_F(TheoraDecoderTest, OnlyThePictureRegionIsShown) {
    struct Case {
        int width, height, x, y;
    };
    for (const Case& c :
         {Case{40, 28, 4, 2}, Case{32, 16, 0, 0}, Case{16, 8, 32, 24}, Case{15, 9, 3, 5}}) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "x" << c.height << " at " << c.x << "," << c.y);
        TheoraClipOptions options;
        options.picture_width = c.width;
        options.picture_height = c.height;
        options.picture_x = c.x;
        options.picture_y = c.y;
        options.frame_count = 3;
        ASSERT_NE(Open(options), nullptr);
        const layer::GraphImage& image = *layer::GetTheoraImage(decoder_);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        ExpectImageOfFrame(0);
        ShowFrame(2);
        layer::CloseTheoraStream(decoder_);
        decoder_ = nullptr;
        files_.close(file_);
        file_ = 0;
    }
}

// Frame 13 is (Y 120, U 111, V 151): its green is 121.056 + 6.647 - 18.699 = 109.004 in
// floating point, but (1983280 + 108902 - 306360) / 16384 = 108.997 through the tables.
TEST_F(TheoraDecoderTest, FullChromaTakesTheFloatingPointConversion) {
    const auto float_xrgb = [](const tools::YuvColour& colour) {
        const auto channel = [](double value) {
            const int truncated = static_cast<int>(value);
            return static_cast<std::uint32_t>(truncated < 0     ? 0
                                              : truncated > 255 ? 255
                                                                : truncated);
        };
        const double e = 1.164 * (colour.y - 16);
        const int u = colour.u - 128;
        const int v = colour.v - 128;
        return 0xFF000000u | channel(e + 1.596 * v) << 16 |
               channel(e - 0.391 * u - 0.813 * v) << 8 | channel(e + 2.018 * u);
    };
    EXPECT_EQ(float_xrgb(ClipFrameColour(13)), 0xFF9D6D56u);
    EXPECT_EQ(test::TableXrgb(ClipFrameColour(13)), 0xFF9D6C56u);
    TheoraClipOptions options;
    options.chroma_444 = true;
    options.picture_width = 24;
    options.picture_height = 16;
    options.picture_x = 16;
    options.picture_y = 8;
    options.frame_count = 14;
    ASSERT_NE(Open(options), nullptr);
    layer::RequestTheoraSeek(decoder_, 13);
    ASSERT_EQ(layer::ConvertTheoraFrame(decoder_, 1, 0), 1);
    ExpectImageOfFrame(13, float_xrgb);
}

}  // namespace
