#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "game/core/play_settings.h"
#include "layer/core/layer_api.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/interpreter/family_fixture.h"
#include "tests/support/sjis.h"
#include "tools/lib/qva_writer.h"

namespace game {
namespace {

constexpr std::int32_t Op(int operation, int source) {
    return source | (operation << 8);
}

class StringOperationTest : public FamilyTest {
  protected:
    // Reads `name` with the read-text-file operation into string variable 1.
    static void ReadIntoS1(const char* name) {
        Run(tools::CommandListBuilder().Add(122, {Str(1), Op(5, 0), 0}, {name}));
    }

    GameFolderScope folder;
};

TEST_F(StringOperationTest, RemoveAndReplace) {
    struct Case {
        const char* target;
        const char* part;
        int operation;
        const char* result;
    };
    for (const Case& c :
         {Case{"aab", "a", 8, "b"}, Case{"aabb", "ab", 8, ""}, Case{"aaa", "a", 9, "aaaaaa"}}) {
        S(1) = c.target;
        Run(tools::CommandListBuilder().Add(122, {Str(1), Op(c.operation, 0), 0},
                                            {c.part, c.operation == 9 ? "aa" : ""}));
        EXPECT_EQ(S(1), c.result) << c.target << " " << c.part;
    }
}

TEST_F(StringOperationTest, CutFirstLineWritesTheRestBack) {
    S(2) = "x\r\ny";
    Run(tools::CommandListBuilder().Add(122, {Str(1), Op(3, 1), Str(2)}));
    EXPECT_EQ(S(1), "x");
    EXPECT_EQ(S(2), "y");
}

TEST_F(StringOperationTest, CutFirstCharacterMovesATwoByteCharacterWhole) {
    S(2) = test::Sjis(u8"表x");
    Run(tools::CommandListBuilder().Add(122, {Str(1), Op(4, 1), Str(2)}));
    EXPECT_EQ(S(1), test::Sjis(u8"表"));
    EXPECT_EQ(S(2), "x");
}

TEST_F(StringOperationTest, AMissingFileReadsAsNoFile) {
    Run(tools::CommandListBuilder().Add(122, {Str(1), Op(5, 0), 0}, {"missing.txt"}));
    EXPECT_EQ(S(1), "<NoFile>");
}

tools::QvaNode ArchiveNode(std::string name, std::string data) {
    tools::QvaNode node;
    node.name = std::move(name);
    node.data = std::move(data);
    return node;
}

TEST_F(StringOperationTest, AFileOnDiskReadsWholeUpToItsFirstZeroByte) {
    struct Case {
        std::string bytes;
        const char* text;
    };
    for (const Case& c : {Case{"hello", "hello"}, Case{std::string("ab\0cd", 5), "ab"},
                          Case{"", ""}, Case{"x", "x"}}) {
        folder.tree().write("note.txt", c.bytes);
        ReadIntoS1("note.txt");
        EXPECT_EQ(S(1), c.text) << c.bytes;
    }
}

TEST_F(StringOperationTest, AFileInAnArchiveReadsWholeUpToItsFirstZeroByte) {
    layer::ChooseArchiveExtension("qent");
    tools::QvaNode root;
    root.directory = true;
    root.children = {ArchiveNode("note.txt", "hello"),
                     ArchiveNode("zero.txt", std::string("ab\0cd", 5))};
    tools::QvaWriteOptions options;
    options.store = true;
    folder.tree().write("Data.qent", tools::WriteQvaArchive(root, options));

    ReadIntoS1("Data\\note.txt");
    EXPECT_EQ(S(1), "hello");
    ReadIntoS1("Data\\zero.txt");
    EXPECT_EQ(S(1), "ab");
    layer::ChooseArchiveExtension(nullptr);
}

TEST_F(StringOperationTest, AReadTextIsExpandedOnItsWayIn) {
    TheVariableStore.variableSets[0].resize(225);
    V(224) = 31;
    folder.tree().write("note.txt", "V=\\v[224]");
    ReadIntoS1("note.txt");
    EXPECT_EQ(S(1), "V=31");
}

TEST_F(StringOperationTest, AWrittenTextReadsBackWhole) {
    S(1) = "first\nsecond";
    Run(tools::CommandListBuilder()
            .Add(122, {Str(1), Op(6, 0), 0}, {"round.txt"})
            .Add(122, {Str(2), Op(5, 0), 0}, {"round.txt"}));
    // The file holds carriage returns; the expansion on the way in drops them again.
    EXPECT_EQ(S(2), "first\nsecond");
}

TEST_F(StringOperationTest, WrittenLinesEndInCarriageReturnAndLineFeed) {
    S(1) = "a\nb";
    Run(tools::CommandListBuilder().Add(122, {Str(1), Op(6, 0), 0}, {"out.txt"}));
    EXPECT_EQ(folder.tree().read("out.txt"), "a\r\nb");
    EXPECT_EQ(S(1), "a\nb");
}

TEST_F(StringOperationTest, NamesLeavingTheGameFolderAreRefused) {
    TestPlayMode = 1;
    S(1) = "secret";
    for (const char* name : {"../x.txt", "c:x.txt", "/x", "\\x"}) {
        ReportCapture::errors().clear();
        Run(tools::CommandListBuilder().Add(122, {Str(1), Op(6, 0), 0}, {name}));
        EXPECT_EQ(ReportCapture::errors().size(), 1u) << name;
    }
    TestPlayMode = 0;
    EXPECT_FALSE(std::filesystem::exists(folder.tree().root().parent_path() / "x.txt"));
}

TEST_F(StringOperationTest, ListsAFolderByName) {
    std::filesystem::create_directories(folder.tree().path("Empty"));
    folder.tree().write("One/b.txt", "");
    folder.tree().write("One/a.txt", "");
    Run(tools::CommandListBuilder()
            .Add(122, {Str(1), Op(7, 0), 0}, {"Empty"})
            .Add(122, {Str(2), Op(7, 0), 0}, {"One"}));
    EXPECT_EQ(S(1), "");
    EXPECT_EQ(S(2), "a.txt\nb.txt");
}

TEST_F(StringOperationTest, ANumericTargetTakesTheLeadingNumber) {
    Run(tools::CommandListBuilder().Add(122, {Var(1), Op(0, 0), 0}, {"12abc"}));
    EXPECT_EQ(V(1), 12);
}

TEST_F(StringOperationTest, AKeyInputWaitsWhileAnotherRuns) {
    TheScreenState.StringInputActive = 1;
    const EventInterpreter interpreter =
        Run(tools::CommandListBuilder().Add(122, {Str(1), Op(0, 3), 10}));
    EXPECT_TRUE(interpreter.IsInterpreterRunning());
    EXPECT_EQ(interpreter.line, 0);
}

}  // namespace
}  // namespace game
