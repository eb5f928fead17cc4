// SPDX-License-Identifier: MIT
// Writes the manual page of quillmore-cli in one language at build time:
//
//   quillmore-cli-man-page LANGUAGE PAGE DETAILS OUTPUT
//
// LANGUAGE is en or ja; PAGE and DETAILS are the page's hand-written parts
// (see ManPage).
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/ManPage.h"
#include "core/ExecutableFolder.h"
#include "core/Language.h"

namespace {

std::string ReadFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(std::string("cannot read ") + path);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: quillmore-cli-man-page en|ja PAGE DETAILS OUTPUT\n";
        return 2;
    }
    // The language is chosen as a user's locale would choose it; Japanese
    // is the texts as written.
    const std::string language = argv[1];
    setenv("LC_ALL", language == "ja" ? "C.UTF-8" : "en_US.UTF-8", 1);
    setenv("LANGUAGE", language.c_str(), 1);
    qm::ChooseLanguage(qm::ExecutableFolder());
    if (qm::ShownLanguage() != language) {
        std::cerr << "no catalogue for " << language << " beside the generator\n";
        return 1;
    }
    try {
        const std::string page = qm::ManPage(ReadFile(argv[2]), ReadFile(argv[3]));
        std::ofstream output(argv[4], std::ios::binary);
        output << page;
        if (!output.flush()) {
            std::cerr << "cannot write " << argv[4] << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
