#pragma once

#include <cstdint>
#include <string>

#include "engine/UMakeUnit.h"

namespace qm {

// The plug-in method: a shared library supplies the geometry. Prepare loads
// the library, asks it for the converted image size, the piece cell of every
// converted cell and the symmetry type, stores that mapping in the result
// map and releases the library again. Make renders the converted image from
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

protected:
    void BuildMap() override;
    void BuildResult() override;

private:
    // Gives up with the code and the detail "設定値[value] 制限値[limit]"
    // when refused is true.
    void RefuseIf(bool refused, std::int32_t code, std::int32_t value, std::int32_t limit);
    [[noreturn]] void FailMissingExport(const char* name);
};

}  // namespace qm
