// Builds the blend tables once for the whole test process, as graphics start-up does.
#include <gtest/gtest.h>

#include "layer/softrender/blend_tables.h"

namespace {

class BlendTablesEnvironment : public testing::Environment {
  public:
    void SetUp() override { layer::BuildBlendTables(); }
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new BlendTablesEnvironment);

}  // namespace
