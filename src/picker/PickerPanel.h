#pragma once

#include "picker/PickerKeyRouting.h"
#include "platform/Geometry.h"

#include <functional>

namespace tiklo {

// The one picker window: frameless, floating, taking the keyboard when shown. Geometry is
// global bottom-left. Main thread only.
class PickerPanel {
public:
    virtual ~PickerPanel() = default;

    virtual Rect frame() const = 0;
    virtual void setContentSize(double width, double height) = 0;
    virtual void setMovableByBackground(bool movable) = 0;
    virtual void setFrameOrigin(Point origin) = 0;
    // Shows the window in front with the keyboard; `animated`: fade in while dropping
    // `drop` points into place over `seconds`.
    virtual void present(bool animated, double drop, double seconds) = 0;
    virtual void orderOut() = 0;
    virtual bool isKeyWindow() const = 0;
    // Called when the window loses the keyboard.
    virtual void setResignKeyHandler(std::function<void()> handler) = 0;
    // Called when the window gets the keyboard.
    virtual void setActivatedHandler(std::function<void()> handler) = 0;
    // Sees every key event of the window before its views; answers whether it consumed it.
    virtual void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) = 0;
};

} // namespace tiklo
