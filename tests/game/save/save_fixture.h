#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/database_files.h"
#include "game/core/game_folder.h"
#include "game/core/game_info.h"
#include "game/core/variable_store.h"
#include "game/save/replay_recorder.h"
#include "game/save/save_cache.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tests/game/core/fresh_game_state.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"
#include "tools/lib/database_writer.h"

namespace game {

// A fresh game in a temporary game folder that holds only the changeable database's
// definition file: two types, the first of two numbers and a text, the second of one number.
// The game's title holds a two-byte character; 50 normal and 10 string variables.
class SaveTest : public testing::Test {
  protected:
    // Archives are off: a save test reads files by the hundred, and the archive look-up of each
    // path probes every folder above it.
    void SetUp() override {
        layer::EnableArchiveFiles(0);
        FreshGameState();
        TheGameInfo.gameStrings = {test::Sjis(u8"表のゲーム")};
        GameFolder = ".";
        CDataBase = Definition({1000, 1001, 2000}, {1000});
        folder.Write("Data/BasicData/CDataBase.project",
                     tools::WriteDataBaseProject(CDataBase, {}));
        KeepDefinitionShape();
        CDataBase.types[0].records[0].numbers = {7, 8};
        CDataBase.types[0].records[0].strings = {test::Sjis(u8"表")};
        TheVariableStore.variableSets[0].resize(50);
        TheVariableStore.stringVariables.resize(10);
        TheVariableStore.link = &TheMainInterpreter;
        TheSaveCache = SaveCache();
        ReplayActive = 0;
        ReplayFinished = 0;
    }

    void TearDown() override { layer::EnableArchiveFiles(1); }

    static DataBase Definition(std::vector<std::int32_t> first, std::vector<std::int32_t> second) {
        DataBase db;
        for (const auto& codes : {first, second}) {
            DataBaseType type;
            type.contentCodes = codes;
            DataBaseRecord record;
            for (std::int32_t code : codes) {
                if (code / 1000 == 1)
                    record.numbers.push_back(0);
            }
            record.strings.assign(static_cast<std::size_t>(std::count_if(
                                      codes.begin(), codes.end(),
                                      [](std::int32_t code) { return code / 1000 == 2; })),
                                  std::string());
            type.records = {record};
            db.types.push_back(type);
            DataBaseTypeDesc desc;
            desc.contentDefaults.assign(codes.size(), 5);
            desc.contentNames.assign(codes.size(), "c");
            db.typeDescs.push_back(desc);
        }
        return db;
    }

    static void KeepDefinitionShape() {
        CDBContentKinds.clear();
        CDBContentDefaults.clear();
        for (const DataBaseType& type : CDataBase.types) {
            CDBContentKinds.emplace_back();
            for (std::int32_t code : type.contentCodes)
                CDBContentKinds.back().push_back(code / 1000);
            CDBContentDefaults.emplace_back(type.contentCodes.size(), 5);
        }
    }

    static std::int32_t& V(int index) {
        return TheVariableStore.variableSets[0][static_cast<std::size_t>(index)];
    }

    std::string SlotPath(int slot) const { return SavePath(slot, kDefaultSavePrefix).value(); }
    std::string ReadFile(const std::string& relative) const { return folder.tree().read(relative); }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(folder.tree().path(relative));
    }

    GameFolderScope folder;
    ReportCapture reports;
};

}  // namespace game
