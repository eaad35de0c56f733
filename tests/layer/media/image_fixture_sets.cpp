// The fixture collection shared by the bad-input tests and the fuzz seed corpus.
#include <png.h>

#include "tests/layer/media/image_fixtures.h"

namespace test {

namespace {

std::vector<std::uint8_t> Indices(int count, int modulo) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(static_cast<std::uint8_t>((i * 7 + 3) % modulo));
    }
    return out;
}

std::vector<Rgba> Palette(int count) {
    std::vector<Rgba> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(Rgba{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 91),
                           static_cast<std::uint8_t>(255 - i * 13), 255});
    }
    return out;
}

Bytes Bmp(int bits, int width, int height) {
    BmpSpec recipe = BmpLayout(width, height, bits);
    if (bits <= 8) {
        recipe.palette = Palette(1 << bits);
        recipe.data = PackIndexRows(Indices(width * (height < 0 ? -height : height), 1 << bits),
                                    width, height, bits);
    } else {
        std::vector<std::uint32_t> values;
        for (int i = 0; i < width * (height < 0 ? -height : height); ++i) {
            values.push_back(0x00123456u * static_cast<std::uint32_t>(i + 1));
        }
        recipe.data = PackValueRows(values, width, height, bits / 8);
    }
    return MakeBmp(recipe);
}

Bytes Rle8Bmp() {
    BmpSpec recipe = BmpLayout(6, 3, 8, 1);
    recipe.palette = Palette(256);
    recipe.data = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 6, 0, 2, 2, 1, 2, 5, 0, 1};
    return MakeBmp(recipe);
}

Bytes Rle4Bmp() {
    BmpSpec recipe = BmpLayout(6, 2, 4, 2);
    recipe.palette = Palette(16);
    recipe.data = {5, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 2, 1, 0, 2, 0x77, 0, 1};
    return MakeBmp(recipe);
}

Bytes BitFieldBmp() {
    BmpSpec recipe = BmpLayout(3, 2, 16, 3);
    recipe.write_masks = true;
    recipe.masks[0] = 0xF800;
    recipe.masks[1] = 0x7E0;
    recipe.masks[2] = 0x1F;
    recipe.data = PackValueRows({0xF800, 0x7E0, 0x1F, 0xFFFF, 0, 0x8410}, 3, 2, 2);
    return MakeBmp(recipe);
}

Bytes Tga(int type, int descriptor, bool footer, int id_bytes) {
    TgaSpec recipe;
    recipe.image_type = type;
    recipe.width = 4;
    recipe.height = 3;
    recipe.descriptor = descriptor;
    recipe.footer = footer;
    recipe.id.assign(static_cast<std::size_t>(id_bytes), 0x41);
    Bytes values;
    if (type == 1 || type == 9) {
        recipe.colour_map_type = 1;
        recipe.map_length = 4;
        recipe.map_entry_bits = 24;
        recipe.pixel_bits = 8;
        recipe.colour_map = {0, 0, 255, 0, 255, 0, 255, 0, 0, 9, 9, 9};
        values = {0, 1, 2, 3, 3, 3, 3, 1, 2, 0, 0, 0};
    } else {
        for (int i = 0; i < 12; ++i) {
            values.insert(values.end(), {static_cast<std::uint8_t>(i * 20), 7,
                                         static_cast<std::uint8_t>(i < 6 ? 5 : 200)});
        }
    }
    const int value_bytes = (type == 1 || type == 9) ? 1 : 3;
    recipe.data = (type == 9 || type == 10) ? TgaPackets(values, value_bytes) : values;
    return MakeTga(recipe);
}

Bytes Dxt(const char* four_cc) {
    DdsSpec recipe;
    recipe.width = 4;
    recipe.height = 4;
    recipe.format_flags = 0x4;
    recipe.four_cc = FourCc(four_cc);
    if (four_cc[3] != '1') {
        recipe.data = {0xFF, 0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
    }
    const Bytes colour =
        DxtColourBlock(0xF800, 0x001F, {0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 1, 1, 2, 2, 3, 3});
    recipe.data.insert(recipe.data.end(), colour.begin(), colour.end());
    return MakeDds(recipe);
}

Bytes MaskedDds(std::uint32_t flags) {
    DdsSpec recipe;
    recipe.width = 2;
    recipe.height = 2;
    recipe.format_flags = flags;
    recipe.rgb_bits = 32;
    recipe.masks[0] = 0xFF0000;
    recipe.masks[1] = 0xFF00;
    recipe.masks[2] = 0xFF;
    recipe.masks[3] = 0xFF000000;
    recipe.data.assign(16, 0x5A);
    return MakeDds(recipe);
}

Bytes NumberedDds() {
    DdsSpec recipe;
    recipe.flags = 0x100F;
    recipe.width = 2;
    recipe.height = 2;
    recipe.pitch = 4;
    recipe.format_flags = 0x4;
    recipe.four_cc = 23;
    recipe.data = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF};
    return MakeDds(recipe);
}

