// SPDX-License-Identifier: MIT
#include "engine/MethodCatalogue.h"

#include <array>

#include "core/Translate.h"
#include "engine/UmuNone.h"
#include "engine/UmuRotateCompress.h"
#include "engine/UmuSankaku.h"
#include "engine/UmuSankaku2.h"
#include "engine/UmuSharp.h"
#include "engine/UmuShikaku.h"
#include "engine/UmuTShikaku.h"
#include "engine/UmuThShikaku.h"

namespace qm {
namespace {

// The code the item after the last of the list maps to; no class has it.
constexpr std::uint8_t kUnlistedItemCode = 8;

template <class T>
std::unique_ptr<TMakeUnit> Create(const MakerSettings&)
{
    return std::make_unique<T>();
}

std::unique_ptr<TMakeUnit> CreateDistortedSquare(const MakerSettings& settings)
{
    auto maker = std::make_unique<TRotateCompress>();
    maker->RotateNum = settings.rotateNum;
    return maker;
}

constexpr std::array kMethods{
    MethodInfo{1, "TSankaku", N_("万華鏡風"), "kaleidoscope", false, &Create<TSankaku>},
    MethodInfo{2, "TSankaku2", N_("絨毯風"), "carpet", false, &Create<TSankaku2>},
    MethodInfo{3, "TTShikaku", N_("テーブルクロス風"), "tablecloth", false, &Create<TTShikaku>},
    MethodInfo{4, "ThTShikaku", N_("タイル風"), "tile", false, &Create<ThTShikaku>},
    MethodInfo{7, "TSharp", N_("花柄"), "floral", false, &Create<TSharp>},
    MethodInfo{kDistortedSquareCode, "TRotateCompress", N_("歪四角"), "distorted-square", false,
               &CreateDistortedSquare},
    MethodInfo{5, "TShikaku", N_("長方形"), "rectangle", true, &Create<TShikaku>},
    MethodInfo{6, "TNone", N_("無変換"), "none", true, &Create<TNone>},
};

}  // namespace

std::span<const MethodInfo> BuiltinMethods()
{
    return kMethods;
}

const MethodInfo* BuiltinMethod(std::uint8_t code)
{
    for (const MethodInfo& method : kMethods) {
        if (method.code == code) {
            return &method;
        }
    }
    return nullptr;
}

std::uint8_t MethodCodeOfItem(int index)
{
    constexpr int kItems = static_cast<int>(kMethods.size());
    if (index >= 0 && index < kItems) {
        return kMethods[static_cast<std::size_t>(index)].code;
    }
    return index == kItems ? kUnlistedItemCode : 1;
}

std::unique_ptr<TMakeUnit> CreateBuiltinMaker(std::uint8_t code, const MakerSettings& settings)
{
    const MethodInfo* method = BuiltinMethod(code);
    if (method == nullptr) {
        return nullptr;
    }
    std::unique_ptr<TMakeUnit> maker = method->create(settings);
    maker->FreeWidth = method->freeWidth;
    return maker;
}

}  // namespace qm
