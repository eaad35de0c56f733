#include "game/core/common_event_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/data_file_buffer.h"
#include "game/core/exit_program.h"
#include "tests/game/core/game_folder_scope.h"
#include "tests/game/core/report_capture.h"
#include "tests/support/sjis.h"
#include "tools/lib/command_list_builder.h"
#include "tools/lib/common_event_writer.h"

namespace game {
namespace {

using tools::CommonEventLayout;

CommonEvent Sample(std::int32_t number, const std::string& name) {
    CommonEvent event;
    event.number = number;
    event.name = name;
    event.trigger = 0x13;
    event.conditionVariable = 2000010;
    event.conditionValue = -4;
    event.extraByte1 = 9;
    event.commands = tools::CommandListBuilder().Add(101, {1}, {"\x95\x5C"}).Build();
    event.byteList = {1, 2, 3};
    event.byteListText = "bytes";
    event.texts = {"t0", "t1", "t2"};
    event.kinds = {4, 5};
    event.textLists = {{"a", "b"}};
    event.numberLists = {{1}, {2, 3}};
    event.numbers = {8, 9};
    event.selfVariableNames[99] = "last";
    event.extraNumber = 77;
    return event;
}

std::vector<CommonEvent> Samples() {
    return {Sample(7, "first"), Sample(7, "second"), Sample(100, "third")};
}

TEST(CommonEventFiles, EveryLayoutRoundTripsPlainAndScrambled) {
    const std::uint8_t layouts[] = {CommonEventLayout::kOldest, CommonEventLayout::kTexts,
                                    CommonEventLayout::kNames, CommonEventLayout::kTrailingText};
    for (std::uint8_t layout : layouts) {
        for (const ScrambleSeeds seeds : {ScrambleSeeds{0, 0, 0}, ScrambleSeeds{12, 0, 200}}) {
            SCOPED_TRACE(testing::Message() << int{layout} << " seed " << int{seeds[0]});
            CommonEventList list;
            ASSERT_EQ(
                ParseCommonEventData(tools::WriteCommonEventData(Samples(), layout, seeds), list),
                CommonEventDataResult::kLoaded);
            ASSERT_EQ(list.events.size(), 3u);
            const CommonEvent& event = list.events[2];
            EXPECT_EQ(event.number, 2);  // stored 100
            EXPECT_EQ(list.events[1].number, 1);
            EXPECT_EQ(event.name, "third");
            EXPECT_EQ(event.trigger, 0x13);
            EXPECT_EQ(event.conditionValue, -4);
            EXPECT_EQ(event.commands.size(), 2u);
            EXPECT_EQ(event.commands[0].strings[0], "\x95\x5C");
            EXPECT_EQ(event.byteListText, "bytes");
            const bool second = layout >= CommonEventLayout::kTexts;
            const bool names = layout >= CommonEventLayout::kNames;
            EXPECT_EQ(event.texts.size(), 10u);
            EXPECT_EQ(event.texts[2], second ? "t2" : "");
            EXPECT_EQ(event.kinds.size(), second ? 2u : 10u);
            EXPECT_EQ(event.numberLists[1].size(), second ? 2u : 0u);
            EXPECT_EQ(event.numbers.size(), 5u);
            EXPECT_EQ(event.selfVariableNames[99], names ? "last" : "");
            EXPECT_EQ(event.extraNumber, names ? 77 : 0);
        }
    }
}

TEST(CommonEventFiles, ATrailingTextIsConsumedAndTheNextRecordReads) {
    DataFileBuffer cursor;
    tools::WriteCommonEvent(cursor, Sample(0, "a"), CommonEventLayout::kTrailingText,
                            std::string(2000, 'x'));
    tools::WriteCommonEvent(cursor, Sample(1, "b"), CommonEventLayout::kOldest);
    DataFileBuffer reader(cursor.TakeData());
    CommonEvent first;
    CommonEvent second;
    ASSERT_TRUE(ReadCommonEvent(reader, first));
    ASSERT_TRUE(ReadCommonEvent(reader, second));
    EXPECT_EQ(second.name, "b");
    EXPECT_EQ(reader.remaining(), 0u);
}

// A record with no commands and an empty byte list, and where its first section tag lies:
// after the tag, number, trigger, variable, value, two bytes, name "x", one command of 8
// bytes and the empty byte list.
CommonEvent PlainRecordEvent() {
    CommonEvent event = Sample(0, "x");
    event.byteList.clear();
    event.commands = tools::CommandListBuilder().Build();
    return event;
}
constexpr std::size_t kFirstSectionTagAt = 1 + 4 + 1 + 4 + 4 + 2 + 6 + 4 + 8 + 4;

// Rewrites the first section tag of a single 0x8F record.
std::vector<std::uint8_t> WithFirstSectionTag(std::uint8_t tag) {
    DataFileBuffer cursor;
    tools::WriteCommonEvent(cursor, PlainRecordEvent(), CommonEventLayout::kTexts);
    std::vector<std::uint8_t> bytes = cursor.TakeData();
    bytes[kFirstSectionTagAt] = tag;
    return bytes;
}

TEST(CommonEventFiles, AnUnknownSectionTagShowsTheVersionMessageAndReadsOn) {
    ReportCapture capture;
    DataFileBuffer reader(WithFirstSectionTag(0x55));
    CommonEvent event;
    ASSERT_TRUE(ReadCommonEvent(reader, event));
    EXPECT_EQ(event.texts[1], "t1");
    ASSERT_EQ(capture.boxes().size(), 1u);
    // "読み込み失敗"
    EXPECT_EQ(capture.boxes()[0].caption, "\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x8E\xB8\x94s");
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(CommonEventFiles, ASecondSectionTagOf8FEndsTheRecord) {
    DataFileBuffer cursor;
    tools::WriteCommonEvent(cursor, Sample(0, "a"), CommonEventLayout::kTexts);
    cursor.WriteDataByte(0x42);
    DataFileBuffer reader(cursor.TakeData());
    CommonEvent event;
    ASSERT_TRUE(ReadCommonEvent(reader, event));
    EXPECT_EQ(reader.ReadDataByte(), 0x42);
}

TEST(CommonEventFiles, BadListTags) {
    std::vector<std::uint8_t> bytes =
        tools::WriteCommonEventData(Samples(), CommonEventLayout::kNames, {0, 0, 0});
    CommonEventList list;
    std::vector<std::uint8_t> bad_close = bytes;
    bad_close.back() = 0x90;
    EXPECT_EQ(ParseCommonEventData(bad_close, list), CommonEventDataResult::kBadTag);
    EXPECT_EQ(list.events.size(), 3u);  // the records are in

    CommonEventList untouched;
    std::vector<std::uint8_t> bad_open = bytes;
    bad_open[10] = 0x8E;
    EXPECT_EQ(ParseCommonEventData(bad_open, untouched), CommonEventDataResult::kBadTag);
    EXPECT_EQ(untouched.events.size(), 10u);
}

TEST(CommonEventFiles, DamagedImagesLeaveTheListAlone) {
    const std::vector<std::uint8_t> bytes =
        tools::WriteCommonEventData(Samples(), CommonEventLayout::kTrailingText, {7, 7, 7});
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        CommonEventList list;
        EXPECT_EQ(ParseCommonEventData(std::vector<std::uint8_t>(
                                           bytes.begin(), bytes.begin() + static_cast<long>(size)),
                                       list),
                  CommonEventDataResult::kDamaged)
            << size;
        EXPECT_EQ(list.events.size(), 10u);
    }
    // A changed body byte fails the check.
    std::vector<std::uint8_t> tampered = bytes;
    tampered[40] ^= 0x01;
    CommonEventList list;
    EXPECT_EQ(ParseCommonEventData(tampered, list), CommonEventDataResult::kDamaged);
    // A huge record count.
    std::vector<std::uint8_t> plain =
        tools::WriteCommonEventData(Samples(), CommonEventLayout::kOldest, {0, 0, 0});
    plain[14] = 0x7F;
    EXPECT_EQ(ParseCommonEventData(plain, list), CommonEventDataResult::kDamaged);
    EXPECT_EQ(list.events.size(), 10u);
}

TEST(CommonEventFiles, CommonFilesAppendToTheList) {
    CommonEventList list;
    list.Resize(12);
    const std::vector<std::uint8_t> file =
        tools::WriteCommonEventFile(Samples(), CommonEventLayout::kTexts);
    EXPECT_EQ(ParseCommonEventFile(file, list, 12, true), 3);
    ASSERT_EQ(list.events.size(), 15u);
    for (std::size_t i = 0; i < list.events.size(); ++i)
        EXPECT_EQ(list.events[i].number, static_cast<std::int32_t>(i));
    EXPECT_EQ(list.events[14].name, "third");

    const CommonEvent* kept = &list.events[0];
    std::vector<std::uint8_t> wrong_magic = file;
    wrong_magic[0] = 0x6D;
    EXPECT_EQ(ParseCommonEventFile(wrong_magic, list, 15, true), -1);
    std::vector<std::uint8_t> truncated(file.begin(), file.end() - 1);
    EXPECT_EQ(ParseCommonEventFile(truncated, list, 15, true), -1);
    EXPECT_EQ(list.events.size(), 15u);
    EXPECT_EQ(ParseCommonEventFile(file, list, 15, true), 3);
    EXPECT_EQ(&list.events[0], kept);  // appending never moves a common event
}

TEST(CommonEventFiles, LoadersReadRealFilesWithAnyCasing) {
    GameFolderScope folder;
    ReportCapture capture;
    folder.Write("data/basicdata/COMMONEVENT.DAT",
                 tools::WriteCommonEventData(Samples(), CommonEventLayout::kNames, {1, 2, 3}));
    folder.Write("Extra.Common", tools::WriteCommonEventFile(Samples(), 0x8E));
    CommonEventList list;
    EXPECT_TRUE(LoadCommonEventData(list, "BasicData\\CommonEvent.dat"));
    EXPECT_EQ(list.events.size(), 3u);
    EXPECT_EQ(LoadCommonEventFile(list, "extra.common", 3, true), 3);
    EXPECT_EQ(list.events.size(), 6u);
    EXPECT_EQ(LoadCommonEventFile(list, "missing.common", 6, true), -1);
    EXPECT_TRUE(capture.boxes().empty());
}

TEST(CommonEventFiles, AMissingDataFileLeavesTenDefaultEvents) {
    GameFolderScope folder;
    ReportCapture capture;
    CommonEventList list;
    EXPECT_FALSE(LoadCommonEventData(list, "BasicData\\CommonEvent.dat"));
    ASSERT_EQ(list.events.size(), 10u);
    for (const CommonEvent& event : list.events)
        EXPECT_EQ(event.commands.size(), 1u);
    ASSERT_EQ(capture.boxes().size(), 1u);
}

// The missing file's message and the version message of a file's record name the file.
TEST(CommonEventFiles, TheDataFilesMessagesNameIt) {
    const std::string path = "Data\\BasicData\\CommonEvent.dat";
    GameFolderScope folder;
    ReportCapture capture;
    CommonEventList list;
    EXPECT_FALSE(LoadCommonEventData(list, "BasicData\\CommonEvent.dat"));
    std::vector<std::uint8_t> file =
        tools::WriteCommonEventData({PlainRecordEvent()}, CommonEventLayout::kTexts, {0, 0, 0});
    const std::vector<std::uint8_t> record = WithFirstSectionTag(0x55);
    const auto at =
        std::search(file.begin(), file.end(), record.begin(), record.begin() + kFirstSectionTagAt);
    ASSERT_NE(at, file.end());
    at[kFirstSectionTagAt] = 0x55;
    folder.Write("Data/BasicData/CommonEvent.dat", file);
    LoadCommonEventData(list, "BasicData\\CommonEvent.dat");
    ASSERT_EQ(capture.boxes().size(), 2u);
    EXPECT_EQ(capture.boxes()[0].text,
              test::Sjis(u8"コモンイベントデータの読み込みに失敗しました") + "\r\n" + path);
    EXPECT_EQ(
        capture.boxes()[1].text,
        test::Sjis(u8"コモンイベントファイルの読み込みに失敗しました。\r\n"
                   u8"データのバージョンが違う可能性があります、最新ツールでロードしてください。") +
            "\r\n" + path);
}

TEST(CommonEventFilesDeathTest, ADamagedDataFileEndsTheProgram) {
    // A forked child would inherit the layer's threads half-way; start it afresh instead.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GameFolderScope folder;
    std::vector<std::uint8_t> bytes =
        tools::WriteCommonEventData(Samples(), CommonEventLayout::kNames, {1, 2, 3});
    bytes[30] ^= 0x02;
    folder.Write("Data/BasicData/CommonEvent.dat", bytes);
    CommonEventList list;
    EXPECT_EXIT(LoadCommonEventData(list, "BasicData\\CommonEvent.dat"), testing::ExitedWithCode(1),
                "");
}

}  // namespace
}  // namespace game
