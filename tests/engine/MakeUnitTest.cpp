#include <gtest/gtest.h>

#include "engine/ErrorCodes.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

TEST(MakeUnit, PlaceholderUntilTheSuiteLands)
{
    auto maker = CreateBuiltinMaker(6);
    ASSERT_NE(maker, nullptr);
    EXPECT_TRUE(maker->Prepare({64, 64}, false));
}

}  // namespace
}  // namespace qm
