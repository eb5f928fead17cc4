// SPDX-License-Identifier: MIT
#include <iostream>

#include "app/run/CleanStop.h"
#include "cli/CliSession.h"
#include "core/ExecutableFolder.h"
#include "core/Language.h"

int main(int argc, char** argv)
{
    qm::InstallCleanStop();
    qm::ChooseLanguage(qm::ExecutableFolder());
    return qm::RunCli(argc, argv, std::cout, std::cerr);
}
