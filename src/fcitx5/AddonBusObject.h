#pragma once

#include <fcitx-utils/dbus/objectvtable.h>

namespace tiklo {

// The addon on the session bus, under fcitx5's own name: Tiklo's program asks whether an
// input context has the focus and hears of each change, so its own key watcher stands down
// wherever fcitx5 holds the field and one prefix never opens two searches.
class AddonBusObject : public fcitx::dbus::ObjectVTable<AddonBusObject> {
public:
    static constexpr const char* path = "/org/tiklo/Fcitx5";
    static constexpr const char* interface = "org.tiklo.Fcitx5";

    // Announced on a change, once the object is on the bus.
    void setFocused(bool focused);

private:
    bool servesFocus() const { return focused_; }

    bool focused_ = false;

    FCITX_OBJECT_VTABLE_METHOD(servesFocus, "ServesFocus", "", "b");
    FCITX_OBJECT_VTABLE_SIGNAL(focusChanged, "FocusChanged", "b")
};

} // namespace tiklo
