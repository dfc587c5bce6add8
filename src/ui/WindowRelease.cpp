// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowRelease.h"

#include <malloc.h>

#include <QQmlEngine>

namespace tiklo {

WindowRelease::WindowRelease(QQmlEngine& engine, std::function<void()> release,
                             std::chrono::milliseconds unused, std::chrono::milliseconds delay,
                             QObject* parent)
    : QObject(parent), engine_(engine), release_(std::move(release)) {
    unused_.setSingleShot(true);
    unused_.setInterval(unused);
    giveBack_.setSingleShot(true);
    giveBack_.setInterval(delay);
    connect(&unused_, &QTimer::timeout, this, [this] {
        release_();
        // The views go with deferred deletions; their memory is free after those.
        giveBack_.start();
    });
    connect(&giveBack_, &QTimer::timeout, this, [this] { giveBack(engine_); });
}

void WindowRelease::hidden() {
    unused_.start();
    giveBack_.start();
}

void WindowRelease::shown() {
    unused_.stop();
    giveBack_.stop();
}

void WindowRelease::giveBack(QQmlEngine& engine) {
    engine.collectGarbage();
    malloc_trim(0);
}

} // namespace tiklo
