// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace qm {

// What one run of quillmore-cli did.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built quillmore-cli with the arguments, in the working folder,
// with the environment variables of this process changed by `environment`
// (an empty value removes a variable), and collects both streams.
CliResult RunCliProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                        const std::map<std::string, std::string>& environment = {});

// Starts the built quillmore-cli with the arguments in the working folder
// and the environment changed as for RunCliProgram, its streams going
// nowhere, and returns its process id at once.
pid_t StartCliProgram(const std::vector<std::string>& arguments, const std::string& workingFolder,
                      const std::map<std::string, std::string>& environment = {});

}  // namespace qm
