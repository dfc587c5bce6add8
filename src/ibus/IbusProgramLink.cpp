// SPDX-License-Identifier: GPL-3.0-or-later
#include "ibus/IbusProgramLink.h"

#include "core/AddonBusNames.h"
#include "ibus/IbusFieldSearch.h"

namespace tiklo {
namespace {

constexpr const char* interfaceXml = R"(<node>
  <interface name="org.tiklo.IBus">
    <method name="ServesFocus"><arg type="b" direction="out"/></method>
    <method name="Commit"><arg type="s" direction="in"/></method>
    <method name="AskForPicker"><arg type="b" direction="out"/></method>
    <method name="SetOwnWindowActive"><arg type="b" direction="in"/></method>
    <signal name="FocusChanged"><arg type="b"/></signal>
  </interface>
</node>)";

constexpr const char* accessDenied = "org.freedesktop.DBus.Error.AccessDenied";

} // namespace

IbusProgramLink::IbusProgramLink() {
    introspection_ = g_dbus_node_info_new_for_xml(interfaceXml, nullptr);
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (connection_ == nullptr) {
        // No session bus: no program to work with; the search itself still runs.
        return;
    }
    static const GDBusInterfaceVTable vtable{&IbusProgramLink::onMethodCall, nullptr, nullptr, {}};
    registrationId_ = g_dbus_connection_register_object(connection_, addonbus::ibusPath,
                                                        introspection_->interfaces[0], &vtable,
                                                        this, nullptr, nullptr);
    watchId_ = g_bus_watch_name_on_connection(
        connection_, addonbus::programService, G_BUS_NAME_WATCHER_FLAGS_NONE,
        &IbusProgramLink::onProgramAppeared, &IbusProgramLink::onProgramVanished, this, nullptr);
}

IbusProgramLink::~IbusProgramLink() {
    if (watchId_ != 0) {
        g_bus_unwatch_name(watchId_);
    }
    if (registrationId_ != 0) {
        g_dbus_connection_unregister_object(connection_, registrationId_);
    }
    if (ownerId_ != 0) {
        g_bus_unown_name(ownerId_);
    }
    if (connection_ != nullptr) {
        g_object_unref(connection_);
    }
    g_dbus_node_info_unref(introspection_);
}

void IbusProgramLink::onProgramAppeared(GDBusConnection*, const gchar*, const gchar* owner,
                                        gpointer self) {
    static_cast<IbusProgramLink*>(self)->programOwner_ = owner;
}

void IbusProgramLink::onProgramVanished(GDBusConnection*, const gchar*, gpointer self) {
    auto* link = static_cast<IbusProgramLink*>(self);
    link->programOwner_.clear();
    // A program that ended with a window active would otherwise stop every search for good.
    link->ownWindowActive_ = false;
}

void IbusProgramLink::onMethodCall(GDBusConnection*, const gchar* sender, const gchar*,
                                   const gchar*, const gchar* method, GVariant* parameters,
                                   GDBusMethodInvocation* invocation, gpointer self) {
    auto* link = static_cast<IbusProgramLink*>(self);
    const std::string_view name(method);
    if (name == "ServesFocus") {
        g_dbus_method_invocation_return_value(invocation,
                                              g_variant_new("(b)", link->focused_ != nullptr));
        return;
    }
    // Only the program that holds Tiklo's name may type into fields or stop the search.
    if (sender == nullptr || link->programOwner_.empty() || link->programOwner_ != sender) {
        g_dbus_method_invocation_return_dbus_error(invocation, accessDenied,
                                                   "Only Tiklo's program may call this");
        return;
    }
    if (name == "AskForPicker") {
        // The program opens the picker of its own accord (a second launch): the focused field
        // asks for it, as its shortcut would, and so becomes the one its text goes into.
        const bool asked = link->focused_ != nullptr && link->focused_->askForPicker();
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(b)", asked));
        return;
    }
    if (name == "Commit") {
        if (link->target_ == nullptr) {
            g_dbus_method_invocation_return_dbus_error(
                invocation, "org.freedesktop.DBus.Error.Failed", "No field asked for the picker");
            return;
        }
        const gchar* text = nullptr;
        g_variant_get(parameters, "(&s)", &text);
        link->deliver(text);
    } else if (name == "SetOwnWindowActive") {
        gboolean active = FALSE;
        g_variant_get(parameters, "(b)", &active);
        link->ownWindowActive_ = active != FALSE;
        link->deliverUnsent();
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

void IbusProgramLink::setFocused(IbusFieldSearch* field) {
    const bool was = focused_ != nullptr;
    focused_ = field;
    const bool now = focused_ != nullptr;
    if (was != now && connection_ != nullptr) {
        g_dbus_connection_emit_signal(connection_, nullptr, addonbus::ibusPath,
                                      addonbus::ibusInterface, "FocusChanged",
                                      g_variant_new("(b)", now), nullptr);
    }
}

void IbusProgramLink::setEnabled(IbusFieldSearch& field, bool enabled) {
    if (enabled) {
        enabled_.insert(&field);
    } else {
        enabled_.erase(&field);
    }
    if (connection_ == nullptr) {
        return;
    }
    if (!enabled_.empty() && ownerId_ == 0) {
        ownerId_ = g_bus_own_name_on_connection(connection_, addonbus::ibusService,
                                                G_BUS_NAME_OWNER_FLAGS_NONE, nullptr, nullptr,
                                                nullptr, nullptr);
    } else if (enabled_.empty() && ownerId_ != 0) {
        g_bus_unown_name(ownerId_);
        ownerId_ = 0;
    }
}

void IbusProgramLink::focusedIn(IbusFieldSearch& field) {
    setFocused(&field);
    deliverUnsent();
}

void IbusProgramLink::focusedOut(IbusFieldSearch& field) {
    if (focused_ == &field) {
        setFocused(nullptr);
    }
}

void IbusProgramLink::forget(IbusFieldSearch& field) {
    focusedOut(field);
    setEnabled(field, false);
    if (target_ == &field) {
        target_ = nullptr;
        unsent_.clear();
    }
}

void IbusProgramLink::requestPicker(IbusFieldSearch& field,
                                    const std::optional<NamedGroup>& group) {
    if (!pickerAvailable() || connection_ == nullptr) {
        return;
    }
    target_ = &field;
    unsent_.clear();
    // The engine never waits for the program; nothing comes back but the text, later.
    g_dbus_connection_call(
        connection_, addonbus::programService, addonbus::programPath, addonbus::programInterface,
        group ? addonbus::openPickerAtMethod : addonbus::openPickerMethod,
        group ? g_variant_new("(ss)", std::string(rawValue(group->kind)).c_str(),
                              group->group.c_str())
              : nullptr,
        nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, requestTimeoutMs, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer) {
            GVariant* reply =
                g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
            if (reply != nullptr) {
                g_variant_unref(reply);
            }
        },
        nullptr);
}

void IbusProgramLink::deliver(const std::string& text) {
    unsent_ += text;
    deliverUnsent();
}

void IbusProgramLink::deliverUnsent() {
    // The picker itself may hold the focus, in the very input context that asked (GNOME Shell
    // has one for every field): the text waits until the program's windows are gone.
    if (unsent_.empty() || target_ == nullptr || target_ != focused_ || ownWindowActive_) {
        return;
    }
    const std::string text = std::move(unsent_);
    unsent_.clear();
    target_->commitPicked(text);
}

} // namespace tiklo
