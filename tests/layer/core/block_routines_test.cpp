#include "layer/core/block_routines.h"

#include <gtest/gtest.h>

#include <string>

namespace layer {
namespace {

TEST(BlockRoutines, FillCompareAndCopy) {
    char block[8] = "abcdefg";
    FillBytes(block + 1, 'x', 3);
    EXPECT_STREQ(block, "axxxefg");

    EXPECT_EQ(BytesDiffer("ab\0c", "ab\0c", 4), 0);
    EXPECT_EQ(BytesDiffer("ab\0c", "ab\0d", 4), 1);
    EXPECT_EQ(BytesDiffer("a", "b", 0), 0);
}

TEST(BlockRoutines, OverlappingCopiesKeepTheSource) {
    for (auto* copy : {&CopyBytes, &MoveBytes}) {
        std::string forward = "123456789";
        EXPECT_EQ(copy(forward.data() + 2, forward.data(), 5), forward.data() + 2);
        EXPECT_EQ(forward, "121234589");
        std::string backward = "123456789";
        copy(backward.data(), backward.data() + 2, 5);
        EXPECT_EQ(backward, "345676789");
    }
}

}  // namespace
}  // namespace layer
