// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplication.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tiklo {

// The desktop as Tiklo sees it: which application is in front, and Tiklo's own identity.
class Workspace {
public:
    virtual ~Workspace() = default;

    virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    // The most recent frontmost application other than Tiklo itself: the one the user came
    // from when a Tiklo window is in front.
    virtual std::optional<RunningApplication> lastOtherApplication() const = 0;
    virtual std::string ownAppID() const = 0;
    // Whether one of this process's windows has the keyboard right now. It has it before the
    // window manager announces it in front: keys typed meanwhile are already Tiklo's.
    virtual bool ownWindowHasKeyboard() const { return false; }
    // Keeps one of Tiklo's windows (a native window id) on every virtual desktop, so it
    // follows the user from one to another while it is open. Desktops without the notion
    // ignore it.
    virtual void showOnAllDesktops(std::uintptr_t /*window*/) {}
    // Whether a compositor draws what is transparent in Tiklo's windows as transparent; without
    // one it shows as a colour. Desktops that cannot tell say yes.
    virtual bool drawsTranslucentWindows() const { return true; }
    // Lets clicks fall through one of Tiklo's windows to whatever lies below it, or takes them
    // again over the whole window, whatever size the window takes later.
    virtual void letPointerThrough(std::uintptr_t /*window*/, bool /*through*/) {}
};

} // namespace tiklo
