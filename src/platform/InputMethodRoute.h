#pragma once

#include <functional>

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
};

} // namespace tiklo
