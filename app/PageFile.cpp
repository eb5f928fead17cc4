#include "app/PageFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/Errors.h"
#include "core/Format.h"
#include "imageio/FileIo.h"

namespace qm {
namespace {

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

}  // namespace

void WritePageFile(const std::string& path, const std::string& bytes)
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

}  // namespace qm
