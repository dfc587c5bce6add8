// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/PickerKeyRouting.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <functional>

namespace tiklo {

// The one picker window: frameless, floating, taking the keyboard when shown. Main thread
// only.
class PickerPanel {
public:
    virtual ~PickerPanel() = default;

    virtual Rect frame() const = 0;
    virtual void resize(double width, double height) = 0;
    virtual void setMovableByBackground(bool movable) = 0;
    // Puts the window's top-left corner at `topLeft`.
    virtual void move(Point topLeft) = 0;
    // Makes the window ready to show at once (its native window, a first frame drawn
    // unseen), without showing it.
    virtual void prepare() = 0;
    // Shows the window in front with the keyboard; `animated`: fade in while dropping
    // `drop` points into place over `seconds`.
    virtual void show(bool animated, double drop, double seconds) = 0;
    virtual void hide() = 0;
    // Shown and holding the keyboard.
    virtual bool isActive() const = 0;
    // The window as the window system names it (0 while there is none).
    virtual std::uint64_t windowID() const { return 0; }
    // Called when the window gets the keyboard, and when it loses it.
    virtual void setActivatedHandler(std::function<void()> handler) = 0;
    virtual void setDeactivatedHandler(std::function<void()> handler) = 0;
    // Sees every key event of the window before its views; answers whether it consumed it.
    virtual void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) = 0;
};

} // namespace tiklo
