#pragma once

#include <string>

#include "platform/game_path.h"
#include "tests/support/temp_tree.h"

namespace game {

// A temporary game folder that relative game paths start from for the scope.
class GameFolderScope {
  public:
    GameFolderScope() : previous_(platform::CurrentDiskFolder()) {
        platform::SetCurrentDiskFolder(tree_.root().string());
    }
    ~GameFolderScope() { platform::SetCurrentDiskFolder(previous_); }
    GameFolderScope(const GameFolderScope&) = delete;
    GameFolderScope& operator=(const GameFolderScope&) = delete;

    const test::TempTree& tree() const { return tree_; }
    void Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
        tree_.write(relative, std::string(bytes.begin(), bytes.end()));
    }

  private:
    test::TempTree tree_;
    std::string previous_;
};

}  // namespace game
