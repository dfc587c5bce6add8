// SPDX-License-Identifier: GPL-3.0-or-later
// tiklo-ibus: semicolon search as an IBus engine. ibus-daemon starts it with --ibus from the
// component file; started by hand, it registers the component itself.

#include "catalog/EmojiCatalog.h"
#include "core/AddonBusNames.h"
#include "core/SettingsFile.h"
#include "core/SettingsFileWatch.h"
#include "ibus/IbusProgramLink.h"
#include "ibus/TikloIbusEngine.h"

#include <ibus.h>

#include <cstdio>
#include <string_view>
#include <thread>

namespace {

constexpr const char* engineName = "tiklo";

// What the component file says, for a run that ibus-daemon did not start.
void registerComponent(IBusBus* bus) {
    IBusComponent* component =
        ibus_component_new(tiklo::addonbus::ibusService, "Tiklo emoji search", TIKLO_VERSION, "",
                           "The Tiklo developers", "https://tiklo.io/", "", "");
    ibus_component_add_engine(component,
                              ibus_engine_desc_new(engineName, "Tiklo", "Type an emoji by its name",
                                                   "other", "", "", "io.tiklo.Tiklo", "default"));
    ibus_bus_register_component(bus, component);
    g_object_unref(component);
}

} // namespace

int main(int argc, char** argv) {
    const bool startedByIbus = argc > 1 && std::string_view(argv[1]) == "--ibus";
    ibus_init();
    IBusBus* bus = ibus_bus_new();
    if (!ibus_bus_is_connected(bus)) {
        std::fprintf(stderr, "tiklo-ibus: cannot connect to ibus-daemon\n");
        return 1;
    }
    // The engine lives as long as IBus does.
    g_signal_connect(bus, "disconnected", G_CALLBACK(+[](IBusBus*, gpointer) { ibus_quit(); }),
                     nullptr);

    // The first search must not wait for the catalog: build it and its indexes now.
    std::thread warmUp([] { tiklo::EmojiCatalog::shared().prepare(); });
    {
        // Files and reasons only: never a value, a key or a query.
        tiklo::SettingsFileWatch settings(
            tiklo::SettingsFile::defaultPath(),
            [](const std::string& message) { g_warning("%s", message.c_str()); });
        tiklo::IbusProgramLink link;
        IBusFactory* factory = ibus_factory_new(ibus_bus_get_connection(bus));
        tiklo::serveTikloIbusEngine(factory, engineName, settings, link);
        if (startedByIbus) {
            ibus_bus_request_name(bus, tiklo::addonbus::ibusService, 0);
        } else {
            registerComponent(bus);
        }
        ibus_main();
        // The engines go before the settings and the link they use.
        ibus_object_destroy(IBUS_OBJECT(factory));
        g_object_unref(factory);
    }
    warmUp.join();
    g_object_unref(bus);
    return 0;
}
