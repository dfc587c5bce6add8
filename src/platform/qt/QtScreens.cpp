// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtScreens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tiklo {

Rect QtScreens::toRect(const QRectF& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::vector<ScreenArea> QtScreens::screens() const {
    std::vector<ScreenArea> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) {
        areas.push_back({toRect(primary->geometry()), toRect(primary->availableGeometry())});
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            areas.push_back({toRect(screen->geometry()), toRect(screen->availableGeometry())});
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
    const Rect frame = toRect(current->geometry());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].frame == frame) {
            return i;
        }
    }
    return std::nullopt;
}

Point QtScreens::mouseLocation() const {
    const QPoint pointer = QCursor::pos();
    return {static_cast<double>(pointer.x()), static_cast<double>(pointer.y())};
}

bool QtScreens::reduceMotion() const {
    return reduceMotion_();
}

} // namespace tiklo
