#include <gtest/gtest.h>

#include <filesystem>

#include "layer/core/layer_api.h"
#include "layer/media/builtin_midi_player.h"
#include "platform/game_path.h"
#include "tests/support/fifo_in_place.h"
#include "tests/support/temp_tree.h"

namespace test {
namespace {

class OutsideLibraries : public testing::Test {
  protected:
    std::string Folder() const { return platform::DiskPathToGamePath(tree.root().string()); }
    void CopyIn(const char* library, const char* name) const {
        std::filesystem::copy_file(library, tree.path(name));
    }

    TempTree tree;
};

TEST_F(OutsideLibraries, WithoutAFileTheMidiLibraryIsTheLayersOwn) {
    EXPECT_EQ(layer::IsOutsideLibraryPresent(Folder().c_str(), "GuruGuruSMF"), 0);
    const int library = layer::LoadOutsideLibrary(Folder().c_str(), "GuruGuruSMF");
    ASSERT_GE(library, 0);
    EXPECT_EQ(layer::FindOutsideLibraryEntry(library, "GGSPlay"),
              layer::FindBuiltInMidiEntry("GGSPlay"));
    EXPECT_EQ(layer::FindOutsideLibraryEntry(library, "GGSCofigDlg"), nullptr);
    EXPECT_EQ(layer::FreeOutsideLibrary(library), 0);
    EXPECT_EQ(layer::FreeOutsideLibrary(library), -1);
    EXPECT_EQ(layer::FindOutsideLibraryEntry(library, "GGSPlay"), nullptr);
    EXPECT_EQ(layer::LoadOutsideLibrary(Folder().c_str(), "AquesTalk"), -1);
}

TEST_F(OutsideLibraries, AFileInTheFolderIsLoadedUnderEitherName) {
    CopyIn(QVARN_TEST_MIDI_LIBRARY, "libGuruGuruSMF.so");
    CopyIn(QVARN_TEST_SPEECH_LIBRARY, "AquesTalk.so");
    EXPECT_EQ(layer::IsOutsideLibraryPresent(Folder().c_str(), "GuruGuruSMF"), 1);
    EXPECT_EQ(layer::IsOutsideLibraryPresent(Folder().c_str(), "AquesTalk"), 1);
    const int midi = layer::LoadOutsideLibrary(Folder().c_str(), "GuruGuruSMF");
    const int speech = layer::LoadOutsideLibrary(Folder().c_str(), "AquesTalk");
    ASSERT_GE(midi, 0);
    ASSERT_GE(speech, 0);
    void* play = layer::FindOutsideLibraryEntry(midi, "GGSPlay");
    ASSERT_NE(play, nullptr);
    EXPECT_NE(play, layer::FindBuiltInMidiEntry("GGSPlay"));
    EXPECT_NE(layer::FindOutsideLibraryEntry(speech, "AquesTalk_Synthe"), nullptr);
    layer::FreeOutsideLibrary(midi);
    layer::FreeOutsideLibrary(speech);
}

TEST_F(OutsideLibraries, AFileThatIsNoLibraryFailsToLoad) {
    tree.write("GuruGuruSMF.so", "not a library");
    EXPECT_EQ(layer::IsOutsideLibraryPresent(Folder().c_str(), "GuruGuruSMF"), 1);
    EXPECT_EQ(layer::LoadOutsideLibrary(Folder().c_str(), "GuruGuruSMF"), -1);
}

// A FIFO or a folder under the library's name counts as no file: the layer's own MIDI player
// stands in, and the load does not wait on the FIFO.
TEST_F(OutsideLibraries, AFifoOrAFolderUnderTheNameCountsAsMissing) {
    const FifoInPlace fifo(tree.path("GuruGuruSMF.so"));
    ASSERT_TRUE(fifo.made());
    std::filesystem::create_directory(tree.path("libGuruGuruSMF.so"));
    EXPECT_EQ(layer::IsOutsideLibraryPresent(Folder().c_str(), "GuruGuruSMF"), 0);
    const int library = layer::LoadOutsideLibrary(Folder().c_str(), "GuruGuruSMF");
    ASSERT_GE(library, 0);
    EXPECT_EQ(layer::FindOutsideLibraryEntry(library, "GGSPlay"),
              layer::FindBuiltInMidiEntry("GGSPlay"));
    layer::FreeOutsideLibrary(library);
}

}  // namespace
}  // namespace test
