#include "tests/layer/media/image_fixtures.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "layer/media/jpeg_library.h"

namespace test {

namespace {

void Put16(Bytes* out, std::uint32_t value) {
    out->push_back(static_cast<std::uint8_t>(value));
    out->push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes* out, std::uint32_t value) {
    Put16(out, value);
    Put16(out, value >> 16);
}

void Append(Bytes* out, const Bytes& more) {
    out->insert(out->end(), more.begin(), more.end());
}

std::uint8_t Widen5(int v) {
    return static_cast<std::uint8_t>(v << 3 | v >> 2);
}

int RowSize(int width, int bits) {
    return ((width * bits + 7) / 8 + 3) & ~3;
}

}  // namespace

Picture SamplePicture(int width, int height) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(Rgba{Widen5((x * 7 + y * 3) % 32), Widen5((x * 5 + 11) % 32),
                                          Widen5((y * 9 + x + 4) % 32), 255});
        }
    }
    return picture;
}

BmpSpec BmpLayout(int width, int height, int bit_count, std::uint32_t compression) {
    BmpSpec recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bit_count = bit_count;
    recipe.compression = compression;
    return recipe;
}

Bytes MakeBmp(const BmpSpec& recipe) {
    const std::uint32_t extra = recipe.write_masks ? 12 : 0;
    const std::uint32_t offset =
        14 + 40 + extra + static_cast<std::uint32_t>(recipe.palette.size()) * 4;
    Bytes out = {'B', 'M'};
    Put32(&out, offset + static_cast<std::uint32_t>(recipe.data.size()));
    Put32(&out, 0);
    Put32(&out, offset);
    Put32(&out, 40);
    Put32(&out, static_cast<std::uint32_t>(recipe.width));
    Put32(&out, static_cast<std::uint32_t>(recipe.height));
    Put16(&out, 1);
    Put16(&out, static_cast<std::uint32_t>(recipe.bit_count));
    Put32(&out, recipe.compression);
    Put32(&out, static_cast<std::uint32_t>(recipe.data.size()));
    Put32(&out, 2835);
    Put32(&out, 2835);
    Put32(&out, recipe.colours_used);
    Put32(&out, 0);
    if (recipe.write_masks) {
        for (std::uint32_t mask : recipe.masks) {
            Put32(&out, mask);
        }
    }
    for (const Rgba& entry : recipe.palette) {
        out.insert(out.end(), {entry.blue, entry.green, entry.red, 0});
    }
    Append(&out, recipe.data);
    return out;
}

Bytes PackIndexRows(const std::vector<std::uint8_t>& indices, int width, int height, int bits) {
    const int stored_height = height < 0 ? -height : height;
    const int row_size = RowSize(width, bits);
    Bytes out(static_cast<std::size_t>(row_size) * stored_height, 0);
    for (int stored = 0; stored < stored_height; ++stored) {
        const int y = height < 0 ? stored : stored_height - 1 - stored;
        std::uint8_t* row = out.data() + stored * row_size;
        for (int x = 0; x < width; ++x) {
            const int bit = x * bits;
            row[bit / 8] |=
                static_cast<std::uint8_t>(indices[y * width + x] << (8 - bits - bit % 8));
        }
    }
    return out;
}

Bytes PackValueRows(const std::vector<std::uint32_t>& values, int width, int height, int bytes) {
    const int stored_height = height < 0 ? -height : height;
    const int row_size = RowSize(width, bytes * 8);
    Bytes out(static_cast<std::size_t>(row_size) * stored_height, 0);
    for (int stored = 0; stored < stored_height; ++stored) {
        const int y = height < 0 ? stored : stored_height - 1 - stored;
        for (int x = 0; x < width; ++x) {
            for (int i = 0; i < bytes; ++i) {
                out[stored * row_size + x * bytes + i] =
                    static_cast<std::uint8_t>(values[y * width + x] >> (8 * i));
            }
        }
    }
    return out;
}

Bytes MakeTga(const TgaSpec& recipe) {
    Bytes out = {static_cast<std::uint8_t>(recipe.id.size()),
                 static_cast<std::uint8_t>(recipe.colour_map_type),
                 static_cast<std::uint8_t>(recipe.image_type)};
    Put16(&out, static_cast<std::uint32_t>(recipe.map_first));
    Put16(&out, static_cast<std::uint32_t>(recipe.map_length));
    out.push_back(static_cast<std::uint8_t>(recipe.map_entry_bits));
    Put16(&out, static_cast<std::uint32_t>(recipe.x_origin));
    Put16(&out, static_cast<std::uint32_t>(recipe.y_origin));
    Put16(&out, static_cast<std::uint32_t>(recipe.width));
    Put16(&out, static_cast<std::uint32_t>(recipe.height));
    out.push_back(static_cast<std::uint8_t>(recipe.pixel_bits));
    out.push_back(static_cast<std::uint8_t>(recipe.descriptor));
    Append(&out, recipe.id);
    Append(&out, recipe.colour_map);
    Append(&out, recipe.data);
    if (recipe.footer) {
        Put32(&out, recipe.extension_offset);
        Put32(&out, 0);
        const char signature[] = "TRUEVISION-XFILE.";
        out.insert(out.end(), signature, signature + sizeof signature);
    }
    return out;
}

