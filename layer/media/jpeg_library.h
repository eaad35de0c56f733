#pragma once

// The library's header uses size_t and FILE without declaring them.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
