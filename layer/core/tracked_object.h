#pragma once

#include <new>
#include <utility>

#include "layer/core/tracked_memory.h"

namespace layer {

// A record built in tracked memory, so that it shows in the block list and its allocation can
// fail like every other; null when the memory cannot be had.
template <typename T, typename... Args>
T* NewTracked(const char* file, int line, Args&&... args) {
    void* block = AllocTracked(sizeof(T), file, line);
    return block != nullptr ? new (block) T(std::forward<Args>(args)...) : nullptr;
}

template <typename T>
void DeleteTracked(T* object) {
    if (object != nullptr) {
        object->~T();
        FreeTracked(object);
    }
}

}  // namespace layer
