#include "game/core/variable_ids.h"

#include <gtest/gtest.h>

#include "tests/game/core/fresh_game_state.h"

namespace game {
namespace {

struct IdCase {
    std::int32_t id;
    VariableIdKind kind;
};

class VariableIdRanges : public ::testing::TestWithParam<IdCase> {};

TEST_P(VariableIdRanges, EveryBoundaryFallsOnItsSide) {
    EXPECT_EQ(ClassifyVariableId(GetParam().id), GetParam().kind);
}

using K = VariableIdKind;
INSTANTIATE_TEST_SUITE_P(
    Boundaries, VariableIdRanges,
    ::testing::Values(IdCase{-2147483647 - 1, K::kLiteral}, IdCase{999999, K::kLiteral},
                      IdCase{1000000, K::kMapEventSelf}, IdCase{1499999, K::kMapEventSelf},
                      IdCase{1500000, K::kRetiredCommonSelf},
                      IdCase{1599999, K::kRetiredCommonSelf}, IdCase{1600000, K::kUnassigned},
                      IdCase{1999999, K::kUnassigned}, IdCase{2000000, K::kVariable},
                      IdCase{2999999, K::kVariable}, IdCase{3000000, K::kStringVariable},
                      IdCase{3999999, K::kStringVariable}, IdCase{4000000, K::kUnassigned},
                      IdCase{7999999, K::kUnassigned}, IdCase{8000000, K::kRandom},
                      IdCase{8999999, K::kRandom}, IdCase{9000000, K::kSystemVariable},
                      IdCase{9099999, K::kSystemVariable}, IdCase{9100000, K::kMapEventData},
                      IdCase{9179999, K::kMapEventData}, IdCase{9180000, K::kPartyData},
                      IdCase{9189999, K::kPartyData}, IdCase{9190000, K::kUnassigned},
                      IdCase{9899999, K::kUnassigned}, IdCase{9900000, K::kSystemString},
                      IdCase{9999999, K::kSystemString}, IdCase{14999999, K::kUnassigned},
                      IdCase{15000000, K::kCommonSelf}, IdCase{15999999, K::kCommonSelf},
                      IdCase{16000000, K::kUnassigned}, IdCase{999999999, K::kUnassigned},
                      IdCase{1000000000, K::kUserDataBase}, IdCase{1099999999, K::kUserDataBase},
                      IdCase{1100000000, K::kChangeableDataBase},
                      IdCase{1199999999, K::kChangeableDataBase},
                      IdCase{1200000000, K::kUnassigned}, IdCase{1299999999, K::kUnassigned},
                      IdCase{1300000000, K::kSystemDataBase},
                      IdCase{1399999999, K::kSystemDataBase}, IdCase{1400000000, K::kUnassigned},
                      IdCase{2147483647, K::kUnassigned}),
    [](const auto& info) {
        const std::int32_t id = info.param.id;
        return id < 0 ? "minus" + std::to_string(-(id + 1)) : std::to_string(id);
    });

TEST(VariableIds, DataBaseIdsDecodeTypeDataAndContent) {
    for (std::int32_t base : {1000000000, 1100000000, 1300000000}) {
        const DataBaseAddress address = DecodeDataBaseId(base + 12 * 1000000 + 345 * 100 + 67);
        EXPECT_EQ(address.type, 12);
        EXPECT_EQ(address.data, 345);
        EXPECT_EQ(address.content, 67);
    }
}

TEST(VariableIds, NumbersAndTexts) {
    FreshGameState();
    UserDataBase.types.resize(1);
    UserDataBase.types[0].contentCodes = {1000, 2000};
    for (std::int32_t id : {1600000 + 7, 15000000 + 3 * 100 + 5, 3000000, 9900000 + 1,
                            1000000000 + 1, 1000000000 + 2, 1100000000})
        EXPECT_FALSE(IsNumberVariableId(id)) << id;
    for (std::int32_t id : {15000000 + 3 * 100 + 10, 1600000 + 10, 9000000, 1000000000, 5, 2000000,
                            1500000, 20000000})
        EXPECT_TRUE(IsNumberVariableId(id)) << id;
}

}  // namespace
}  // namespace game
