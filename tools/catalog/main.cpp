// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/catalog/CatalogCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tiklo::CatalogCommand::run(args, std::cout, std::cerr);
}
