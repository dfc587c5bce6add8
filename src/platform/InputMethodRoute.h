#pragma once

#include <functional>
#include <string>

namespace tiklo {

// Semicolon search served inside the input method by Tiklo's addon, where one runs.
class InputMethodRoute {
public:
    // Whether the addon serves this session: it answers (on), it is installed but does not
    // answer, as when fcitx5 is not running (off), or it is not installed.
    enum class State { unknown, on, off, notInstalled };
    using Listener = std::function<void(State)>;

    virtual ~InputMethodRoute() = default;
    // The input method holds the field that has the focus: the search there is the addon's,
    // and Tiklo's own key watcher stands down.
    virtual bool holdsFocusedField() const = 0;
    // Tells `listener` the state now, once known, and each change after.
    virtual void watch(Listener listener) = 0;
    // The picker's shortcut was typed in a field the input method holds, where Tiklo cannot
    // type: `open` shows the full picker, whose choice goes back through `commit`.
    virtual void onPickerRequest(std::function<void()> open) = 0;
    // Has the input method put `text` into the field that asked for the picker, once it has
    // the focus again.
    virtual void commit(const std::string& text) = 0;
};

} // namespace tiklo
