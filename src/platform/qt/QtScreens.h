// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Screens.h"

#include <QRectF>

#include <functional>

namespace tiklo {

// Screens and pointer from Qt, whose global coordinates are Tiklo's own; the motion setting
// from the desktop, which Qt does not know.
class QtScreens : public Screens {
public:
    explicit QtScreens(std::function<bool()> reduceMotion)
        : reduceMotion_(std::move(reduceMotion)) {}

    std::vector<ScreenArea> screens() const override;
    std::optional<std::size_t> mainScreen() const override;
    Point mouseLocation() const override;
    bool reduceMotion() const override;

    static Rect toRect(const QRectF& rect);

private:
    std::function<bool()> reduceMotion_;
};

} // namespace tiklo
