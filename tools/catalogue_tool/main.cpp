// tarvolin-catalogue: checks, imports and exports spring catalogues.

#include "cli.h"

#include <iostream>

int main(int argc, char** argv) {
    return cattool::run_cli(argc, argv, std::cout, std::cerr);
}
