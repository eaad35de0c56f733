#pragma once

#include <string>
#include <string_view>

#include "platform/game_path.h"
#include "tests/support/temp_tree.h"

namespace test {

// The absolute game path of `relative` (game form, CP932) below a temporary tree.
inline std::string GamePathIn(const TempTree& tree, std::string_view relative) {
    return platform::DiskPathToGamePath(tree.root().string()) + "\\" + std::string(relative);
}

}  // namespace test
