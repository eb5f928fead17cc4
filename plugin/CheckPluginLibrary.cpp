#include "plugin/CheckPluginLibrary.h"

#include "core/Errors.h"
#include "core/Format.h"
#include "engine/ErrorCodes.h"
#include "plugin/SharedLibrary.h"
#include "plugin/include/quillmore_plugin.h"

namespace qm {

void CheckPluginLibrary(MessageBoxes& boxes, const std::string& fileName)
{
    const SharedLibrary library(fileName);
    if (!library.Loaded()) {
        ReportError(boxes, kErrLibraryLoad, Format("ファイル[%s]", {fileName}));
        throw SilentStop();
    }
    const auto identify = library.Export<decltype(&::QuillmoreDLL)>("QuillmoreDLL");
    if (identify == nullptr) {
        ReportError(boxes, kErrMissingExport, Format("関数名[%s]", {"QuillmoreDLL"}));
        throw SilentStop();
    }
    if (identify() != 1) {
        ReportError(boxes, kErrUnusableLibrary, "このDLLは使えません。");
        throw SilentStop();
    }
}

}  // namespace qm
