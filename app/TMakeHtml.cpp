// SPDX-License-Identifier: MIT
#include "app/TMakeHtml.h"

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {
namespace {

// Collects the lines of the page, each followed by CR LF.
class PageText {
public:
    void Line(const std::string& text)
    {
        text_ += text;
        text_ += "\r\n";
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace

std::string TMakeHtml::BuildPage(std::int32_t count, const std::string& prefix,
                                 const std::string& extension) const
{
    if (count < 1) {
        throw ErrorMessage(Format(T("範囲チェックエラー。画像数[%d]"), {count}));
    }
    if (NumOfCol < 1) {
        throw ErrorMessage(Format(T("範囲チェックエラー。1行の画像数[%d]"), {NumOfCol}));
    }

    PageText page;
    page.Line("<html><head>");
    // The page is written in code page 932; without this line a browser
    // guesses the encoding and garbles the title and the button caption.
    page.Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">");
    page.Line("<script language=\"JavaScript\">");
    page.Line("<!--");
    page.Line("function showImage(img) {");
    page.Line("  imgwin = window.open('', \"img\", \"width=" + std::to_string(PopupWidth) +
              " height=" + std::to_string(PopupHeight) + "\");");
    page.Line("  imgwin.document.write('<html><head><title>image</title></head><body background=\"' "
              "+ img + '\"><form><input type=\"button\" value=\"" + std::string(T("閉じる")) +
              "\" onClick=\"window.close();\"></form></body></html>');");
    page.Line("  imgwin.document.close();");
    page.Line("}");
    page.Line("// -->");
    page.Line("</script>");
    page.Line("<style>");
    page.Line("<!--");
    page.Line("  td {");
    page.Line("    text-align: center;");
    page.Line("  }");
    page.Line("-->");
    page.Line("</style>");
    page.Line("<title>" + Title + "</title>");
    page.Line("</head>");
    page.Line("<body>");
    page.Line("<table>");
    page.Line("<tr>");
    for (std::int32_t n = 1; n <= count; ++n) {
        if (n - 1 != 0 && (n - 1) % NumOfCol == 0) {
            page.Line("</tr><tr>");
        }
        const std::string name = Format("%s%.03d.%s", {prefix, n, extension});
        page.Line("  <td><a href=\"\" onClick=\"showImage('" + name +
                  "'); return false;\"><img src=\"" + name + "\" border=\"0\"></a><br>" +
                  std::to_string(n) + "</td>");
    }
    page.Line("</tr>");
    page.Line("</table>");
    page.Line("</body>");
    page.Line("</html>");
    return page.Text();
}

}  // namespace qm
