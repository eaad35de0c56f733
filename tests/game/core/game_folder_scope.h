#pragma once

#include <optional>
#include <string>

#include "game/core/game_folder.h"
#include "platform/game_path.h"
#include "tests/support/temp_tree.h"

namespace game {

// A temporary game folder that relative game paths start from for the scope.
class GameFolderScope {
  public:
    GameFolderScope() : previous_(platform::CurrentDiskFolder()) {
        platform::SetCurrentDiskFolder(tree_.root().string());
    }
    ~GameFolderScope() {
        if (previousGameFolder_)
            GameFolder = *previousGameFolder_;
        platform::SetCurrentDiskFolder(previous_);
    }
    GameFolderScope(const GameFolderScope&) = delete;
    GameFolderScope& operator=(const GameFolderScope&) = delete;

    const test::TempTree& tree() const { return tree_; }
    void Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
        tree_.write(relative, std::string(bytes.begin(), bytes.end()));
    }

    // Makes the folder the game folder as well, where outside libraries are looked for, until
    // the scope ends.
    void UseAsGameFolder() {
        if (!previousGameFolder_)
            previousGameFolder_ = GameFolder;
        GameFolder = platform::DiskPathToGamePath(tree_.root().string());
    }

  private:
    test::TempTree tree_;
    std::string previous_;
    std::optional<std::string> previousGameFolder_;
};

}  // namespace game
