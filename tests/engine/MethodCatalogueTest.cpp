// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>

#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

TEST(MethodCatalogue, MapsListItemsToMethodCodes)
{
    const int expected[] = {1, 2, 3, 4, 7, 10, 5, 6, 8};
    for (int item = 0; item < 9; ++item) {
        EXPECT_EQ(MethodCodeOfItem(item), expected[item]) << item;
    }
    for (int item : {-1, 9, INT_MIN, INT_MAX}) {
        EXPECT_EQ(MethodCodeOfItem(item), 1) << item;
    }
}

TEST(MethodCatalogue, ListsTheBuiltinMethodsInListOrder)
{
    const std::uint8_t itemOrder[] = {1, 2, 3, 4, 7, 10, 5, 6};
    int lastPosition = -1;
    std::set<std::string> items;
    for (const MethodInfo& method : BuiltinMethods()) {
        const auto* position = std::find(std::begin(itemOrder), std::end(itemOrder), method.code);
        ASSERT_NE(position, std::end(itemOrder)) << int{method.code};
        EXPECT_GT(position - itemOrder, lastPosition) << int{method.code};
        lastPosition = static_cast<int>(position - itemOrder);
        EXPECT_TRUE(items.insert(method.itemText).second) << method.itemText;
        EXPECT_NE(CreateBuiltinMaker(method.code), nullptr) << int{method.code};
    }
    auto item = [](std::uint8_t code) {
        for (const MethodInfo& method : BuiltinMethods()) {
            if (method.code == code) {
                return std::string(method.itemText);
            }
        }
        return std::string();
    };
    EXPECT_EQ(item(1), "万華鏡風");
    EXPECT_EQ(item(2), "絨毯風");
    EXPECT_EQ(item(6), "無変換");
}

TEST(MethodCatalogue, HasNoMakerForACodeWithoutABuiltinClass)
{
    for (std::uint8_t code : {0, 8, 9, 11, 255}) {
        EXPECT_EQ(CreateBuiltinMaker(code), nullptr) << int{code};
    }
}

}  // namespace
}  // namespace qm
