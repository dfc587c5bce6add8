// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/DesktopMotionSetting.h"

#include <gio/gio.h>

namespace tiklo {

bool DesktopMotionSetting::reduceMotion() {
    // The desktop's "enable animations" switch. Looked up through the schema source first:
    // opening a schema that is not installed would abort the process.
    constexpr const char* schemaID = "org.gnome.desktop.interface";
    constexpr const char* key = "enable-animations";
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) {
        return false;
    }
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaID, TRUE);
    if (schema == nullptr) {
        return false;
    }
    const bool known = g_settings_schema_has_key(schema, key);
    g_settings_schema_unref(schema);
    if (!known) {
        return false;
    }
    GSettings* settings = g_settings_new(schemaID);
    const bool animations = g_settings_get_boolean(settings, key);
    g_object_unref(settings);
    return !animations;
}

} // namespace tiklo
