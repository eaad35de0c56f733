#pragma once

#include <string>
#include <string_view>

namespace tools {

// An LZ block of the archive format holding `data`: greedy matches found through hash chains,
// the escape byte the one that occurs least often, distances of one to three bytes.
std::string EncodeQvaLz(std::string_view data);

}  // namespace tools
