// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/UMakeUnit.h"
#include "plugin/PluginHost.h"

namespace qm {

class HostAnswers;

// The plug-in method: a shared library supplies the geometry. Prepare has
// the plug-in host (a process of its own) load the library and ask it for
// the converted image size, the piece cell of every converted cell and the
// symmetry type, checks the answers and stores that mapping in the result
// map; a host that dies, ends early, answers garbage, runs out of memory or
// out of time fails with code 19. The host draws on the time budget open
// on this thread (plugin/PluginTimeBudget.h), which the make action shares
// with its library check. Make renders the converted image from
// the map and completes it by the mirror copies of the symmetry type; the
// library is not involved any more.
class TDll : public TMakeUnit {
public:
    // The library file, as the user typed it; set before Prepare.
    std::string LibraryPath;
    // The converted image size and the symmetry type the library answered.
    std::int32_t ConvertedWidth = 0;
    std::int32_t ConvertedHeight = 0;
    std::int32_t Symmetry = 0;
    // How long the host may take for all of the library's answers when no
    // time budget is open.
    std::chrono::seconds HostTimeLimit = kPluginTimeLimit;

    // Once prepared, the tile of the prepared cut, by the library's
    // answers; nothing before, and for any other cut.
    std::optional<TPoint> TileSizeFor(TPoint size) const override;

protected:
    void BuildMap() override;
    void BuildResult() override;

private:
    // Runs the host and takes over its answers; host failures leave as
    // PluginHostFailure.
    void MapFromHost();
    // Gives up with the code and the detail "設定値[value] 制限値[limit]"
    // when refused is true; the host stopped there, so its answer must end.
    void RefuseIf(HostAnswers& answers, bool refused, std::int32_t code, std::int32_t value,
                  std::int32_t limit);
};

}  // namespace qm
