// SPDX-License-Identifier: GPL-3.0-or-later
#include "ibus/TikloIbusEngine.h"

#include "ibus/IbusFieldSearch.h"

#include <ibus.h>

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
    engineClass->focus_in = focusIn;
    engineClass->focus_out = focusOut;
    // A reset or a switch away leaves what was typed as typed.
    engineClass->reset = leave;
    engineClass->enable = enable;
    engineClass->disable = disable;
}

void instanceInit(GTypeInstance* instance, gpointer) {
    auto* self = reinterpret_cast<TikloIbusEngine*>(instance);
    self->search = new IbusFieldSearch(IBUS_ENGINE(instance), *sharedSettings, *sharedLink);
}

} // namespace

GType tikloIbusEngineType(SettingsFileWatch& settings, IbusProgramLink& link) {
    sharedSettings = &settings;
    sharedLink = &link;
    static const GType type = g_type_register_static_simple(
        IBUS_TYPE_ENGINE, "TikloIbusEngine", sizeof(TikloIbusEngineClass), classInit,
        sizeof(TikloIbusEngine), instanceInit, GTypeFlags(0));
    return type;
}

} // namespace tiklo
