// The MIDI library binding on a library in the game folder: its entries take the built-in
// player's place, and a freed binding loads again at the next device request.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/presentation/midi_binding.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/support/outside_library_log.h"

namespace game {
namespace {

class MidiBinding : public testing::Test {
  protected:
    void SetUp() override {
        folder_.UseAsGameFolder();
        std::filesystem::copy_file(QVARN_TEST_MIDI_LIBRARY,
                                   folder_.tree().path("libGuruGuruSMF.so"));
    }
    void TearDown() override { GGSFree(); }

    // The calls the folder's library has seen.
    static std::string LibraryLog() {
        return test::OutsideLibraryLog("GuruGuruSMF", "TestMidiCallLog");
    }

    GameFolderScope folder_;
};

TEST_F(MidiBinding, TheGameFoldersLibraryTakesTheCalls) {
    ASSERT_EQ(GGSSetDevice(-1000, 0), 0);
    const unsigned char song[4] = {'M', 'T', 'h', 'd'};
    GGSReadList(song, 4, 1, 2);
    GGSPlay(1, 2, 300);
    GGSTempoDepth(50);
    GGSMasterVolume(-12);
    EXPECT_EQ(LibraryLog(),
              "SetDevice(-1000,0);ReadList(4,1,2);Play(1,2,300);TempoDepth(50);MasterVolume(-12);");
}

TEST_F(MidiBinding, WithoutABoundLibraryEveryCallDoesNothing) {
    EXPECT_EQ(GGSPlay(1, 1, 0), -1);
    EXPECT_EQ(GGSReadList(nullptr, 0, 1, 1), -1);
    EXPECT_EQ(GGSTempoDepth(10), 0);
    EXPECT_EQ(GGSStop(), 0);
}

}  // namespace
}  // namespace game
