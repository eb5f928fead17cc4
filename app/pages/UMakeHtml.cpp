// SPDX-License-Identifier: MIT
#include "app/pages/UMakeHtml.h"

#include "app/pages/Cp932Text.h"
#include "app/OutputType.h"
#include "app/pages/PageFile.h"
#include "app/pages/TMakeHtml.h"
#include "core/Errors.h"
#include "core/Format.h"

namespace qm {
namespace {

std::string ExtensionOf(std::uint8_t imageType)
{
    const OutputTypeInfo* type = FindOutputType(imageType);
    if (type == nullptr) {
        throw ErrorMessage("invalid image type at MakeHtml()");
    }
    return type->extension;
}

}  // namespace

void MakeHtml(const THtmlParam& param)
{
    TMakeHtml writer;
    const std::string extension = ExtensionOf(param.ImageType);
    writer.Title = param.Title;
    writer.NumOfCol = param.NumOfCol;
    writer.PopupWidth = param.PopupWidth;
    writer.PopupHeight = param.PopupHeight;
    const std::string page = writer.BuildPage(param.Count, param.Prefix, extension) + "\r\n";
    const std::string path = Format("%s%s", {param.OutDirectory, param.HtmlFileName});
    WritePageFile(path, ToCp932(page));
}

}  // namespace qm
