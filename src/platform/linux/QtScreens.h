#pragma once

#include "platform/Screens.h"

#include <QRect>
#include <QRectF>

namespace tiklo {

// Screens, pointer and motion setting from Qt. Qt's global coordinates have their origin
// at the top left and y growing downwards; this is the one place that turns them around,
// against the primary screen's top edge.
class QtScreens : public Screens {
public:
    std::vector<ScreenArea> screens() const override;
    std::optional<std::size_t> mainScreen() const override;
    Point mouseLocation() const override;
    bool reduceMotion() const override;

    static Rect fromTopLeft(const QRectF& rect);
    static QRectF toTopLeft(const Rect& rect);

private:
    static double primaryTopEdge();
};

} // namespace tiklo
