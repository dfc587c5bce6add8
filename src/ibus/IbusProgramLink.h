// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gio/gio.h>

#include "catalog/NamedGroup.h"

#include <optional>
#include <set>
#include <string>

namespace tiklo {

class IbusFieldSearch;

// The engine process on the session bus, towards Tiklo's program. The engine's name is there
// while the engine is enabled (Tiklo is the active input source), so the program tells on
// from off. The program asks whether a field with this engine has the focus and hears of each
// change, so its own key watcher stands down there; it says while its own windows are active,
// where no search runs; and it sends the emoji chosen in a full picker the engine asked it to
// open. Only the program that holds Tiklo's name is heard, and its text goes only into the
// field that asked, once that field has the focus again.
class IbusProgramLink {
public:
    // Each request to the program ends within this.
    static constexpr int requestTimeoutMs = 2000;

    // Serves the engine's object on the session bus, when there is one.
    IbusProgramLink();
    ~IbusProgramLink();
    IbusProgramLink(const IbusProgramLink&) = delete;
    IbusProgramLink& operator=(const IbusProgramLink&) = delete;

    // Whether a program is there to open the picker.
    bool pickerAvailable() const { return !programOwner_.empty(); }
    // One of the program's own windows is active: whichever field has the focus is its.
    bool ownWindowActive() const { return ownWindowActive_; }

    // `field`'s engine was enabled or disabled: the name is held while any is enabled.
    void setEnabled(IbusFieldSearch& field, bool enabled);
    void focusedIn(IbusFieldSearch& field);
    void focusedOut(IbusFieldSearch& field);
    // `field` goes away.
    void forget(IbusFieldSearch& field);
    // Asks the program to open the picker for `field`; what an earlier request left unsent
    // goes.
    void requestPicker(IbusFieldSearch& field, const std::optional<NamedGroup>& group);

private:
    static void onProgramAppeared(GDBusConnection* connection, const gchar* name,
                                  const gchar* owner, gpointer self);
    static void onProgramVanished(GDBusConnection* connection, const gchar* name, gpointer self);
    static void onMethodCall(GDBusConnection* connection, const gchar* sender, const gchar* path,
                             const gchar* interface, const gchar* method, GVariant* parameters,
                             GDBusMethodInvocation* invocation, gpointer self);

    void setFocused(IbusFieldSearch* field);
    void deliver(const std::string& text);
    void deliverUnsent();

    GDBusConnection* connection_ = nullptr;
    GDBusNodeInfo* introspection_ = nullptr;
    guint ownerId_ = 0;
    guint watchId_ = 0;
    guint registrationId_ = 0;
    std::string programOwner_;
    bool ownWindowActive_ = false;
    IbusFieldSearch* focused_ = nullptr;
    IbusFieldSearch* target_ = nullptr;
    std::string unsent_;
    std::set<IbusFieldSearch*> enabled_;
};

} // namespace tiklo
