#include "layer/core/file_operation_table.h"
#include "layer/core/stream_functions.h"

namespace layer {
namespace {

FileHandle AsFile(StreamValue stream) {
    return static_cast<FileHandle>(stream);
}

std::int64_t TellFileStream(StreamValue stream) {
    return DispatchFileTell(AsFile(stream));
}
int SeekFileStream(std::int64_t offset, int origin, StreamValue stream) {
    return DispatchFileSeek(AsFile(stream), offset, origin);
}
int ReadFileStream(void* destination, int element_size, int count, StreamValue stream) {
    return DispatchFileRead(destination, element_size, count, AsFile(stream));
}
int FileStreamEof(StreamValue stream) {
    return DispatchFileEof(AsFile(stream));
}
int FileStreamIdle(StreamValue stream) {
    return DispatchFileIdle(AsFile(stream));
}
int CloseFileStream(StreamValue stream) {
    return DispatchFileClose(AsFile(stream));
}

}  // namespace

const StreamFunctions* GetFileStreamFunctions() {
    static constexpr StreamFunctions kFileStreams = {
        TellFileStream, SeekFileStream, ReadFileStream,
        FileStreamEof,  FileStreamIdle, CloseFileStream,
    };
    return &kFileStreams;
}

}  // namespace layer
