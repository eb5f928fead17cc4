#include <iostream>

#include "cli/CliSession.h"

int main(int argc, char** argv)
{
    return qm::RunCli(argc, argv, std::cout, std::cerr);
}