Bytes TgaPackets(const Bytes& values, int value_bytes) {
    const std::size_t count = values.size() / value_bytes;
    auto same = [&](std::size_t a, std::size_t b) {
        return std::memcmp(&values[a * value_bytes], &values[b * value_bytes], value_bytes) == 0;
    };
    Bytes out;
    std::size_t i = 0;
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run)) {
            ++run;
        }
        if (run > 1) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), &values[i * value_bytes], &values[(i + 1) * value_bytes]);
        } else {
            std::size_t literal = 1;
            while (i + literal < count && literal < 128 &&
                   (i + literal + 1 >= count || !same(i + literal, i + literal + 1))) {
                ++literal;
            }
            out.push_back(static_cast<std::uint8_t>(literal - 1));
            out.insert(out.end(), &values[i * value_bytes], &values[(i + literal) * value_bytes]);
            run = literal;
        }
        i += run;
    }
    return out;
}

Bytes MakeBgra8(const Picture& picture) {
    Bytes out = {'B', 'G', 'R', 'A'};
    Put32(&out, 0x08080808);
    Put32(&out, static_cast<std::uint32_t>(picture.width));
    Put32(&out, static_cast<std::uint32_t>(picture.height));
    for (const Rgba& pixel : picture.pixels) {
        out.insert(out.end(), {pixel.blue, pixel.green, pixel.red, pixel.alpha});
    }
    return out;
}

Bytes MakeBgra16(int width, int height, const std::vector<std::uint16_t>& channels) {
    Bytes out = {'B', 'G', 'R', 'A'};
    Put32(&out, 0x10101010);
    Put32(&out, static_cast<std::uint32_t>(width));
    Put32(&out, static_cast<std::uint32_t>(height));
    for (std::uint16_t channel : channels) {
        Put16(&out, channel);
    }
    return out;
}

std::uint32_t FourCc(const char* letters) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(letters[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(letters[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(letters[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(letters[3])) << 24;
}

Bytes MakeDds(const DdsSpec& recipe) {
    Bytes out = {'D', 'D', 'S', ' '};
    Put32(&out, 124);
    Put32(&out, recipe.flags);
    Put32(&out, static_cast<std::uint32_t>(recipe.height));
    Put32(&out, static_cast<std::uint32_t>(recipe.width));
    Put32(&out, recipe.pitch);
    Put32(&out, 0);
    Put32(&out, recipe.mip_count);
    for (int i = 0; i < 11; ++i) {
        Put32(&out, 0);
    }
    Put32(&out, 32);
    Put32(&out, recipe.format_flags);
    Put32(&out, recipe.four_cc);
    Put32(&out, recipe.rgb_bits);
    for (std::uint32_t mask : recipe.masks) {
        Put32(&out, mask);
    }
    Put32(&out, recipe.caps);
    for (int i = 0; i < 4; ++i) {
        Put32(&out, 0);
    }
    Append(&out, recipe.data);
    return out;
}

Bytes DxtColourBlock(std::uint16_t colour0, std::uint16_t colour1,
                     const std::vector<int>& indices) {
    Bytes out;
    Put16(&out, colour0);
    Put16(&out, colour1);
    std::uint32_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        bits |= static_cast<std::uint32_t>(indices[i] & 3) << (2 * i);
    }
    Put32(&out, bits);
    return out;
}

namespace {

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

}  // namespace

PngSpec PngLayout(int width, int height, int bit_depth, int colour_type, bool interlaced) {
    PngSpec recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.bit_depth = bit_depth;
    recipe.colour_type = colour_type;
    recipe.interlaced = interlaced;
    return recipe;
}

Bytes MakePng(const PngSpec& recipe) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    // No jump buffer: a fixture the library refuses aborts the test run.
    png_set_write_fn(png, &out, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(recipe.width),
                 static_cast<png_uint_32>(recipe.height), recipe.bit_depth, recipe.colour_type,
                 recipe.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const Rgba& entry : recipe.palette) {
        palette.push_back(png_color{entry.red, entry.green, entry.blue});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    png_color_16 grey_key{};
    if (!recipe.transparency.empty()) {
        if (recipe.colour_type == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, recipe.transparency.data(),
                         static_cast<int>(recipe.transparency.size()), nullptr);
        } else {
            grey_key.gray =
                static_cast<png_uint_16>(recipe.transparency[0] << 8 | recipe.transparency[1]);
            grey_key.red = grey_key.gray;
            png_set_tRNS(png, info, nullptr, 0, &grey_key);
        }
    }
    png_write_info(png, info);
    const std::size_t row_size = recipe.rows.size() / recipe.height;
    std::vector<png_bytep> rows;
    for (int y = 0; y < recipe.height; ++y) {
        rows.push_back(const_cast<png_bytep>(recipe.rows.data() + y * row_size));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes PngOf(const Picture& picture) {
    PngSpec recipe = PngLayout(picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB_ALPHA);
    for (const Rgba& pixel : picture.pixels) {
        recipe.rows.insert(recipe.rows.end(), {pixel.red, pixel.green, pixel.blue, pixel.alpha});
    }
    return MakePng(recipe);
}

Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(samples.data() + info.next_scanline * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes Truncated(const Bytes& bytes, std::size_t size) {
    return Bytes(bytes.begin(),
                 bytes.begin() + static_cast<std::ptrdiff_t>(std::min(size, bytes.size())));
}

Bytes BitFlipped(const Bytes& bytes, std::size_t offset, int bit) {
    Bytes out = bytes;
    out[offset % out.size()] ^= static_cast<std::uint8_t>(1 << bit);
    return out;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test
