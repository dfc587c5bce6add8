#include "platform/linux/QtScreens.h"

#include "platform/linux/DesktopMotionSetting.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tiklo {

double QtScreens::primaryTopEdge() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    // In bottom-left coordinates the primary screen's top edge is its height above the
    // origin; in Qt's, its bottom edge lies that far below the top.
    return primary == nullptr ? 0 : primary->geometry().y() + primary->geometry().height();
}

Rect QtScreens::fromTopLeft(const QRectF& rect) {
    return {rect.x(), primaryTopEdge() - rect.y() - rect.height(), rect.width(), rect.height()};
}

QRectF QtScreens::toTopLeft(const Rect& rect) {
    return {rect.x, primaryTopEdge() - rect.y - rect.height, rect.width, rect.height};
}

std::vector<ScreenArea> QtScreens::screens() const {
    std::vector<ScreenArea> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) {
        areas.push_back(
            {fromTopLeft(primary->geometry()), fromTopLeft(primary->availableGeometry())});
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            areas.push_back(
                {fromTopLeft(screen->geometry()), fromTopLeft(screen->availableGeometry())});
        }
    }
    return areas;
}

std::optional<std::size_t> QtScreens::mainScreen() const {
    // The screen under the pointer is the one the user works on.
    const QScreen* current = QGuiApplication::screenAt(QCursor::pos());
    if (current == nullptr) {
        return std::nullopt;
    }
    const std::vector<ScreenArea> all = screens();
    const Rect frame = fromTopLeft(current->geometry());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].frame == frame) {
            return i;
        }
    }
    return std::nullopt;
}

Point QtScreens::mouseLocation() const {
    const QPoint pointer = QCursor::pos();
    return {static_cast<double>(pointer.x()), primaryTopEdge() - pointer.y()};
}

bool QtScreens::reduceMotion() const {
    return DesktopMotionSetting::reduceMotion();
}

} // namespace tiklo
