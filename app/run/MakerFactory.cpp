// SPDX-License-Identifier: MIT
#include "app/run/MakerFactory.h"

#include "engine/MethodCatalogue.h"
#include "plugin/UmuDll.h"

namespace qm {

std::unique_ptr<TMakeUnit> CreateMaker(std::uint8_t code, const std::string& dllName,
                                       std::int32_t rotateNum, bool wallpaperGroups)
{
    if (code == kPluginMethodCode) {
        auto maker = std::make_unique<TDll>();
        maker->LibraryPath = dllName;
        return maker;
    }
    if (wallpaperGroups && GroupMethod(code) != nullptr) {
        return CreateGroupMaker(code);
    }
    return CreateBuiltinMaker(code, MakerSettings{rotateNum});
}

}  // namespace qm
