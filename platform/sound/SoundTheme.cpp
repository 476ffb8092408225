#include "platform/sound/SoundTheme.h"

#include <glib.h>

#include <vector>

namespace rotenu::sound {
namespace {

std::vector<std::string> DataDirectories() {
    std::vector<std::string> directories{g_get_user_data_dir()};
    for (const gchar* const* dir = g_get_system_data_dirs(); *dir; ++dir)
        directories.emplace_back(*dir);
    return directories;
}

} // namespace

std::string FindThemeSound(const char* eventId) {
    for (const std::string& directory : DataDirectories()) {
        for (const char* extension : {".oga", ".ogg", ".wav"}) {
            const std::string name = std::string(eventId) + extension;
            gchar* path =
                g_build_filename(directory.c_str(), "sounds", "freedesktop", "stereo", name.c_str(), nullptr);
            std::string found = g_file_test(path, G_FILE_TEST_IS_REGULAR) ? path : "";
            g_free(path);
            if (!found.empty())
                return found;
        }
    }
    return {};
}

} // namespace rotenu::sound
