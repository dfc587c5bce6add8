// SPDX-License-Identifier: GPL-3.0-or-later
#include "ibus/TikloIbusEngine.h"

#include "ibus/IbusFieldSearch.h"

#include <ibus.h>

#include <string>
#include <string_view>

namespace tiklo {
namespace {

SettingsFileWatch* sharedSettings = nullptr;
IbusProgramLink* sharedLink = nullptr;

struct TikloIbusEngine {
    IBusEngine parent;
    IbusFieldSearch* search;
};

struct TikloIbusEngineClass {
    IBusEngineClass parent;
};

IBusEngineClass* parentClass = nullptr;

IbusFieldSearch& searchOf(IBusEngine* engine) {
    return *reinterpret_cast<TikloIbusEngine*>(engine)->search;
}

gboolean processKeyEvent(IBusEngine* engine, guint keyval, guint keycode, guint state) {
    return searchOf(engine).keyEvent(keyval, keycode, state) ? TRUE : FALSE;
}

void candidateClicked(IBusEngine* engine, guint index, guint, guint) {
    searchOf(engine).candidateClicked(index);
}

void focusIn(IBusEngine* engine) {
    searchOf(engine).focusIn();
}

void focusOut(IBusEngine* engine) {
    searchOf(engine).focusOut();
}

// While no field has the focus, ibus-daemon focuses a stand-in context of its own (its client
// is "fake") so that a global engine still has one. No field is there, so the engine serves
// none: the program searches in whatever window has the keyboard, outside IBus.
constexpr std::string_view daemonsStandIn = "fake";

void focusInId(IBusEngine* engine, const gchar*, const gchar* client) {
    if (client != nullptr && client == daemonsStandIn) {
        searchOf(engine).focusOut();
    } else {
        searchOf(engine).focusIn();
    }
}

void focusOutId(IBusEngine* engine, const gchar*) {
    searchOf(engine).focusOut();
}

void leave(IBusEngine* engine) {
    searchOf(engine).leave();
}

void enable(IBusEngine* engine) {
    searchOf(engine).setEnabled(true);
}

void disable(IBusEngine* engine) {
    searchOf(engine).setEnabled(false);
}

void destroy(IBusObject* object) {
    auto* self = reinterpret_cast<TikloIbusEngine*>(object);
    delete self->search;
    self->search = nullptr;
    IBUS_OBJECT_CLASS(parentClass)->destroy(object);
}

void classInit(gpointer klass, gpointer) {
    parentClass = static_cast<IBusEngineClass*>(g_type_class_peek_parent(klass));
    IBUS_OBJECT_CLASS(klass)->destroy = destroy;
    auto* engineClass = static_cast<IBusEngineClass*>(klass);
    engineClass->process_key_event = processKeyEvent;
    engineClass->candidate_clicked = candidateClicked;
    // The daemon learns that the engine takes focus ids only a while after making it, and
    // tells the focus without them until then.
    engineClass->focus_in = focusIn;
    engineClass->focus_out = focusOut;
    engineClass->focus_in_id = focusInId;
    engineClass->focus_out_id = focusOutId;
    // A reset or a switch away leaves what was typed as typed.
    engineClass->reset = leave;
    engineClass->enable = enable;
    engineClass->disable = disable;
}

void instanceInit(GTypeInstance* instance, gpointer) {
    auto* self = reinterpret_cast<TikloIbusEngine*>(instance);
    self->search = new IbusFieldSearch(IBUS_ENGINE(instance), *sharedSettings, *sharedLink);
}

GType tikloIbusEngineType(SettingsFileWatch& settings, IbusProgramLink& link) {
    sharedSettings = &settings;
    sharedLink = &link;
    static const GType type = g_type_register_static_simple(
        IBUS_TYPE_ENGINE, "TikloIbusEngine", sizeof(TikloIbusEngineClass), classInit,
        sizeof(TikloIbusEngine), instanceInit, GTypeFlags(0));
    return type;
}

} // namespace

void serveTikloIbusEngine(IBusFactory* factory, const char* name, SettingsFileWatch& settings,
                          IbusProgramLink& link) {
    const GType type = tikloIbusEngineType(settings, link);
    ibus_factory_add_engine(factory, name, type);
    // Made here rather than by the factory: only an engine made with "has-focus-id" hears
    // which client has the focus.
    g_signal_connect(
        factory, "create-engine",
        G_CALLBACK(+[](IBusFactory* self, const gchar* engineName, gpointer typeData) {
            static unsigned serial = 0;
            const std::string path = "/org/tiklo/IBus/Engine/" + std::to_string(++serial);
            return IBUS_ENGINE(g_object_new(
                static_cast<GType>(reinterpret_cast<gsize>(typeData)), "engine-name", engineName,
                "object-path", path.c_str(), "connection",
                ibus_service_get_connection(IBUS_SERVICE(self)), "has-focus-id", TRUE, nullptr));
        }),
        reinterpret_cast<gpointer>(static_cast<gsize>(type)));
}

} // namespace tiklo
