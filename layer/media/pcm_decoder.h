#pragma once

// Every sound file that enters the layer becomes PCM through a PcmDecoder: a reader chosen by
// trying RIFF/WAVE with PCM data, RIFF/WAVE with compressed data, Ogg Vorbis and MP3 in turn,
// which then delivers PCM bytes on demand, seeks to a sample and tells the PCM format and
// length. The decoder never owns its stream.

#include <vorbis/vorbisfile.h>

#include <cstdint>

#include "layer/media/bound_stream.h"
#include "layer/media/wave_format.h"

namespace layer {

struct PcmConverter;

enum PcmDecoderKind : int {
    kPcmDecoderPcm = 0,
    kPcmDecoderConverted = 1,
    kPcmDecoderOggVorbis = 2,
};

struct PcmDecoder {
    int open = 0;
    // 1 once a read ran out of data.
    int end = 0;
    int kind = 0;
    BoundStream stream;
    int format_position = 0;
    int format_size = 0;
    // Where the sound data starts in the stream and its bytes (Ogg Vorbis: its PCM bytes).
    int data_offset = 0;
    int data_size = 0;
    WaveFormat output;

    // Converted data: the source format, the main and the spare converter, the whole
    // compressed data, the main converter's read offset into it, the total samples (-1 when
    // unknown; MP3 counts them), and the spare converter's read offset, PCM produced and
    // output buffer.
    std::uint8_t* source_format = nullptr;
    int source_format_size = 0;
    PcmConverter* main_converter = nullptr;
    PcmConverter* spare_converter = nullptr;
    std::uint8_t* compressed = nullptr;
    int compressed_size = 0;
    int compressed_offset = 0;
    int total_samples = -1;
    int spare_offset = 0;
    int spare_produced = 0;
    std::uint8_t* spare_output = nullptr;

    // Ogg Vorbis.
    int vorbis_opened = 0;
    OggVorbis_File vorbis{};
    int word_size = 2;

    std::uint8_t* output_buffer = nullptr;
    int output_size = 0;
    int valid = 0;
    int read_offset = 0;
    // Position in PCM bytes.
    int position = 0;
    // The PCM byte position later backward seeks are expected to hit (0, or a loop point).
    int spare_target = 0;
    int vorbis_copy_selector = 0;
};

int OpenPcmDecoder(const BoundStream& stream, PcmDecoder* decoder);
int ClosePcmDecoder(PcmDecoder* decoder);
// Bytes delivered (fewer at the end); -1 when not open; 0 once the end flag is set.
int ReadPcmDecoder(PcmDecoder* decoder, void* destination, int count);
int SeekPcmDecoder(PcmDecoder* decoder, int sample);
int GetPcmDecoderFormat(const PcmDecoder* decoder, WaveFormat* format);
// PCM bytes needed for the whole source.
int GetPcmDecoderLength(PcmDecoder* decoder);
// The whole source decoded into tracked memory: 0, or -1 when the memory cannot be had.
int DecodeWholePcm(PcmDecoder* decoder, WaveFormat* format, std::uint8_t** pcm, int* size);

// Whole files and streams into tracked memory, and a RIFF/WAVE image of PCM.
int ReadWholeSoundFile(const char* path, std::uint8_t** image, int* size);
int ReadWholeStream(const BoundStream& stream, std::uint8_t** image, int* size);
int BuildWaveImage(std::uint8_t** image, int* size, const WaveFormat& format, const void* pcm,
                   int pcm_size);

// The readers, each given the decoder with its stream at offset 0: 0 accepted, -1 not.
int OpenPcmWave(PcmDecoder* decoder);
int OpenAcmWave(PcmDecoder* decoder);
int OpenOggVorbis(PcmDecoder* decoder);
int OpenMp3(PcmDecoder* decoder);
// Block producers: fill the output buffer; -1 at the end of the data.
int ReadPcmBlock(PcmDecoder* decoder);
int ConvertAcmBlock(PcmDecoder* decoder);
int DecodeOggBlock(PcmDecoder* decoder);
void SeekPcmData(PcmDecoder* decoder, int target);
void SeekAcmData(PcmDecoder* decoder, int target);
void SeekOggVorbis(PcmDecoder* decoder, int sample);
void CloseAcmDecoder(PcmDecoder* decoder);
void CloseOggVorbis(PcmDecoder* decoder);
int GetOggPcmLength(PcmDecoder* decoder);
int GetOggPcmCapacity(PcmDecoder* decoder);

// An MPEG audio frame header.
struct MpegFrameHeader {
    int mpeg1 = 0;
    int layer = 0;
    int bit_rate = 0;
    int sampling_frequency = 0;
    int padding = 0;
    int channels = 0;
    int frame_length = 0;
    int samples_per_frame = 0;
};
// 0; -2 without the frame sync; -1 for a reserved layer, a bit-rate index of 15 or 0 (free
// format, whose frames have no length to scan by) or a sampling-frequency index of 3.
int ParseMpegFrameHeader(const std::uint8_t* bytes, MpegFrameHeader* header);

}  // namespace layer
