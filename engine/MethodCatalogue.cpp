#include "engine/MethodCatalogue.h"

#include <array>

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

template <class T>
std::unique_ptr<TMakeUnit> Create()
{
    return std::make_unique<T>();
}

constexpr std::array kMethods{
    MethodInfo{1, "TSankaku", "万華鏡風", "kaleidoscope", &Create<TSankaku>},
    MethodInfo{2, "TSankaku2", "絨毯風", "carpet", &Create<TSankaku2>},
    MethodInfo{3, "TTShikaku", "テーブルクロス風", "tablecloth", &Create<TTShikaku>},
    MethodInfo{4, "ThTShikaku", "タイル風", "tile", &Create<ThTShikaku>},
    MethodInfo{7, "TSharp", "花柄", "floral", &Create<TSharp>},
    MethodInfo{10, "TRotateCompress", "歪四角", "distorted-square", &Create<TRotateCompress>},
    MethodInfo{5, "TShikaku", "長方形", "rectangle", &Create<TShikaku>},
    MethodInfo{6, "TNone", "無変換", "none", &Create<TNone>},
};

}  // namespace

std::span<const MethodInfo> BuiltinMethods()
{
    return kMethods;
}

std::uint8_t MethodCodeOfItem(int index)
{
    constexpr std::uint8_t kCodes[] = {1, 2, 3, 4, 7, 10, 5, 6, 8};
    if (index < 0 || index >= static_cast<int>(std::size(kCodes))) {
        return 1;
    }
    return kCodes[index];
}

std::unique_ptr<TMakeUnit> CreateBuiltinMaker(std::uint8_t code)
{
    for (const MethodInfo& method : kMethods) {
        if (method.code == code) {
            return method.create();
        }
    }
    return nullptr;
}

}  // namespace qm
