#pragma once

#include <string>
#include <string_view>

namespace tiklo {

// What the program's arguments ask for, with the text to print. Tiklo takes only its own
// options: nothing is passed on to Qt.
class CommandLine {
public:
    enum class Action {
        run,
        help,    // print `text` on standard output, exit 0
        version, // print `text` on standard output, exit 0
        refuse,  // print `text` on standard error, exit 2
    };
    struct Parsed {
        Action action = Action::run;
        std::string text;
    };

    static Parsed parse(int argc, const char* const* argv, std::string_view version);
};

} // namespace tiklo
