#include "platform/outside_library.h"

#include <dlfcn.h>

namespace platform {

void* OpenSharedLibrary(const std::string& disk_path, std::string* error) {
    // Local binding: the library's names never stand in for the program's own.
    void* library = dlopen(disk_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = dlerror();
        *error = reason == nullptr ? "" : reason;
    }
    return library;
}

void* FindSharedLibraryEntry(void* library, const char* name) {
    return library == nullptr ? nullptr : dlsym(library, name);
}

void CloseSharedLibrary(void* library) {
    if (library != nullptr) {
        dlclose(library);
    }
}

}  // namespace platform
