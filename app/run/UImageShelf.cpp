// SPDX-License-Identifier: MIT
#include "app/run/UImageShelf.h"

#include <dirent.h>
#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

#include "core/Errors.h"
#include "core/Format.h"
#include "core/Random.h"
#include "core/Translate.h"
#include "imageio/ImageFiles.h"

namespace qm {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool MatchesMask(const std::string& mask, const char* name)
{
    return mask == "*.*" || fnmatch(mask.c_str(), name, 0) == 0;
}

}  // namespace

void ListFiles(const std::string& folder, std::vector<std::string>* list)
{
    FindFiles(folder, "*.*", list);
}

void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>* list)
{
    if (list == nullptr) {
        return;
    }
    std::string path = folder;
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    const std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) {
        return;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (MatchesMask(mask, entry->d_name)) {
            list->emplace_back(entry->d_name);
        }
    }
}

TImageShelf::TImageShelf(const std::string& folder)
{
    ListFiles(folder, &Files);
    for (std::size_t i = Files.size(); i-- > 0;) {
        if (IsImageFile(Files[i])) {
            Files[i] = Format("%s/%s", {folder, Files[i]});
        } else {
            Files.erase(Files.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

bool TImageShelf::IsImageFile(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* picture : {".bmp", ".jpg", ".jpeg", ".png", ".heic", ".heif", ".avif", ".webp",
                                ".tif", ".tiff"}) {
        if (extension == picture) {
            return true;
        }
    }
    return false;
}

std::string TImageShelf::PickImage(Image& destination, bool autoOrient)
{
    DecodeOptions options;
    options.AutoOrient = autoOrient;
    DecodedPicture picture;
    const std::string picked = PickPicture(picture, options);
    destination = std::move(picture.Picture);
    return picked;
}

std::string TImageShelf::PickPicture(DecodedPicture& destination, const DecodeOptions& options)
{
    rng::Reseed();
    while (!Files.empty()) {
        const std::uint32_t i = rng::Random(static_cast<std::uint32_t>(Files.size()));
        std::optional<DecodedPicture> picture = LoadPictureAnyFormat(Files[i], options);
        if (picture) {
            destination = std::move(*picture);
            return Files[i];
        }
        Files.erase(Files.begin() + static_cast<std::ptrdiff_t>(i));
    }
    throw ErrorMessage(T("イメージファイルが存在しません。"));
}

}  // namespace qm
