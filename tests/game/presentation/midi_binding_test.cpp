// The MIDI library binding on a library in the game folder: its entries take the built-in
// player's place, and a freed binding loads again at the next device request.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/core/game_folder.h"
#include "game/presentation/midi_binding.h"
#include "layer/core/layer_api.h"
#include "platform/game_path.h"
#include "tests/game/core/game_folder_scope.h"

namespace game {
namespace {

class MidiBinding : public testing::Test {
  protected:
    void SetUp() override {
        savedFolder_ = GameFolder;
        GameFolder = platform::DiskPathToGamePath(folder_.tree().root().string());
        std::filesystem::copy_file(QVARN_TEST_MIDI_LIBRARY,
                                   folder_.tree().path("libGuruGuruSMF.so"));
    }
    void TearDown() override {
        GGSFree();
        GameFolder = savedFolder_;
    }

    // The calls the folder's library has seen, read through a second reference to it.
    std::string LibraryLog() const {
        const int library = layer::LoadOutsideLibrary(GameFolder.c_str(), "GuruGuruSMF");
        using LogEntry = const char* (*)();
        const auto log =
            reinterpret_cast<LogEntry>(layer::FindOutsideLibraryEntry(library, "TestMidiCallLog"));
        const std::string text = log != nullptr ? log() : "";
        layer::FreeOutsideLibrary(library);
        return text;
    }

    GameFolderScope folder_;
    std::string savedFolder_;
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
