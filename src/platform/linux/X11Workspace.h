// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Workspace.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <xcb/xcb.h>

namespace tiklo {

// The active window as the window manager announces it (EWMH _NET_ACTIVE_WINDOW).
//
// Changes reach the workspace through nativeEventFilter: with Qt's connection, install it
// with qGuiApp->installNativeEventFilter(&workspace). Without that, lastOtherApplication()
// still learns of whatever is in front when it is asked, but misses what came between.
class X11Workspace : public QObject, public Workspace, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // `connection` must stay open for the workspace's lifetime. `ownAppID` is Tiklo's
    // application id; windows with it, or with Tiklo's pid, never count as "other".
    X11Workspace(xcb_connection_t* connection, xcb_window_t root, std::string ownAppID,
                 QObject* parent = nullptr);

    std::optional<RunningApplication> frontmostApplication() const override;
    std::optional<RunningApplication> lastOtherApplication() const override;
    std::string ownAppID() const override { return ownAppID_; }
    // The server's input focus, on one of the application's Qt windows.
    bool ownWindowHasKeyboard() const override;
    void showOnAllDesktops(std::uintptr_t window) override;
    // A compositing manager owns the screen's _NET_WM_CM_S<n> selection while it runs.
    bool drawsTranslucentWindows() const override;
    // Through the window's input shape: empty, or none at all, which is the whole window.
    void letPointerThrough(std::uintptr_t window, bool through) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void frontmostApplicationChanged();

private:
    void remember(const std::optional<RunningApplication>& application) const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::string ownAppID_;
    xcb_atom_t activeWindowAtom_ = XCB_ATOM_NONE;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
    xcb_atom_t gtkApplicationIDAtom_ = XCB_ATOM_NONE;
    xcb_atom_t utf8StringAtom_ = XCB_ATOM_NONE;
    xcb_atom_t desktopAtom_ = XCB_ATOM_NONE;
    xcb_atom_t compositorAtom_ = XCB_ATOM_NONE;
    // Updated from const readers too: whatever they see in front is the latest news.
    mutable std::optional<RunningApplication> lastOther_;
};

} // namespace tiklo
