// SPDX-License-Identifier: GPL-3.0-or-later
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
    // What to show once running: of this launch, or of the Tiklo already running.
    enum class Window {
        none,     // nothing asked; a second launch shows the settings
        picker,   // --picker: the full picker, as the shortcut opens it
        settings, // --settings
    };
    struct Parsed {
        Action action = Action::run;
        std::string text;
        Window window = Window::none;
    };

    static Parsed parse(int argc, const char* const* argv, std::string_view version);
};

} // namespace tiklo
