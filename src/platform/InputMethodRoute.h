// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace tiklo {

// Semicolon search served inside the input methods by Tiklo's front ends there (the fcitx5
// addon, the IBus engine), where one runs.
class InputMethodRoute {
public:
    // Whether a front end serves this session: it answers (on), it is installed but does not
    // answer, as when its input method is not running or another input source is active
    // (off), or it is not installed.
    enum class State { unknown, on, off, notInstalled };
    enum class Method { fcitx5, ibus };
    using Listener = std::function<void(Method, State)>;

    virtual ~InputMethodRoute() = default;
    // An input method holds the field that has the focus: the search there is its front
    // end's, and Tiklo's own key watcher stands down.
    virtual bool holdsFocusedField() const = 0;
    // Tells `listener` each method's state, once known, and each change after.
    virtual void watch(Listener listener) = 0;
    // The picker's shortcut was typed in a field an input method holds, where Tiklo cannot
    // type, or a group named by semicolon search chosen there: `open` shows the full picker at
    // that group (a tab's raw kind and the group's raw value; both empty: as the shortcut
    // opens it), whose choice goes back through `commit`.
    using PickerRequest = std::function<void(const std::string& kind, const std::string& group)>;
    virtual void onPickerRequest(PickerRequest open) = 0;
    // Has the input method that holds the field put `text` there, once it has the focus again.
    virtual void commit(const std::string& text) = 0;
    // Whether one of Tiklo's own windows is active: an input method that cannot tell which
    // program a field belongs to (IBus under GNOME) searches nowhere while one is.
    virtual void setOwnWindowActive(bool active) = 0;
};

} // namespace tiklo
