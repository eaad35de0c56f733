#pragma once

#include <string>

namespace layer {

// The file side of the layer's start-up and shutdown.

// Start-up, before anything is read: closes whatever the archive code still holds, empties its
// tables and settings (extension and key must be set afterwards) and installs the built-in
// file operations that PlainFilesFlag chooses. Returns 0.
int ResetFileSystem();
// Start-up: the current directory read through the file operations; the log folder, and the
// directory shutdown restores.
std::string ReadStartupDirectory();
// Shutdown: makes the start-up directory current again through the file operations, then
// closes every cached archive no file uses. Returns 0.
int EndFileSystem(const std::string& startup_directory);

}  // namespace layer
