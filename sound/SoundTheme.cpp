#include "sound/SoundTheme.h"

#include "sound/RegularFile.h"

#include <glib.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

namespace rotenu::sound {
namespace {

constexpr char kFallbackTheme[] = "freedesktop";
constexpr char kOutputProfile[] = "stereo";
constexpr std::size_t kMaxIndexBytes = 1024 * 1024;

std::string BuildPath(std::initializer_list<const char*> parts) {
    std::vector<const char*> elements(parts);
    elements.push_back(nullptr);
    gchar* path = g_build_filenamev(const_cast<gchar**>(elements.data()));
    std::string built = path;
    g_free(path);
    return built;
}

std::vector<std::string> SoundDirectories() {
    std::vector<std::string> directories{BuildPath({g_get_user_data_dir(), "sounds"})};
    for (const gchar* const* dir = g_get_system_data_dirs(); *dir; ++dir)
        directories.push_back(BuildPath({*dir, "sounds"}));
    return directories;
}

// A theme name or folder name from a settings or index file names one folder, nothing above it.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::vector<std::string> StringList(GKeyFile* index, const char* group, const char* key) {
    std::vector<std::string> list;
    gchar** values = g_key_file_get_string_list(index, group, key, nullptr, nullptr);
    for (gchar** value = values; value && *value; ++value) {
        const std::string item = g_strstrip(*value);
        if (IsPlainName(item))
            list.push_back(item);
    }
    g_strfreev(values);
    return list;
}

struct Theme {
    std::vector<std::string> folders; // where its sounds are, the first found first
    std::vector<std::string> inherits;
};

// The theme as the first index.theme found for it describes it; one without an index still has
// its "stereo" folders.
Theme LoadTheme(const std::string& name, const std::vector<std::string>& soundDirectories) {
    std::vector<std::string> subfolders;
    Theme theme;
    for (const std::string& directory : soundDirectories) {
        GKeyFile* index = g_key_file_new();
        g_key_file_set_list_separator(index, ',');
        // Read as a regular file only: GLib's own reading would wait for ever on a FIFO.
        const std::optional<std::string> text = ReadRegularFile(
            BuildPath({directory.c_str(), name.c_str(), "index.theme"}).c_str(), kMaxIndexBytes);
        const bool loaded =
            text && g_key_file_load_from_data(index, text->data(), text->size(), G_KEY_FILE_NONE, nullptr);
        if (loaded) {
            for (const std::string& subfolder : StringList(index, "Sound Theme", "Directories")) {
                gchar* profile = g_key_file_get_string(index, subfolder.c_str(), "OutputProfile", nullptr);
                if (!profile || g_strcmp0(g_strstrip(profile), kOutputProfile) == 0)
                    subfolders.push_back(subfolder);
                g_free(profile);
            }
            theme.inherits = StringList(index, "Sound Theme", "Inherits");
        }
        g_key_file_free(index);
        if (loaded)
            break;
    }
    if (std::find(subfolders.begin(), subfolders.end(), kOutputProfile) == subfolders.end())
        subfolders.emplace_back(kOutputProfile);
    for (const std::string& directory : soundDirectories)
        for (const std::string& subfolder : subfolders)
            theme.folders.push_back(BuildPath({directory.c_str(), name.c_str(), subfolder.c_str()}));
    return theme;
}

ThemeSound FindInTheme(const std::string& name, const char* eventId,
                       const std::vector<std::string>& soundDirectories, std::set<std::string>& visited) {
    // A theme met again (themes that inherit from each other) has been searched already.
    if (!IsPlainName(name) || !visited.insert(name).second)
        return {};
    const Theme theme = LoadTheme(name, soundDirectories);
    for (const std::string& folder : theme.folders) {
        for (const char* extension : {".disabled", ".oga", ".ogg", ".wav"}) {
            const std::string file = BuildPath({folder.c_str(), (std::string(eventId) + extension).c_str()});
            if (g_file_test(file.c_str(), G_FILE_TEST_IS_REGULAR))
                return std::string_view(extension) == ".disabled" ? ThemeSound{{}, true} : ThemeSound{file};
        }
    }
    for (const std::string& parent : theme.inherits) {
        ThemeSound sound = FindInTheme(parent, eventId, soundDirectories, visited);
        if (sound.found())
            return sound;
    }
    return {};
}

} // namespace

ThemeSound FindThemeSound(const std::string& themeName, const char* eventId) {
    const std::vector<std::string> soundDirectories = SoundDirectories();
    std::set<std::string> visited;
    ThemeSound sound = FindInTheme(themeName, eventId, soundDirectories, visited);
    if (!sound.found())
        sound = FindInTheme(kFallbackTheme, eventId, soundDirectories, visited);
    return sound;
}

} // namespace rotenu::sound
