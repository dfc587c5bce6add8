#pragma once

namespace tiklo {

// Semicolon search served inside the input method by Tiklo's addon, where one runs.
class InputMethodRoute {
public:
    virtual ~InputMethodRoute() = default;
    // The input method holds the field that has the focus: the search there is the addon's,
    // and Tiklo's own key watcher stands down.
    virtual bool holdsFocusedField() const = 0;
};

} // namespace tiklo
