// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes (also after a test took away its
// permissions).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of an entry of the folder.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const;
    void CopyIn(const std::string& source, const std::string& name) const;

private:
    std::string path_;
};

}  // namespace qm::test
