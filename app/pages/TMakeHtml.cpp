// SPDX-License-Identifier: MIT
#include "app/pages/TMakeHtml.h"

#include <cstdio>
#include <string_view>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "imageio/OutputNames.h"

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

// An image name as the page's links and scripts give it: the characters
// that would end its attribute or its script string, start markup, an
// entity, an escape, a fragment or a query (" ' < > & \ # ?), the percent
// sign itself and control characters are percent-encoded, so the name
// reaches the browser's URL parser whole and names the same file. Other
// names stay as they are.
std::string NameInPage(const std::string& name)
{
    static constexpr std::string_view kEncoded = "\"'<>&%\\#?";
    std::string encoded;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || kEncoded.find(c) != std::string_view::npos) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            encoded += hex;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

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
        const std::string name = NameInPage(NumberedName(prefix, n, extension));
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
