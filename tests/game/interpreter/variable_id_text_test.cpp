#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "game/core/common_event.h"
#include "game/core/database.h"
#include "game/interpreter/variable_id_text.h"
#include "tests/support/sjis.h"

namespace game {
namespace {

using test::Sjis;

// One type of a number content and a text content, its records named by `dataNames`.
void AddType(DataBase& db, const std::string& typeName, std::vector<std::string> dataNames) {
    DataBaseType type;
    type.contentCodes = {1000, 2000};
    type.records.clear();
    DataBaseTypeDesc desc;
    desc.typeName = typeName;
    desc.contentNames = {"value", "label"};
    for (std::size_t d = 0; d < dataNames.size(); ++d)
        type.records.push_back({{static_cast<std::int32_t>(40 + d)}, {"text" + std::to_string(d)}});
    desc.dataNames = std::move(dataNames);
    db.types.push_back(type);
    db.typeDescs.push_back(desc);
}

class VariableIdText : public ::testing::Test {
  protected:
    void SetUp() override {
        AddType(user_, "items", {"apple", "pear", "\\udb[0:1:1]"});
        AddType(changeable_, "bag", {"key", "\\cdb[0:1]"});
        // Types 0 to 15 of the system database; 4 names the strings, 6 the system variables,
        // 14 the normal variables, 15 the first reserve set.
        for (int t = 0; t < 16; ++t)
            AddType(system_, "", {"n0", "n1", "n2", "n3"});
        system_.typeDescs[14].dataNames[3] = "gold";
        system_.typeDescs[15].dataNames[3] = "spare";
        system_.typeDescs[4].dataNames[1] = "hero name";
        common_.events[0].selfVariableNames[2] = "hp";
    }

    std::string Short(std::int32_t id, int expect, int commonEvent = 0) const {
        return DescribeVariableIdShort(id, user_, system_, changeable_, expect, commonEvent,
                                       &common_);
    }
    std::string Long(std::int32_t id, int expect, int commonEvent = 0) const {
        return DescribeVariableIdLong(id, user_, system_, changeable_, expect, commonEvent,
                                      &common_);
    }
    std::string Expand(const std::string& text, int offset = 0) const {
        return DescribeDatabaseRef(text, user_, system_, changeable_, offset);
    }

