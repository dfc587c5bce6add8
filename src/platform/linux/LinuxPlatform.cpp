// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxPlatform.h"

#include <QCoreApplication>

namespace tiklo {
namespace {

xcb_window_t rootOf(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace

LinuxPlatform::LinuxPlatform(xcb_connection_t* connection, const std::string& applicationID,
                             Files files)
    : root_(rootOf(connection)), defaults_(files.settings), hotkeys_(connection, root_),
      autostart_(files.autostartEntry.empty() ? XdgAutostartEntry::defaultPath(applicationID)
                                              : files.autostartEntry,
                 XdgAutostartEntry::runningExecutable()),
      workspace_(connection, root_, applicationID), trust_(connection),
      keyboardHold_(input_, ledger_), keyPoster_(input_, keyboardHold_, ledger_, sleeper_),
      activator_(connection, root_, sleeper_),
      // The caret is looked for in the application whose window is active.
      accessibility_([this]() -> std::optional<long> {
          const auto front = workspace_.frontmostApplication();
          return front ? std::optional<long>(front->pid) : std::nullopt;
      }),
      keyboard_(connection, root_, ledger_) {
    QCoreApplication::instance()->installNativeEventFilter(&hotkeys_);
    QCoreApplication::instance()->installNativeEventFilter(&workspace_);
}

Platform LinuxPlatform::platform() {
    return {defaults_,         hotkeys_,    autostart_, workspace_, trust_,        accessibility_,
            accessibilityBus_, screens_,    keyboard_,  keyboard_,  keyboardHold_, keyPoster_,
            activator_,        mainThread_, sleeper_,   timers_,    inputMethod_};
}

} // namespace tiklo
