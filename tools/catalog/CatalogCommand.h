// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tiklo {

// The `tiklo-catalog` command line: prints the catalog or a ranked search, from the
// system's sources or from files named on the command line.
class CatalogCommand {
public:
    static constexpr int usageError = 2;

    // Runs the command; returns the exit status. Errors go to `err` as one line.
    static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

} // namespace tiklo
