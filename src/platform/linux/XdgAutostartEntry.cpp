// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XdgAutostartEntry.h"

#include "core/AtomicFile.h"
#include "core/XdgPaths.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tiklo {
namespace {

// Marks entries that Tiklo wrote, so a file of the same name from elsewhere is not taken
// for Tiklo's.
constexpr const char* ownerKey = "X-Tiklo-Autostart";
constexpr const char* desktopEntryGroup = "[Desktop Entry]";

std::string trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// Quotes an Exec argument as desktop entries require.
std::string quoteArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(std::filesystem::path entryPath,
                                     std::filesystem::path executable)
    : entryPath_(std::move(entryPath)), executable_(std::move(executable)) {}

std::filesystem::path XdgAutostartEntry::defaultPath(const std::string& applicationID) {
    return xdgConfigHome() / "autostart" / (applicationID + ".desktop");
}

std::filesystem::path XdgAutostartEntry::runningExecutable() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}

bool XdgAutostartEntry::isRegistered() const {
    std::ifstream in(entryPath_);
    if (!in) {
        return false;
    }
    bool inMainGroup = false;
    bool ours = false;
    for (std::string line; std::getline(in, line);) {
        line = trim(line);
        if (line.starts_with('[')) {
            inMainGroup = line == desktopEntryGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos) {
            continue;
        }
        const std::string key = trim(line.substr(0, equals));
        const std::string value = trim(line.substr(equals + 1));
        if (key == "Hidden" && value == "true") {
            return false;
        }
        if (key == "X-GNOME-Autostart-enabled" && value == "false") {
            return false;
        }
        ours = ours || (key == ownerKey && value == "true");
    }
    return ours;
}

std::string XdgAutostartEntry::contents() const {
    std::ostringstream entry;
    entry << desktopEntryGroup << "\n"
          << "Type=Application\n"
          << "Name=Tiklo\n"
          << "Comment=Emoji picker\n"
          << "Exec=" << quoteArgument(executable_.string()) << "\n"
          << "Icon=face-smile\n"
          << "Terminal=false\n"
          << "NoDisplay=true\n"
          << "X-GNOME-Autostart-enabled=true\n"
          << ownerKey << "=true\n";
    return entry.str();
}

Result XdgAutostartEntry::registerItem() {
    if (executable_.empty()) {
        return Result::failure("cannot find the running program's path");
    }
    return AtomicFile::write(entryPath_, contents(), 0644);
}

Result XdgAutostartEntry::unregisterItem() {
    std::error_code error;
    std::filesystem::remove(entryPath_, error);
    if (error) {
        return Result::failure(error.value(), error.message());
    }
    return Result::success();
}

} // namespace tiklo
