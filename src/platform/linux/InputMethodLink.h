// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputMethodRoute.h"
#include "platform/linux/NewestAnswer.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <functional>
#include <string>

namespace tiklo {

// One of Tiklo's input-method front ends as the session bus shows it: it answers whether a
// field of its input method has the focus and announces each change, and it takes the text
// of a full picker it asked for. Not on the bus, it holds no field; it is installed when the
// input method's data folders hold its description. Main thread only.
class InputMethodLink : public QObject {
    Q_OBJECT
public:
    using State = InputMethodRoute::State;

    // Where the front end is on the bus, and the file that installs it.
    struct Names {
        const char* service;
        const char* path;
        const char* interface;
        // Under the XDG data folders ("fcitx5/addon/tiklo-fcitx5.conf").
        const char* installedFile;
        // It takes word of Tiklo's own windows being active.
        bool followsOwnWindows;
    };
    static const Names fcitx5;
    static const Names ibus;

    // Each question to the front end ends within this.
    static constexpr int replyTimeoutMs = 2000;

    InputMethodLink(Names names, QDBusConnection connection, QObject* parent = nullptr);

    bool holdsFocusedField() const { return holdsFocus_; }
    State state() const { return state_; }
    // Tells `listener` the state now, once known, and each change after.
    void watch(std::function<void(State)> listener);
    void commit(const std::string& text);
    void setOwnWindowActive(bool active);
    // Has the front end's focused field ask for the picker, as its shortcut would; `answered`
    // hears whether it did.
    void askForPicker(std::function<void(bool)> answered);

signals:
    void stateChanged();

private slots:
    void focusChanged(bool focused);

private:
    QDBusMessage call(const char* method) const;
    void ask();
    void report(bool answered);

    Names names_;
    QDBusConnection connection_;
    QDBusServiceWatcher watcher_;
    bool holdsFocus_ = false;
    bool ownWindowActive_ = false;
    std::function<void(State)> listener_;
    State state_ = State::unknown;
    NewestAnswer questions_{this};
};

} // namespace tiklo
