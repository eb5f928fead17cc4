// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "engine/UMakeUnit.h"

namespace qm {

// What a run hands the maker of its method before Prepare; each method
// takes what it needs.
struct MakerSettings {
    // The rotate number of the distorted square.
    std::int32_t rotateNum = 0;
};

// One built-in method, everything the program knows of it in one row: its
// code, the class behind it, its item in the method list, its name on the
// command line, whether its cut may be wider or narrower than high, and the
// factory of its maker.
struct MethodInfo {
    std::uint8_t code;
    const char* className;
    // The Japanese name, as the run record keeps it; the list shows T(itemText).
    const char* itemText;
    const char* cliName;
    // The free-width size rules of TMakeUnit (odd widths, one side below
    // 32); in the window, the width field is enabled for the method.
    bool freeWidth;
    std::unique_ptr<TMakeUnit> (*create)(const MakerSettings& settings);
};

// The method code of the plug-in maker, which has no item in the list.
inline constexpr std::uint8_t kPluginMethodCode = 9;
// The distorted square, the one method with a setting of its own.
inline constexpr std::uint8_t kDistortedSquareCode = 10;

// The built-in methods in the order of the main window's method list.
std::span<const MethodInfo> BuiltinMethods();

// The row of a method code; null for a code without a built-in class.
const MethodInfo* BuiltinMethod(std::uint8_t code);

// The method code of an item of the method list: the code of its row; 8,
// a code without a class, for the item after the last; 1 for anything else.
std::uint8_t MethodCodeOfItem(int index);

// A new maker of a built-in method with its size rules and settings; null
// for a code without a built-in class.
std::unique_ptr<TMakeUnit> CreateBuiltinMaker(std::uint8_t code, const MakerSettings& settings = {});

// The seventeen wallpaper groups, a table of their own beside the methods
// above, which neither they nor MethodCodeOfItem see. A group's row has
// freeWidth set for a rectangular lattice (pm, pg, cm, pmm, pmg, pgg, cmm):
// its cut may be wider or narrower than high, under the size rules of the
// rectangle; the square and hexagonal groups take square cuts.
inline constexpr std::uint8_t kFirstGroupCode = 11;
inline constexpr std::uint8_t kLastGroupCode = 27;

// The groups in the order of the method list, codes 11 to 27.
std::span<const MethodInfo> GroupMethods();

// The row of a group's code; null for any other code.
const MethodInfo* GroupMethod(std::uint8_t code);

// The row of a group named by its command-line name (p1 ... p6m) or its
// list item; null for any other name.
const MethodInfo* GroupMethodNamed(std::string_view name);

// Whether the group of this code takes a cut of free width (a rectangular
// lattice); false for any other code.
bool GroupTakesFreeWidth(std::uint8_t code);

// The method code of an item of the method list that shows the groups after
// the methods: the methods' items as MethodCodeOfItem maps them, then the
// groups' codes; 8 for the item after the last; 1 for anything else.
std::uint8_t MethodCodeOfItemWithGroups(int index);

// A new maker of a group with its size rules; null for any other code.
std::unique_ptr<TMakeUnit> CreateGroupMaker(std::uint8_t code);

}  // namespace qm
