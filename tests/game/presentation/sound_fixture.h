#pragma once

// The sound manager over recorded layer and MIDI library calls: three sound lists of four
// entries and ten spares each (file, volume, tempo, fourth value), with their files in a
// temporary game folder. Loads answer handles 101, 102, ... in order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/database.h"
#include "game/core/game_ini.h"
#include "game/core/play_settings.h"
#include "game/core/screen_state.h"
#include "game/core/variable_store.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/sound_manager.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/support/sound_recorder.h"

namespace game {

// The ground itself, for fixtures built on another ground as well.
class SoundGround {
  protected:
    static constexpr int kListed = 4;
    static constexpr int kRecords = kListed + 10;

    void SetUpSoundLists() {
        SysDataBase = DataBase();
        SysDataBase.types.resize(4);
        for (int type = 1; type <= 3; ++type) {
            DataBaseType& list = SysDataBase.types[static_cast<std::size_t>(type)];
            list.contentCodes = {2000, 1000, 1001, 1002};
            list.records.assign(kRecords, DataBaseRecord{{0, 0, 0}, {""}});
        }
        TheScreenState.loadedSoundListSizes = {kListed, kListed, kListed};
        TheScreenState.nextSpareSound = {0, 0, 0};
        TheScreenState.soundFlag = 0;
        TheMainInterpreter = MainInterpreter();
        TheVariableStore.link = &TheMainInterpreter;
        SEandBGM = 3;
        FramesPerUpdate = 1;
        MidiEnabled = 0;
        TheSoundManager = SoundManager();
        TheSoundManager.ResetSoundFormatFlags();
        sounds_.Reset();
    }
    static void TearDownSoundLists() {
        TheSoundManager = SoundManager();
        SysDataBase = DataBase();
        TheMainInterpreter = MainInterpreter();
        MidiEnabled = 0;
    }

    // Entry `number` of list `kind` names `file`, which is written to the data folder unless
    // it is to be missing.
    void SetEntry(int kind, int number, const std::string& file, int volume = 0, int tempo = 0,
                  int fourth = 0, bool write = true) {
        DataBaseRecord& record = SysDataBase.types[static_cast<std::size_t>(kind + 1)]
                                     .records[static_cast<std::size_t>(number)];
        record.numbers = {volume, tempo, fourth};
        record.strings = {file};
        if (write)
            folder_.Write("Data/" + file, {0, 1, 2, 3});
    }

    // The calls of one update.
    std::vector<std::string> Update(const std::vector<std::string>& names) {
        sounds_.Clear();
        TheSoundManager.UpdateSound();
        return sounds_.CallsNamed(names);
    }

    GameFolderScope folder_;
    test::SoundRecorder sounds_;
};

class SoundTest : public testing::Test, protected SoundGround {
  protected:
    void SetUp() override { SetUpSoundLists(); }
    void TearDown() override { TearDownSoundLists(); }
};

}  // namespace game
