#include "sound/DesktopSoundSettings.h"

#include <gio/gio.h>

namespace rotenu::sound {
namespace {

// The key's value when the schema has it with that type; null otherwise (where GSettings would
// abort the program instead).
GVariant* KeyValue(GSettings* settings, GSettingsSchema* schema, const char* key, const GVariantType* type) {
    if (!g_settings_schema_has_key(schema, key))
        return nullptr;
    GVariant* value = g_settings_get_value(settings, key);
    if (g_variant_is_of_type(value, type))
        return value;
    g_variant_unref(value);
    return nullptr;
}

} // namespace

DesktopSoundSettings ReadDesktopSoundSettings() {
    DesktopSoundSettings settings;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.sound", TRUE) : nullptr;
    if (!schema)
        return settings;
    GSettings* gsettings = g_settings_new_full(schema, nullptr, nullptr);
    if (GVariant* themeName = KeyValue(gsettings, schema, "theme-name", G_VARIANT_TYPE_STRING)) {
        if (*g_variant_get_string(themeName, nullptr))
            settings.themeName = g_variant_get_string(themeName, nullptr);
        g_variant_unref(themeName);
    }
    if (GVariant* eventSounds = KeyValue(gsettings, schema, "event-sounds", G_VARIANT_TYPE_BOOLEAN)) {
        settings.eventSounds = g_variant_get_boolean(eventSounds);
        g_variant_unref(eventSounds);
    }
    g_object_unref(gsettings);
    g_settings_schema_unref(schema);
    return settings;
}

} // namespace rotenu::sound
