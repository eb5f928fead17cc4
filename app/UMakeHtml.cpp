#include "app/UMakeHtml.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <span>

#include "app/Cp932Text.h"
#include "app/TMakeHtml.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "imageio/FileIo.h"

namespace qm {
namespace {

std::string ExtensionOf(std::uint8_t imageType)
{
    switch (imageType) {
    case 0:
        return "bmp";
    case 1:
        return "jpg";
    case 2:
        return "png";
    default:
        throw ErrorMessage("invalid image type at MakeHtml()");
    }
}

// Closes a descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Get() const { return fd_; }
    int Close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Writes bytes over the start of an opened file and cuts the file to their
// length, so no tail of a longer old page stays behind. Returns 0 or the
// errno of the step that failed.
int OverwriteFrom(OpenFile& file, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) != 0) {
        return errno;
    }
    return file.Close() == 0 ? 0 : errno;
}

// Replaces the file at path by bytes. When no new file can be created there
// (a folder that takes no new files, say), the existing file is opened and
// overwritten instead; when it cannot be opened either, the creation error
// stands.
void WritePage(const std::string& path, const std::string& bytes)
{
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    try {
        WriteFileAtomically(path, data);
    } catch (const ErrorMessage&) {
        OpenFile existing(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (existing.Get() < 0) {
            throw;
        }
        if (const int error = OverwriteFrom(existing, data); error != 0) {
            throw ErrorMessage(
                Format("ファイル \"%s\". %s を作成できません", {path, std::strerror(error)}));
        }
    }
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
    WritePage(path, ToCp932(page));
}

}  // namespace qm
