// SPDX-License-Identifier: MIT
#include "plugin/CheckPluginLibrary.h"

#include <optional>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "engine/ErrorCodes.h"
#include "plugin/HostAnswers.h"
#include "plugin/HostProtocol.h"
#include "plugin/PluginHostFailure.h"
#include "plugin/SharedLibrary.h"

namespace qm {
namespace {

struct Refusal {
    std::int32_t code;
    std::string detail;
};

std::optional<Refusal> RefusalOf(const std::string& fileName, std::chrono::seconds timeLimit)
{
    const Refusal notLoaded{kErrLibraryLoad, Format(T("ファイル[%s]"), {fileName})};
    if (!SharedLibrary::IsRegularFile(fileName)) {
        return notLoaded;
    }
    try {
        HostAnswers answers(RunPluginHost({host::kCheckMode, fileName}, timeLimit));
        const std::int32_t start = answers.Next();
        if (start == host::kLoadFailed) {
            answers.ExpectEnd();
            return notLoaded;
        }
        if (start == host::kMissingExport) {
            answers.Expect(0);
            answers.ExpectEnd();
            return Refusal{kErrMissingExport, Format(T("関数名[%s]"), {host::kExportNames[0]})};
        }
        if (start != host::kIdentification) {
            throw PluginHostFailure::Garbage();
        }
        const std::int32_t identification = answers.Next();
        answers.ExpectEnd();
        if (identification != 1) {
            return Refusal{kErrUnusableLibrary, T("このDLLは使えません。")};
        }
        return std::nullopt;
    } catch (const PluginHostFailure& failure) {
        return Refusal{kErrPluginHost, failure.Detail()};
    }
}

}  // namespace

void CheckPluginLibrary(MessageBoxes& boxes, const std::string& fileName,
                        std::chrono::seconds timeLimit)
{
    if (const std::optional<Refusal> refusal = RefusalOf(fileName, timeLimit)) {
        ReportError(boxes, refusal->code, refusal->detail);
        throw SilentStop();
    }
}

}  // namespace qm