    DataBase user_;
    DataBase system_;
    DataBase changeable_;
    CommonEventList common_;
};

struct Case {
    std::int32_t id;
    int expect;
    std::string text;
};

TEST_F(VariableIdText, ShortForms) {
    const std::vector<Case> cases = {
        {5, kExpectNumber, "5"},
        {5, kExpectText, Sjis(u8"[5]★エラー！文字変数ではありません！！")},
        {std::numeric_limits<std::int32_t>::min(), kExpectNumber, "-2000000000"},
        {1150007, kExpectNumber, Sjis(u8"このEvのｾﾙﾌ変数7")},
        {1012345, kExpectNumber, Sjis(u8"Ev1234のｾﾙﾌ5")},
        {1500000, kExpectNumber, Sjis(u8"[1500000]★エラー！整数変数ではありません！！")},
        {1600002, kExpectText, Sjis(u8"このｺﾓﾝEvｾﾙﾌ2<hp>")},
        {1600003, kExpectNumber, Sjis(u8"このｺﾓﾝEvｾﾙﾌ3")},
        {15000002, kExpectNumber, Sjis(u8"ｺﾓﾝEv0ｾﾙﾌ2<hp>")},
        {15000305, kExpectEither, Sjis(u8"ｺﾓﾝEv3ｾﾙﾌ5")},
        {2000003, kExpectNumber, "V3[gold]"},
        {2100003, kExpectNumber, "V1-3[spare]"},
        {2000003, kExpectText, Sjis(u8"[2000003]★エラー！文字変数ではありません！！")},
        {3000001, kExpectText, "S1[hero name]"},
        {3000001, kExpectNumber, Sjis(u8"[3000001]★エラー！整数変数ではありません！！")},
        {8000010, kExpectNumber, Sjis(u8"乱数[0～10] ")},
        {9000002, kExpectNumber, "Sys2:n2"},
        {9100023, kExpectNumber, Sjis(u8"Ev2のY座標(精密)")},
        {9100024, kExpectNumber, Sjis(u8"Ev2の高さ（ピクセル）")},
        {9100025, kExpectNumber, Sjis(u8"[9100025]★エラー！整数変数ではありません！！")},
        {9180001, kExpectNumber, Sjis(u8"主人公のY座標(ﾏｯﾌﾟ)")},
        {9180012, kExpectNumber, Sjis(u8"仲間1のX座標(精密)")},
        {9180060, kExpectNumber, Sjis(u8"[9180060]★エラー！整数変数ではありません！！")},
        {9190004, kExpectNumber, Sjis(u8"このEvの高さ（ピクセル）")},
        {9900001, kExpectText, "SysS1[n1]"},
        {1000000100, kExpectNumber, Sjis(u8"ﾕｰｻﾞDB(0,1,0)[pear value ]")},
        {1000000101, kExpectNumber, Sjis(u8"[1000000101]★エラー！整数変数ではありません！！")},
        {1100000001, kExpectText, Sjis(u8"可変DB(0,0,1)[key label ]")},
        {1300000000, kExpectEither, Sjis(u8"ｼｽﾃﾑDB(0,0,0)[n0 value ]")},
        {1000000200, kExpectNumber, Sjis(u8"ﾕｰｻﾞDB(0,2,0)[text1 value ]")},
        {1200000000, kExpectEither, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Short(c.id, c.expect), c.text) << c.id;
}

TEST_F(VariableIdText, TheRunningCommonEventsSelfVariablesAreAnErrorInAMapEvent) {
    const std::string error = Sjis(u8"★エラー！マップEvでは「このｺﾓﾝｾﾙﾌ」は動作しません！！");
    EXPECT_EQ(Short(1600002, kExpectNumber, -1), error);
    EXPECT_EQ(Short(1600002, kExpectNumber, -10), error);
}

TEST_F(VariableIdText, LongForms) {
    const std::vector<Case> cases = {
        {5, kExpectNumber, Sjis(u8"通常の整数値 5")},
        {5, kExpectText, Sjis(u8"※指定不能・範囲ではありません")},
        {1012345, kExpectNumber, Sjis(u8"Ev1234のｾﾙﾌ変数5の値")},
        {1600002, kExpectNumber, Sjis(u8"このコモンEvのｾﾙﾌ変数2 hp")},
        {15000305, kExpectText, Sjis(u8"コモンEv3ｾﾙﾌ変数5 ")},
        {2000003, kExpectNumber, Sjis(u8"【通常変数】 3：[gold]")},
        {2100003, kExpectNumber, Sjis(u8"【予備変数1】 3：[spare]")},
        {3000001, kExpectText, Sjis(u8"【文字列変数】 1：[hero name]:")},
        {8000010, kExpectNumber, Sjis(u8"【乱数】0 ～ 10 ")},
        {9000002, kExpectNumber, Sjis(u8"【システム変数】 2:[n2] の値")},
        {9100020, kExpectNumber, Sjis(u8"イベント2のX座標(ﾏｯﾌﾟ座標　1マスを+1にカウント)")},
        {9180004, kExpectNumber, Sjis(u8"主人公の高さ")},
        {9190003, kExpectNumber, Sjis(u8"このｷｬﾗのY座標(精密座標　1マスを+2にカウント)")},
        {9900001, kExpectText, Sjis(u8"【ｼｽﾃﾑ文字列】 1：[n1]:")},
        {1000000100, kExpectNumber,
         Sjis(u8"【ﾕｰｻﾞDB】タイプ0:items データ1:pear 内容0:value(変数) の値")},
        {1100000001, kExpectEither,
         Sjis(u8"【可変DB】タイプ0:bag データ0:key 内容1:label(文字) の値")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Long(c.id, c.expect), c.text) << c.id;
}

TEST_F(VariableIdText, DatabaseReferencesExpand) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a\\d[5]b", "a15b"},
        {"\\d[-3]", "7"},
        {"\\d[7", "[7"},
        {"\\udb[0:1]", "pear"},
        {"\\cdb[0:1:1]", "text1"},
        {"\\sdb[14:0:0]", "40"},
        {"\\sdb[14:9:0]", "0"},
        {"\\udb[0]x", "\\udb[0]x"},
        {"\\udb[0]\\udb[0:0]", "\\udb[0]apple"},
        {"\\sdb[0:0] \\udb[0:0]", "n0 apple"},
        // The trail byte of a two-byte character is no backslash.
        {Sjis(u8"表d[1]"), Sjis(u8"表d[1]")},
    };
    for (const auto& [text, expanded] : cases)
        EXPECT_EQ(Expand(text, 10), expanded) << text;
}

TEST_F(VariableIdText, ANameReferringToItselfStops) {
    EXPECT_EQ(Expand("\\cdb[0:1]"), "\\cdb[0:1]");
}

TEST_F(VariableIdText, CommandsWithoutArguments) {
    for (const std::int32_t code : {0, 104, 161, 162, 170, 171, 172, 174, 202, 400, 401, 499})
        EXPECT_FALSE(IsParameterCommand(code)) << code;
    for (const std::int32_t code : {-1, 101, 102, 173, 203, 500, 210000})
        EXPECT_TRUE(IsParameterCommand(code)) << code;
}

}  // namespace
}  // namespace game
