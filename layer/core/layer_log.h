#pragma once

#include <string_view>

namespace layer {

// The layer's text log, "Log.txt" in the start-up folder: CP932 lines ended by CR LF, each
// beginning with "%d:" (milliseconds since InitLog) and one TAB per indent level. The file is
// opened and closed for every text, so that everything logged before a crash is on disk. Every
// text (not its time stamp) is also copied to stderr in UTF-8 when QVARN_DEBUG_OUTPUT=1. Nothing
// at all is written while the log is off. Safe to call from any thread.

// The folder that holds the log (a game path); empty drops every text. Set by the layer
// start-up before InitLog.
void SetLogFolder(std::string_view folder);
// Starts a new log: the file is emptied and the time stamps count from now. Returns 1.
int InitLog();
// Writes a text; a line feed without its carriage return gets one. Returns -1, so that a
// failing routine can log and fail in one step.
int WriteLog(const char* text);
// Formats into at most 1024 bytes (cut at a character boundary), adds a line feed and writes
// it. Returns -1.
int WriteLogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Window creation starts the log's lines afresh: indent level 0, no open line.
void ResetLogLine();

}  // namespace layer
