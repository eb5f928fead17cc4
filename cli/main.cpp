// SPDX-License-Identifier: MIT
#include <iostream>

#include "app/CleanStop.h"
#include "cli/CliSession.h"

int main(int argc, char** argv)
{
    qm::InstallCleanStop();
    return qm::RunCli(argc, argv, std::cout, std::cerr);
}
