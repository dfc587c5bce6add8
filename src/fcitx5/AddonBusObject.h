// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcitx-utils/dbus/objectvtable.h>

#include <functional>
#include <string>

namespace tiklo {

// The addon on the session bus, under fcitx5's own name. Tiklo's program asks whether an
// input context has the focus and hears of each change, so its own key watcher stands down
// wherever fcitx5 holds the field and one prefix never opens two searches. The program also
// sends the emoji chosen in a full picker the addon asked it to open.
class AddonBusObject : public fcitx::dbus::ObjectVTable<AddonBusObject> {
public:
    // Text the program sent to be committed, with the unique bus name of its sender.
    using CommitHandler = std::function<void(const std::string& sender, const std::string& text)>;

    explicit AddonBusObject(CommitHandler commit) : commit_(std::move(commit)) {}

    // Announced on a change, once the object is on the bus.
    void setFocused(bool focused);

private:
    bool servesFocus() const { return focused_; }
    void commit(const std::string& text);

    bool focused_ = false;
    CommitHandler commit_;

    FCITX_OBJECT_VTABLE_METHOD(servesFocus, "ServesFocus", "", "b");
    FCITX_OBJECT_VTABLE_METHOD(commit, "Commit", "s", "");
    FCITX_OBJECT_VTABLE_SIGNAL(focusChanged, "FocusChanged", "b")
};

} // namespace tiklo