Bytes Png(int colour_type, int bit_depth, bool transparency, bool interlaced) {
    PngSpec recipe = PngLayout(5, 4, bit_depth, colour_type, interlaced);
    const int channels = colour_type == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                         : colour_type == PNG_COLOR_TYPE_RGB        ? 3
                         : colour_type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                    : 1;
    const int row_size = (recipe.width * channels * bit_depth + 7) / 8;
    for (int i = 0; i < row_size * recipe.height; ++i) {
        recipe.rows.push_back(static_cast<std::uint8_t>(i * 29 + 7));
    }
    if (colour_type == PNG_COLOR_TYPE_PALETTE) {
        recipe.palette = Palette(16);
        for (std::uint8_t& byte : recipe.rows) {
            byte &= bit_depth == 8 ? 0x0F : 0xFF;
        }
        if (transparency) {
            recipe.transparency = {0, 128, 255};
        }
    } else if (transparency) {
        recipe.transparency = {0, 0x55};
    }
    return MakePng(recipe);
}

Bytes Jpeg(int width, int height, int components) {
    Bytes samples;
    for (int i = 0; i < width * height * components; ++i) {
        samples.push_back(static_cast<std::uint8_t>(i * 13));
    }
    return MakeJpeg(width, height, components, samples);
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> SeedFiles() {
    return {
        {"bmp1.bmp", Bmp(1, 9, 3)},
        {"bmp2.bmp", Bmp(2, 5, 2)},
        {"bmp4.bmp", Bmp(4, 5, 3)},
        {"bmp8.bmp", Bmp(8, 3, 2)},
        {"bmp16.bmp", Bmp(16, 3, 2)},
        {"bmp24_top_down.bmp", Bmp(24, 3, -2)},
        {"bmp32.bmp", Bmp(32, 2, 2)},
        {"bmp_rle8.bmp", Rle8Bmp()},
        {"bmp_rle4.bmp", Rle4Bmp()},
        {"bmp_bit_fields.bmp", BitFieldBmp()},
        {"tga1.tga", Tga(1, 0x00, false, 0)},
        {"tga2_footer.tga", Tga(2, 0x20, true, 0)},
        {"tga9_id.tga", Tga(9, 0x10, false, 8)},
        {"tga10_footer.tga", Tga(10, 0x00, true, 3)},
        {"bgra8.bgra", MakeBgra8(SamplePicture(3, 2))},
        {"bgra16.bgra", MakeBgra16(1, 1, {0x1234, 0x5678, 0x9ABC, 0xDEF0})},
        {"dxt1.dds", Dxt("DXT1")},
        {"dxt3.dds", Dxt("DXT3")},
        {"dxt5.dds", Dxt("DXT5")},
        {"numbered23.dds", NumberedDds()},
        {"masks41.dds", MaskedDds(0x41)},
        {"masks40.dds", MaskedDds(0x40)},
        {"palette16.png", Png(PNG_COLOR_TYPE_PALETTE, 8, false, false)},
        {"palette_trns.png", Png(PNG_COLOR_TYPE_PALETTE, 8, true, false)},
        {"grey2.png", Png(PNG_COLOR_TYPE_GRAY, 2, false, false)},
        {"grey_trns.png", Png(PNG_COLOR_TYPE_GRAY, 8, true, false)},
        {"grey_alpha.png", Png(PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false)},
        {"rgba16.png", Png(PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false)},
        {"interlaced.png", Png(PNG_COLOR_TYPE_RGB, 8, false, true)},
        {"grey.jpg", Jpeg(8, 8, 1)},
        {"colour_odd.jpg", Jpeg(5, 3, 3)},
        {"cmyk.jpg", Jpeg(4, 4, 4)},
    };
}

std::vector<std::pair<std::string, Bytes>> DamagedFiles() {
    std::vector<std::pair<std::string, Bytes>> out;
    for (const auto& [name, bytes] : SeedFiles()) {
        for (std::size_t size : {bytes.size() - 1, bytes.size() / 2, std::size_t{20}}) {
            out.emplace_back(name + ".cut" + std::to_string(size), Truncated(bytes, size));
        }
        for (std::size_t offset : {std::size_t{2}, std::size_t{5}, std::size_t{13}, std::size_t{22},
                                   std::size_t{30}, bytes.size() / 2, bytes.size() - 3}) {
            for (int bit : {0, 7}) {
                out.emplace_back(
                    name + ".flip" + std::to_string(offset) + "_" + std::to_string(bit),
                    BitFlipped(bytes, offset, bit));
            }
        }
    }
    return out;
}

}  // namespace test
