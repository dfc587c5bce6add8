// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

namespace tiklo {
namespace {

constexpr std::string_view usage =
    "Usage: tiklo [--picker | --settings | --help | --version]\n"
    "\n"
    "Tiklo, an emoji picker. Type \";\" and a few letters in any text field, or press the\n"
    "global shortcut (Ctrl+Alt+E unless changed), and pick an emoji. Tiklo runs in the\n"
    "background with an icon in the system tray and needs an X11 display (DISPLAY).\n"
    "Launched again while it runs, it opens the running Tiklo's settings.\n"
    "\n"
    "      --picker    open the full picker of the running Tiklo (starting Tiklo if none\n"
    "                  runs): bind this to a shortcut of the desktop where Tiklo's own\n"
    "                  cannot be held\n"
    "      --settings  open the settings of the running Tiklo (starting Tiklo if none runs)\n"
    "  -h, --help      show this help and exit\n"
    "      --version   show the version and exit\n";

} // namespace

CommandLine::Parsed CommandLine::parse(int argc, const char* const* argv,
                                       std::string_view version) {
    Parsed parsed;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "--help" || argument == "-h") {
            return {Action::help, std::string(usage)};
        }
        if (argument == "--version") {
            return {Action::version, "tiklo " + std::string(version) + "\n"};
        }
        const Window window = argument == "--picker"     ? Window::picker
                              : argument == "--settings" ? Window::settings
                                                         : Window::none;
        if (window != Window::none && (parsed.window == Window::none || parsed.window == window)) {
            parsed.window = window;
            continue;
        }
        if (window != Window::none) {
            return {Action::refuse, "tiklo: --picker and --settings cannot go together (see "
                                    "tiklo --help)\n"};
        }
        const char* what = argument.starts_with('-') ? "unknown option" : "unexpected argument";
        return {Action::refuse, "tiklo: " + std::string(what) + " '" + std::string(argument) +
                                    "' (see tiklo --help)\n"};
    }
    return parsed;
}

} // namespace tiklo
