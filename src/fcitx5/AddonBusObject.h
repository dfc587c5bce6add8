// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcitx-utils/dbus/objectvtable.h>

#include <functional>
#include <string>

namespace tiklo {

// The addon on the session bus, under fcitx5's own name. Tiklo's program asks whether an
// input context has the focus and hears of each change, so its own key watcher stands down
// wherever fcitx5 holds the field and one prefix never opens two searches. The program also
// sends the emoji chosen in a full picker the addon asked it to open, and may ask the addon to
// ask for the picker for the focused field, when it opens one of its own accord.
class AddonBusObject : public fcitx::dbus::ObjectVTable<AddonBusObject> {
public:
    // Text the program sent to be committed, with the unique bus name of its sender.
    using CommitHandler = std::function<void(const std::string& sender, const std::string& text)>;
    // Whether the focused field asked `sender` for the picker.
    using AskHandler = std::function<bool(const std::string& sender)>;

    AddonBusObject(CommitHandler commit, AskHandler ask)
        : commit_(std::move(commit)), ask_(std::move(ask)) {}

    // Announced on a change, once the object is on the bus.
    void setFocused(bool focused);

private:
    bool servesFocus() const { return focused_; }
    void commit(const std::string& text);
    bool askForPicker();
    std::string sender() const;

    bool focused_ = false;
    CommitHandler commit_;
    AskHandler ask_;

    FCITX_OBJECT_VTABLE_METHOD(servesFocus, "ServesFocus", "", "b");
    FCITX_OBJECT_VTABLE_METHOD(commit, "Commit", "s", "");
    FCITX_OBJECT_VTABLE_METHOD(askForPicker, "AskForPicker", "", "b");
    FCITX_OBJECT_VTABLE_SIGNAL(focusChanged, "FocusChanged", "b")
};

} // namespace tiklo
