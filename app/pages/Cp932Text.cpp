// SPDX-License-Identifier: MIT
#include "app/pages/Cp932Text.h"

#include <cerrno>
#include <iconv.h>

#include "core/ErrorText.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "core/Translate.h"

namespace qm {
namespace {

// Owns one iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw ErrorMessage(Format(T("文字コード %s への変換を使えません。%s"), {to, SystemErrorText(errno)}));
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t Handle() const { return cd_; }

private:
    iconv_t cd_;
};

// The UTF-8 character starting at text[pos] for a message, or the byte in
// hexadecimal when it does not start a well-formed character.
std::string CharacterAt(const std::string& text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length == 0 || pos + length > text.size()) {
        constexpr char kHex[] = "0123456789ABCDEF";
        return std::string("\\x") + kHex[lead >> 4] + kHex[lead & 15];
    }
    return text.substr(pos, length);
}

}  // namespace

std::string ToCp932(const std::string& utf8)
{
    Converter converter("CP932", "UTF-8");
    std::string out(utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    std::size_t written = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const std::size_t result = iconv(converter.Handle(), &in, &inLeft, &outPtr, &outLeft);
        written = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        const std::size_t pos = utf8.size() - inLeft;
        throw ErrorMessage(Format(T("文字「%s」はShift_JISで書けないため、HTMLファイルを作成できません。"),
                                  {CharacterAt(utf8, pos)}));
    }
    out.resize(written);
    return out;
}

}  // namespace qm
