// Files that exist but do not decode: told apart by their signature and named on standard
// error, so that a damaged picture or sound is not just missing from the game without a word.
#include "layer/media/undecodable_file.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "layer/core/file_operation_table.h"
#include "layer/core/layer_api.h"
#include "layer/core/stream_functions.h"
#include "layer/core/text_format.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loaders.h"
#include "layer/media/pcm_decoder.h"
#include "layer/media/smf_check.h"
#include "layer/media/tracked_block.h"
#include "layer/media/undecodable_file_texts.h"

namespace layer {
namespace {

struct Signature {
    std::size_t offset;
    std::span<const std::uint8_t> bytes;
    const char* format;
};

// Enough of a file's start to hold every signature below.
constexpr int kSignatureBytes = 16;

constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF};
constexpr std::uint8_t kBmp[] = {'B', 'M'};
constexpr std::uint8_t kDds[] = {'D', 'D', 'S', ' '};
constexpr std::uint8_t kBgra[] = {'B', 'G', 'R', 'A'};
constexpr std::uint8_t kWave[] = {'W', 'A', 'V', 'E'};
constexpr std::uint8_t kOgg[] = {'O', 'g', 'g', 'S'};
constexpr std::uint8_t kId3[] = {'I', 'D', '3'};
constexpr std::uint8_t kMidi[] = {'M', 'T', 'h', 'd'};

constexpr Signature kImageSignatures[] = {
    {0, kPng, "PNG"}, {0, kJpeg, "JPEG"}, {0, kBmp, "BMP"}, {0, kDds, "DDS"}, {0, kBgra, "BGRA"},
};

// A WAV file's form type follows "RIFF" and the size.
constexpr Signature kSoundSignatures[] = {
    {8, kWave, "WAV"},
    {0, kOgg, "Ogg Vorbis"},
    {0, kId3, "MP3"},
};

constexpr Signature kOggPage{0, kOgg, "Ogg"};
constexpr Signature kMidiHeader{0, kMidi, "MIDI"};

bool Begins(const std::uint8_t* bytes, std::size_t size, const Signature& signature) {
    return size >= signature.offset + signature.bytes.size() &&
           std::memcmp(bytes + signature.offset, signature.bytes.data(), signature.bytes.size()) ==
               0;
}

// An MPEG audio frame's eleven sync bits, as a file without a tag begins.
bool BeginsWithMpegFrame(const std::uint8_t* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
}

template <std::size_t N>
const char* FormatOf(const Signature (&signatures)[N], const std::uint8_t* bytes,
                     std::size_t size) {
    for (const Signature& signature : signatures) {
        if (Begins(bytes, size, signature)) {
            return signature.format;
        }
    }
    return nullptr;
}

constexpr std::size_t kReasonCapacity = 128;

std::string Damaged(const char* format, const char* name) {
    char reason[kReasonCapacity];
    FormatText(reason, sizeof reason, format, name);
    return reason;
}

bool DecodesAsImage(const void* image, int size) {
    const StreamValue value = OpenMemoryStream(image, size);
    if (value == 0) {
        return true;
    }
    GraphImage decoded;
    const bool decodes =
        DecodeImageFromStream(BoundStream{*GetMemoryStreamFunctions(), value}, &decoded) == 0;
    FreeGraphImage(&decoded);
    CloseMemoryStream(value);
    return decodes;
}

// Decoded whole, as a sound played from memory is: at least one block of PCM.
bool DecodesAsSound(const void* image, int size) {
    const StreamValue value = OpenMemoryStream(image, size);
    if (value == 0) {
        return true;
    }
    PcmDecoder decoder;
    bool decodes = false;
    if (OpenPcmDecoder(BoundStream{*GetMemoryStreamFunctions(), value}, &decoder) == 0) {
        WaveFormat format;
        std::uint8_t* pcm = nullptr;
        int pcm_size = 0;
        if (DecodeWholePcm(&decoder, &format, &pcm, &pcm_size) == 0) {
            const TrackedBlock owned = TrackedBlock::Adopt(pcm);
            decodes = pcm_size >= format.block_align;
        }
        ClosePcmDecoder(&decoder);
    }
    CloseMemoryStream(value);
    return decodes;
}

bool Decodes(int kind, const void* image, int size) {
    switch (kind) {
        case kImageFile:
            return DecodesAsImage(image, size);
        case kSoundFile:
            return DecodesAsSound(image, size);
        case kMidiFile:
            return IsWholeMidiFile(static_cast<const std::uint8_t*>(image),
                                   static_cast<std::size_t>(size));
        default:
            return true;
    }
}

void PrintUndecodableFile(const char* path, const std::string& reason) {
    PrintConsoleText((std::string(path) + ": " + reason + "\n").c_str());
}

}  // namespace

std::string UndecodableReason(int kind, const std::uint8_t* bytes, std::size_t size) {
    if (kind == kSoundFile) {
        const char* format = FormatOf(kSoundSignatures, bytes, size);
        if (format == nullptr && BeginsWithMpegFrame(bytes, size)) {
            format = "MP3";
        }
        return format != nullptr ? Damaged(kDamagedSoundFormat, format) : kNotASoundText;
    }
    if (kind == kMidiFile) {
        return Begins(bytes, size, kMidiHeader) ? kDamagedMidiFileText : kNotAMidiFileText;
    }
    const char* format = FormatOf(kImageSignatures, bytes, size);
    return format != nullptr ? Damaged(kDamagedImageFormat, format) : kNotAnImageText;
}

void NameUndecodableImageOrMovie(const char* path) {
    std::uint8_t head[kSignatureBytes] = {};
    int size = 0;
    if (const FileHandle file = DispatchFileOpen(path, 0, 1, 0); file != 0) {
        size = DispatchFileRead(head, 1, kSignatureBytes, file);
        DispatchFileClose(file);
    }
    const auto bytes = static_cast<std::size_t>(std::max(size, 0));
    PrintUndecodableFile(path, Begins(head, bytes, kOggPage)
                                   ? std::string(kDamagedMovieText)
                                   : UndecodableReason(kImageFile, head, bytes));
}

int NameUndecodableFile(const char* path, int kind, const void* image, int size) {
    if (path == nullptr || (image == nullptr && size != 0) || size < 0 ||
        Decodes(kind, image, size)) {
        return 0;
    }
    PrintUndecodableFile(path, UndecodableReason(kind, static_cast<const std::uint8_t*>(image),
                                                 static_cast<std::size_t>(size)));
    return 1;
}

}  // namespace layer
