// SPDX-License-Identifier: MIT
#include "engine/MethodCatalogue.h"

#include <array>

#include "core/Translate.h"
#include "engine/UmuCm.h"
#include "engine/UmuCmm.h"
#include "engine/UmuNone.h"
#include "engine/UmuP1.h"
#include "engine/UmuP2.h"
#include "engine/UmuP3.h"
#include "engine/UmuP31m.h"
#include "engine/UmuP3m1.h"
#include "engine/UmuP4.h"
#include "engine/UmuP4g.h"
#include "engine/UmuP4m.h"
#include "engine/UmuP6.h"
#include "engine/UmuP6m.h"
#include "engine/UmuPg.h"
#include "engine/UmuPgg.h"
#include "engine/UmuPm.h"
#include "engine/UmuPmg.h"
#include "engine/UmuPmm.h"
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

constexpr std::array kGroups{
    MethodInfo{11, "TP1", N_("p1 平行移動"), "p1", false, &Create<TP1>},
    MethodInfo{12, "TP2", N_("p2 半回転"), "p2", false, &Create<TP2>},
    MethodInfo{13, "TPm", N_("pm 鏡映"), "pm", true, &Create<TPm>},
    MethodInfo{14, "TPg", N_("pg 映進"), "pg", true, &Create<TPg>},
    MethodInfo{15, "TCm", N_("cm 鏡映と映進"), "cm", true, &Create<TCm>},
    MethodInfo{16, "TPmm", N_("pmm 直交する鏡映"), "pmm", true, &Create<TPmm>},
    MethodInfo{17, "TPmg", N_("pmg 鏡映と半回転"), "pmg", true, &Create<TPmg>},
    MethodInfo{18, "TPgg", N_("pgg 直交する映進"), "pgg", true, &Create<TPgg>},
    MethodInfo{19, "TCmm", N_("cmm 菱形格子の鏡映"), "cmm", true, &Create<TCmm>},
    MethodInfo{20, "TP4", N_("p4 四回回転"), "p4", false, &Create<TP4>},
    MethodInfo{21, "TP4m", N_("p4m 正方形の鏡映"), "p4m", false, &Create<TP4m>},
    MethodInfo{22, "TP4g", N_("p4g 四回回転と斜めの鏡映"), "p4g", false, &Create<TP4g>},
    MethodInfo{23, "TP3", N_("p3 三回回転"), "p3", false, &Create<TP3>},
    MethodInfo{24, "TP3m1", N_("p3m1 三角形の鏡映"), "p3m1", false, &Create<TP3m1>},
    MethodInfo{25, "TP31m", N_("p31m 三回回転と鏡映"), "p31m", false, &Create<TP31m>},
    MethodInfo{26, "TP6", N_("p6 六回回転"), "p6", false, &Create<TP6>},
    MethodInfo{27, "TP6m", N_("p6m 六角形の鏡映"), "p6m", false, &Create<TP6m>},
};
static_assert(kGroups.front().code == kFirstGroupCode && kGroups.back().code == kLastGroupCode &&
              kGroups.size() == kLastGroupCode - kFirstGroupCode + 1);

std::unique_ptr<TMakeUnit> MakerOfRow(const MethodInfo& method, const MakerSettings& settings)
{
    std::unique_ptr<TMakeUnit> maker = method.create(settings);
    maker->FreeWidth = method.freeWidth;
    return maker;
}

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
    return method != nullptr ? MakerOfRow(*method, settings) : nullptr;
}

std::span<const MethodInfo> GroupMethods()
{
    return kGroups;
}

const MethodInfo* GroupMethod(std::uint8_t code)
{
    if (code < kFirstGroupCode || code > kLastGroupCode) {
        return nullptr;
    }
    return &kGroups[static_cast<std::size_t>(code - kFirstGroupCode)];
}

const MethodInfo* GroupMethodNamed(std::string_view name)
{
    for (const MethodInfo& group : kGroups) {
        if (name == group.cliName || name == group.itemText) {
            return &group;
        }
    }
    return nullptr;
}

bool GroupTakesFreeWidth(std::uint8_t code)
{
    const MethodInfo* group = GroupMethod(code);
    return group != nullptr && group->freeWidth;
}

std::uint8_t MethodCodeOfItemWithGroups(int index)
{
    constexpr int kMethodItems = static_cast<int>(kMethods.size());
    constexpr int kItems = kMethodItems + static_cast<int>(kGroups.size());
    if (index >= kMethodItems && index < kItems) {
        return kGroups[static_cast<std::size_t>(index - kMethodItems)].code;
    }
    if (index == kItems) {
        return kUnlistedItemCode;
    }
    return index >= 0 && index < kMethodItems ? MethodCodeOfItem(index) : 1;
}

std::unique_ptr<TMakeUnit> CreateGroupMaker(std::uint8_t code)
{
    const MethodInfo* group = GroupMethod(code);
    return group != nullptr ? MakerOfRow(*group, {}) : nullptr;
}

}  // namespace qm
