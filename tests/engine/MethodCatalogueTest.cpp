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

// The wallpaper groups: a table of their own, codes 11 to 27 in list order,
// found by code and by name, that the methods' table and MethodCodeOfItem
// know nothing of; the rectangular lattices take a free width.
TEST(MethodCatalogue, KeepsTheGroupsInATableOfTheirOwn)
{
    const char* names[] = {"p1", "p2",  "pm", "pg",  "cm",   "pmm",  "pmg", "pgg", "cmm",
                           "p4", "p4m", "p4g", "p3", "p3m1", "p31m", "p6",  "p6m"};
    const std::set<std::string> freeWidth{"pm", "pg", "cm", "pmm", "pmg", "pgg", "cmm"};
    ASSERT_EQ(GroupMethods().size(), std::size(names));
    std::set<std::string> items;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const MethodInfo& group = GroupMethods()[i];
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(group.code, kFirstGroupCode + i);
        EXPECT_EQ(group.cliName, std::string(names[i]));
        EXPECT_TRUE(items.insert(group.itemText).second);
        EXPECT_EQ(GroupMethod(group.code), &group);
        EXPECT_EQ(GroupMethodNamed(names[i]), &group);
        EXPECT_EQ(GroupMethodNamed(group.itemText), &group);
        EXPECT_EQ(GroupTakesFreeWidth(group.code), freeWidth.contains(names[i]));
        EXPECT_EQ(MethodCodeOfItemWithGroups(8 + static_cast<int>(i)), group.code);
        EXPECT_EQ(BuiltinMethod(group.code), nullptr);
        const auto maker = CreateGroupMaker(group.code);
        ASSERT_NE(maker, nullptr);
        EXPECT_EQ(maker->FreeWidth, freeWidth.contains(names[i]));
    }
    for (int item = -1; item < 8; ++item) {
        EXPECT_EQ(MethodCodeOfItemWithGroups(item), MethodCodeOfItem(item)) << item;
    }
    EXPECT_EQ(MethodCodeOfItemWithGroups(25), 8);
    EXPECT_EQ(MethodCodeOfItemWithGroups(26), 1);
    for (std::uint8_t code : {0, 1, 9, 10, 28, 255}) {
        EXPECT_EQ(GroupMethod(code), nullptr) << int{code};
        EXPECT_EQ(CreateGroupMaker(code), nullptr) << int{code};
        EXPECT_FALSE(GroupTakesFreeWidth(code)) << int{code};
    }
    EXPECT_EQ(GroupMethodNamed("kaleidoscope"), nullptr);
    EXPECT_EQ(GroupMethodNamed("P6M"), nullptr);
}

}  // namespace
}  // namespace qm
