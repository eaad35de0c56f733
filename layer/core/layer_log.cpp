#include "layer/core/layer_log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "layer/core/double_byte_text.h"
#include "layer/core/layer_api.h"
#include "layer/core/text_format.h"
#include "layer/core/time_routines.h"
#include "layer/core/tracked_memory.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"

namespace layer {
namespace {

constexpr const char* kLogFileName = "Log.txt";
constexpr std::size_t kFormatBufferSize = 1024;
// Texts whose converted form fits here need no allocation.
constexpr std::size_t kStackTextSize = 2048;

struct LayerLog {
    std::atomic<int> log_off{0};
    std::string folder;
    int indent_level = 0;
    int mid_line = 0;
    int start_time = 0;
};

std::mutex log_mutex;
LayerLog layer_log;

bool EndsWithBackslash(const std::string& folder) {
    bool last_is_backslash = false;
    for (std::size_t i = 0; i < folder.size();) {
        const auto byte = static_cast<unsigned char>(folder[i]);
        const bool pair = IsDoubleByteLead(byte, kShiftJisCharset) && i + 1 < folder.size();
        last_is_backslash = !pair && byte == '\\';
        i += pair ? 2 : 1;
    }
    return last_is_backslash;
}

std::string LogFilePath() {
    const std::string& folder = layer_log.folder;
    return folder + (EndsWithBackslash(folder) ? "" : "\\") + kLogFileName;
}

// Copies the text with each LF turned into CR LF, up to the first LF that already has its CR;
// the rest is copied as it stands. Returns the length written.
std::size_t ConvertLineEnds(const char* text, std::size_t length, char* out) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < length;) {
        if (IsDoubleByteLead(static_cast<unsigned char>(text[i]), kShiftJisCharset) &&
            i + 1 < length) {
            out[written++] = text[i++];
            out[written++] = text[i++];
            continue;
        }
        if (text[i] == '\n') {
            if (i > 0 && text[i - 1] == '\r') {
                std::memcpy(out + written, text + i, length - i);
                return written + length - i;
            }
            out[written++] = '\r';
        }
        out[written++] = text[i++];
    }
    return written;
}

void CopyToDebugOutput(std::string_view text) {
    const char* enabled = std::getenv("QVARN_DEBUG_OUTPUT");
    if (enabled != nullptr && std::strcmp(enabled, "1") == 0) {
        std::fputs(platform::Cp932ToUtf8(text).c_str(), stderr);
    }
}

void AppendToLogFile(std::string_view text) {
    std::lock_guard lock(log_mutex);
    if (layer_log.log_off.load() != 0 || layer_log.folder.empty()) {
        return;
    }
    std::optional<platform::File> file = platform::OpenFileForAppend(LogFilePath());
    if (!file) {
        return;
    }
    if (layer_log.mid_line == 0) {
        const unsigned elapsed = static_cast<unsigned>(ReadMillisecondClock()) -
                                 static_cast<unsigned>(layer_log.start_time);
        char stamp[16];
        const int stamp_length =
            std::snprintf(stamp, sizeof(stamp), "%d:", static_cast<int>(elapsed & 0x7FFFFFFFu));
        file->Write(stamp, static_cast<std::size_t>(stamp_length));
        if (layer_log.indent_level > 0) {
            const std::string tabs(static_cast<std::size_t>(layer_log.indent_level), '\t');
            file->Write(tabs.data(), tabs.size());
            CopyToDebugOutput(tabs);
        }
    }
    file->Write(text.data(), text.size());
    CopyToDebugOutput(text);
    layer_log.mid_line = text.empty() || text.back() != '\n' ? 1 : 0;
}

}  // namespace

void SetLogFolder(std::string_view folder) {
    std::lock_guard lock(log_mutex);
    layer_log.folder = folder;
}

int InitLog() {
    std::lock_guard lock(log_mutex);
    if (layer_log.log_off.load() != 0) {
        return 1;
    }
    // The folder is the current folder at start-up; without one the file goes there.
    platform::CreateFileForWrite(layer_log.folder.empty() ? kLogFileName : LogFilePath());
    layer_log.indent_level = 0;
    layer_log.mid_line = 0;
    layer_log.start_time = ReadMillisecondClock();
    return 1;
}

int WriteLog(const char* text) {
    if (text == nullptr || layer_log.log_off.load() != 0) {
        return -1;
    }
    // Converted before the log is locked: a long text allocates, and a failed allocation logs.
    const std::size_t length = std::strlen(text);
    char stack_text[kStackTextSize];
    char* converted = stack_text;
    void* allocated = nullptr;
    if (length * 2 > sizeof(stack_text)) {
        allocated = AllocTracked(length * 2, __FILE__, __LINE__);
        if (allocated == nullptr) {
            return -1;
        }
        converted = static_cast<char*>(allocated);
    }
    AppendToLogFile(std::string_view(converted, ConvertLineEnds(text, length, converted)));
    FreeTracked(allocated);
    return -1;
}

int WriteLogFormat(const char* format, ...) {
    if (layer_log.log_off.load() != 0) {
        return -1;
    }
    // One byte of the buffer stays free for the line feed.
    char buffer[kFormatBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = FormatTextV(buffer, sizeof(buffer) - 1, format, arguments);
    va_end(arguments);
    const std::size_t end = length > 0 ? static_cast<std::size_t>(length) : 0;
    buffer[end] = '\n';
    buffer[end + 1] = '\0';
    return WriteLog(buffer);
}

void ResetLogLine() {
    std::lock_guard lock(log_mutex);
    layer_log.indent_level = 0;
    layer_log.mid_line = 0;
}

int SetLogEnabled(int flag) {
    layer_log.log_off.store(flag == 0 ? 1 : 0);
    return 0;
}

int IncreaseLogIndent() {
    std::lock_guard lock(log_mutex);
    ++layer_log.indent_level;
    return 0;
}

int DecreaseLogIndent() {
    std::lock_guard lock(log_mutex);
    if (layer_log.indent_level > 0) {
        --layer_log.indent_level;
    }
    return 0;
}

}  // namespace layer
