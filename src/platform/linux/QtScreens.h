#pragma once

#include "platform/Screens.h"

#include <QRectF>

namespace tiklo {

// Screens, pointer and motion setting from Qt, whose global coordinates are Tiklo's own.
class QtScreens : public Screens {
public:
    std::vector<ScreenArea> screens() const override;
    std::optional<std::size_t> mainScreen() const override;
    Point mouseLocation() const override;
    bool reduceMotion() const override;

    static Rect toRect(const QRectF& rect);
};

} // namespace tiklo
