// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/DesktopPreferences.h"

#include <atomic>

namespace tiklo {
namespace {

std::atomic<bool> desktopReducesMotion{false};

} // namespace

void DesktopPreferences::setDesktopReducesMotion(bool value) {
    desktopReducesMotion = value;
}

DesktopPreferences* DesktopPreferences::create(QQmlEngine* /*engine*/,
                                               QJSEngine* /*scriptEngine*/) {
    return new DesktopPreferences();
}

DesktopPreferences::DesktopPreferences(QObject* parent)
    : QObject(parent), reduceMotion_(desktopReducesMotion) {}

void DesktopPreferences::setReduceMotion(bool value) {
    if (reduceMotion_ == value) {
        return;
    }
    reduceMotion_ = value;
    emit reduceMotionChanged();
}

} // namespace tiklo
