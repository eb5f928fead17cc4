#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "engine/UMakeUnit.h"

namespace qm {

// One built-in method: its code, the class behind it, its item in the
// method list, its name on the command line and its factory.
struct MethodInfo {
    std::uint8_t code;
    const char* className;
    const char* itemText;
    const char* cliName;
    std::unique_ptr<TMakeUnit> (*create)();
};

// The method code of the plug-in maker, which has no item in the list.
inline constexpr std::uint8_t kPluginMethodCode = 9;
// The distorted square, the one method with a setting of its own.
inline constexpr std::uint8_t kDistortedSquareCode = 10;

// The built-in methods in the order of the main window's method list.
std::span<const MethodInfo> BuiltinMethods();

// The method code of an item of the method list: 0 -> 1, 1 -> 2, 2 -> 3,
// 3 -> 4, 4 -> 7, 5 -> 10, 6 -> 5, 7 -> 6, 8 -> 8, anything else -> 1.
std::uint8_t MethodCodeOfItem(int index);

// A new maker of a built-in method; null for a code without a built-in class.
std::unique_ptr<TMakeUnit> CreateBuiltinMaker(std::uint8_t code);

}  // namespace qm
