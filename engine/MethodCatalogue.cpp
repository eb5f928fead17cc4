#include "engine/MethodCatalogue.h"

#include <array>

#include "engine/UmuNone.h"
#include "engine/UmuSankaku.h"
#include "engine/UmuSankaku2.h"

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
