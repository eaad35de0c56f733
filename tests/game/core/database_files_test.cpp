#include "game/core/database_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/core/database_name_maps.h"
#include "game/core/screen_state.h"
#include "layer/core/layer_api.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tools/lib/database_writer.h"
#include "tools/lib/qva_writer.h"

namespace game {
namespace {

using tools::DataBaseFileOptions;
using tools::DBTypeLayout;

DataBase SampleBase(int types = 2, int records = 2) {
    DataBase db;
    db.types.resize(static_cast<std::size_t>(types));
    db.typeDescs.resize(static_cast<std::size_t>(types));
    for (int t = 0; t < types; ++t) {
        DataBaseType& type = db.types[static_cast<std::size_t>(t)];
        type.contentCodes = {1000, 2000, 1001};
        type.layoutCode = -3;
        type.nameSource = t == 0 ? 0 : 2;
        type.records.clear();
        DataBaseTypeDesc& desc = db.typeDescs[static_cast<std::size_t>(t)];
        desc.typeName = "type" + std::to_string(t);
        desc.contentNames = {"a", "b", "c"};
        desc.dataNames.clear();
        for (int d = 0; d < records; ++d) {
            type.records.push_back({{d, -d}, {"\x95\x5C" + std::to_string(d)}});
            desc.dataNames.push_back("same");
        }
        desc.contentDefaults = {4, 0, 6};
        desc.contentTexts = {"x", "y", "z"};
        desc.contentTextLists = {{"l"}, {}, {}};
        desc.contentNumberLists = {{1, 2}, {}, {3}};
    }
    return db;
}

struct Pair {
    std::vector<std::uint8_t> dat;
    std::vector<std::uint8_t> project;
};

Pair Write(const DataBase& db, const DataBaseFileOptions& options) {
    return {tools::WriteDataBaseDat(db, options), tools::WriteDataBaseProject(db, options)};
}

TEST(DataBaseFiles, EveryLayoutAndVersionRoundTrips) {
    const DataBase source = SampleBase();
    for (DBTypeLayout layout :
         {DBTypeLayout::kCountOnly, DBTypeLayout::kMinusOne, DBTypeLayout::kWithNameSource}) {
        for (std::uint8_t version : {0xC0, 0xC1}) {
            for (const ScrambleSeeds seeds : {ScrambleSeeds{0, 0, 0}, ScrambleSeeds{9, 0, 4}}) {
                SCOPED_TRACE(testing::Message() << static_cast<int>(layout) << " " << int{version}
                                                << " " << int{seeds[0]});
                const Pair pair = Write(source, {version, layout, seeds});
                DataBase db;
                ASSERT_EQ(ParseDataBaseDat(pair.dat, db.types), DataBaseFileResult::kLoaded);
                EXPECT_EQ(DBFileVersion, version);
                ASSERT_TRUE(ParseDataBaseProject(pair.project, db.typeDescs));
                ASSERT_EQ(db.types.size(), 2u);
                const DataBaseType& type = db.types[1];
                EXPECT_EQ(type.contentCodes, (std::vector<std::int32_t>{1000, 2000, 1001}));
                EXPECT_EQ(type.records[1].numbers, (std::vector<std::int32_t>{1, -1}));
                EXPECT_EQ(type.records[1].strings[0],
                          "\x95\x5C"
                          "1");
                const int layout_code = layout == DBTypeLayout::kCountOnly  ? -2
                                        : layout == DBTypeLayout::kMinusOne ? -1
                                                                            : -3;
                EXPECT_EQ(type.layoutCode, layout_code);
                EXPECT_EQ(type.nameSource, layout == DBTypeLayout::kWithNameSource ? 2 : 0);
                EXPECT_EQ(db.GetDBTypeName(1), "type1");
                EXPECT_EQ(db.GetDBContentName(1, 2), "c");
                const bool c1 = version == 0xC1;
                EXPECT_EQ(
                    db.typeDescs[1].contentDefaults,
                    (c1 ? std::vector<std::int32_t>{4, 0, 6} : std::vector<std::int32_t>{0, 0, 0}));
                EXPECT_EQ(db.typeDescs[1].contentNumberLists[0].size(), c1 ? 2u : 0u);
                db.ResetDBRecord(1, 0);
                EXPECT_EQ(db.types[1].records[0].numbers[0], c1 ? 4 : 0);
            }
        }
    }
}

TEST(DataBaseFiles, ProjectListsLongerThanTheContentsGrowToFit) {
    DataBase source = SampleBase(1, 1);
    source.typeDescs[0].contentDefaults = {1, 2, 3, 4, 5};
    source.typeDescs[0].contentFlags.assign(120, 7);
    DataBase db;
    DataBase fresh;  // the ".project" reader follows the last ".dat" version
    ASSERT_TRUE(ParseDataBaseProject(tools::WriteDataBaseProject(source, {}), db.typeDescs));
    EXPECT_EQ(db.typeDescs[0].contentDefaults.size(), 5u);
    EXPECT_EQ(db.typeDescs[0].contentFlags.size(), 120u);
}

TEST(DataBaseFiles, VersionBytes) {
    const Pair pair = Write(SampleBase(), {});
    std::vector<DataBaseType> types;
    std::vector<std::uint8_t> bad_first = pair.dat;
    bad_first[10] = 0xC2;
    EXPECT_EQ(ParseDataBaseDat(bad_first, types), DataBaseFileResult::kBadVersion);
    EXPECT_TRUE(types.empty());
    std::vector<std::uint8_t> bad_end = pair.dat;
    bad_end.back() = 0x00;
    EXPECT_EQ(ParseDataBaseDat(bad_end, types), DataBaseFileResult::kBadEndVersion);
    EXPECT_EQ(types.size(), 2u);
}

TEST(DataBaseFiles, DamagedImagesAreRefusedWhole) {
    const Pair pair = Write(SampleBase(), {0xC1, DBTypeLayout::kWithNameSource, {5, 6, 7}});
    for (std::size_t size = 0; size < pair.dat.size(); ++size) {
        std::vector<DataBaseType> types;
        const DataBaseFileResult result = ParseDataBaseDat(
            std::vector<std::uint8_t>(pair.dat.begin(), pair.dat.begin() + static_cast<long>(size)),
            types);
        EXPECT_EQ(result, DataBaseFileResult::kDamaged) << size;
        EXPECT_TRUE(types.empty());
    }
    for (std::size_t size = 0; size < pair.project.size(); ++size) {
        std::vector<DataBaseTypeDesc> descs;
        EXPECT_FALSE(ParseDataBaseProject(
            std::vector<std::uint8_t>(pair.project.begin(),
                                      pair.project.begin() + static_cast<long>(size)),
            descs))
            << size;
        EXPECT_TRUE(descs.empty());
    }
    std::vector<std::uint8_t> tampered = pair.dat;
    tampered[20] ^= 0x04;
    std::vector<DataBaseType> types;
    EXPECT_EQ(ParseDataBaseDat(tampered, types), DataBaseFileResult::kDamaged);
}

TEST(DataBaseFiles, WideningRenumbersTheCodesByKind) {
    DataBase db;
    db.types.resize(1);
    db.typeDescs.resize(1);
    db.types[0].contentCodes = {1000, 2000};
    db.types[0].records = {{{1}, {"a"}}, {{2}, {"b"}}};
    WidenDBRecords(db, 0, {1, 2, 1, 2}, 4, {0, 0, 9, 0});
    EXPECT_EQ(db.types[0].contentCodes, (std::vector<std::int32_t>{1000, 2000, 1001, 2001}));
    EXPECT_EQ(db.types[0].records[1].numbers, (std::vector<std::int32_t>{2, 9}));
    EXPECT_EQ(db.types[0].records[1].strings, (std::vector<std::string>{"b", ""}));
    EXPECT_EQ(db.typeDescs[0].contentNames.size(), 4u);
}

void WriteBase(const GameFolderScope& folder, const std::string& name, const DataBase& db) {
    const Pair pair = Write(db, {0xC1, DBTypeLayout::kWithNameSource, {1, 1, 1}});
    folder.Write("Data/BasicData/" + name + ".dat", pair.dat);
    folder.Write("Data/BasicData/" + name + ".project", pair.project);
}

TEST(DataBaseFiles, LoadingAllThreeAddsSpareSoundRecordsAndBuildsTheMaps) {
    GameFolderScope folder;
    DataBase sys = SampleBase(4, 2);
    sys.types[2].records.resize(5, {{0, 0}, {""}});  // sound kind 1 with 5 records
    sys.types[3].records.clear();                    // a sound list without records
    WriteBase(folder, "sysdatabase", sys);
    WriteBase(folder, "DATABASE", SampleBase(1, 1));
    WriteBase(folder, "CDataBase", SampleBase(3, 2));

    LoadDataBases();
    EXPECT_EQ(SysDataBase.GetDBDataCount(2), 15);
    EXPECT_EQ(SysDataBase.GetDBDataCount(3), 9);
    EXPECT_EQ(SysDataBase.types[1].records[11].numbers, (std::vector<std::int32_t>{4, 6}));
    ScreenState screen(ScreenState::Screens::kLater);
    KeepSoundListSizes(screen);
    EXPECT_EQ(screen.loadedSoundListSizes[1], 5);
    EXPECT_EQ(CDBContentKinds.size(), 3u);
    EXPECT_EQ(CDBContentKinds[2], (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(CDBContentDefaults[2], (std::vector<std::int32_t>{4, 0, 6}));

    BuildDBNameMaps();
    EXPECT_EQ(DBTypeNameMaps[1].at("type3"), 3);
    EXPECT_EQ(DBDataNameMaps[0][0].at("same"), 0);  // the lowest number wins
    EXPECT_EQ(DBContentNameMaps[2][0].at("c"), 2);
    SysDataBase = DataBase();
    UserDataBase = DataBase();
    CDataBase = DataBase();
}

TEST(DataBaseFilesDeathTest, AMissingFileEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GameFolderScope folder;
    const Pair pair = Write(SampleBase(), {});
    folder.Write("Data/BasicData/CDataBase.dat", pair.dat);
    DataBase db;
    EXPECT_EXIT(LoadDataBaseFiles(db, "BasicData\\CDataBase"), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(LoadDataBaseFiles(db, "BasicData\\Nothing"), testing::ExitedWithCode(1), "");
}

TEST(DataBaseFilesDeathTest, AMissingFileNamesTheArchiveThatWasRefused) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GameFolderScope folder;
    const Pair pair = Write(SampleBase(), {});
    tools::QvaNode basicData{"BasicData", true, "", 0, {{"CDataBase.dat", false, "", 0, {}}}};
    basicData.children[0].data.assign(pair.dat.begin(), pair.dat.end());
    tools::QvaWriteOptions otherKey;
    otherKey.key_string = "another game";
    folder.tree().write("Data.qent",
                        tools::WriteQvaArchive({"", true, "", 0, {basicData}}, otherKey));
    layer::ChooseArchiveExtension("qent");
    DataBase db;
    EXPECT_EXIT(LoadDataBaseFiles(db, "BasicData\\CDataBase"), testing::ExitedWithCode(1),
                "qvarn: archive .*Data\\.qent was not opened: it is no archive, or one made with "
                "another key\n(.|\n)*Data\\\\BasicData\\\\CDataBase\\.dat(.|\n)*"
                "\\(archive .*Data\\.qent could not be opened\\)");
    layer::ChooseArchiveExtension(nullptr);
}

}  // namespace
}  // namespace game
