// Bytes as a save slot's file, checked as a load checks it before anything changes: a good
// file waits to be applied with at least one changeable-database type, any other is refused
// with the running game untouched, and nothing ends the program.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "game/core/database.h"
#include "game/core/error_box.h"
#include "game/core/exit_program.h"
#include "game/core/game_folder.h"
#include "game/core/game_info.h"
#include "game/core/system_message_box.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/save/save_cache.h"
#include "game/save/save_file.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tests/fuzz/save_fuzz_game.h"
#include "tools/lib/database_writer.h"

namespace {

game::MessageBoxResult Silent(std::string_view, std::string_view, game::MessageBoxButtons) {
    return game::MessageBoxResult::kOk;
}
void SilentError(std::string_view, std::string_view, std::string_view) {}
void NoExit(int) {
    std::abort();
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A game folder of its own holding the changeable database's definition, made at the first
// input and removed when the run ends.
class GameFolderFixture {
  public:
    GameFolderFixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "save_fuzz.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root_ = pattern;
        WriteFile(root_ / "Data/BasicData/CDataBase.project",
                  tools::WriteDataBaseProject(fuzz::SaveFuzzDataBase(), {}));
    }
    ~GameFolderFixture() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    GameFolderFixture(const GameFolderFixture&) = delete;
    GameFolderFixture& operator=(const GameFolderFixture&) = delete;

    const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

const std::filesystem::path& GameRoot() {
    static const GameFolderFixture fixture;
    return fixture.root();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    game::SetMessageBoxSink(&Silent);
    game::SetErrorBoxSink(&SilentError);
    game::SetExitHandler(&NoExit);
    layer::EnableArchiveFiles(0);
    platform::SetCurrentDiskFolder(GameRoot().string());
    game::GameFolder = std::string(1, '.');
    game::TheGameInfo.gameStrings = {fuzz::kSaveFuzzTitle};
    game::CDataBase = fuzz::SaveFuzzDataBase();
    game::TheVariableStore = game::VariableStore();
    game::TheVariableStore.variableSets[0].assign(8, 5);
    game::TheVariableStore.link = &game::TheMainInterpreter;
    game::TheSaveCache = game::SaveCache();
    WriteFile(GameRoot() / "Save/SaveData01.sav", std::vector<std::uint8_t>(data, data + size));

    const auto running = game::TheVariableStore.variableSets;
    const bool loaded = game::ReadSaveFile(1, true, false, game::kDefaultSavePrefix);
    if (game::TheVariableStore.variableSets != running || game::CDataBase.GetDBTypeCount() != 2)
        std::abort();
    if (loaded && !game::LoadPending())
        std::abort();
    if (loaded) {
        const std::string path = game::SavePath(1, game::kDefaultSavePrefix).value();
        if (game::TheSaveCache.States.at(path).changeableDataBase.GetDBTypeCount() == 0)
            std::abort();
    }
    game::TheSaveCache = game::SaveCache();
    return 0;
}
