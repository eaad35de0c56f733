#pragma once

// Shared libraries loaded at run time from a disk path (the outside MIDI and speech libraries).

#include <string>

namespace platform {

// The library's handle, or null with `*error` set.
void* OpenSharedLibrary(const std::string& disk_path, std::string* error);
// An exported entry by name, or null.
void* FindSharedLibraryEntry(void* library, const char* name);
void CloseSharedLibrary(void* library);

}  // namespace platform
