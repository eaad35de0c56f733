// Bytes through a memory stream into the Theora decoder: opened, a few frames shown forward and
// after a seek, then closed.
#include <cstdint>

#include "layer/core/file_operation_table.h"
#include "layer/core/stream_functions.h"
#include "layer/media/media_services.h"
#include "layer/media/theora_decoder.h"

namespace {

// The one stream the file operations below read, whatever handle they are given.
layer::StreamValue stream = 0;

std::int64_t Tell(layer::FileHandle) {
    return layer::GetMemoryStreamFunctions()->tell(stream);
}
int Seek(layer::FileHandle, std::int64_t offset, int origin) {
    return layer::SeekMemoryStream(offset, origin, stream);
}
int Read(void* destination, int element_size, int count, layer::FileHandle) {
    return layer::ReadMemoryStream(destination, element_size, count, stream);
}
int Eof(layer::FileHandle) {
    return layer::GetMemoryStreamFunctions()->eof(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int tables = layer::BuildYuvTables();
    (void)tables;
    stream = layer::OpenMemoryStream(data, static_cast<std::int64_t>(size));
    layer::FileOperationTable files{};
    files.tell = Tell;
    files.seek = Seek;
    files.read = Read;
    files.eof = Eof;
    if (layer::TheoraDecoder* decoder = layer::OpenTheoraStream(files, 1, 4)) {
        layer::TheoraInfo info;
        layer::QueryTheoraInfo(decoder, &info);
        for (int step = 0; step < 3; ++step) {
            layer::AdvanceTheoraFrame(decoder, 1);
            layer::ConvertTheoraFrame(decoder, 1, 0);
        }
        layer::RequestTheoraSeek(decoder, static_cast<int>(info.frame_count / 2));
        layer::ConvertTheoraFrame(decoder, 1, 0);
        layer::CloseTheoraStream(decoder);
    }
    layer::CloseMemoryStream(stream);
    return 0;
}
