// A stand-in browser: writes its arguments, each ended by a NUL byte, to a new file in the folder
// that ROTENU_ARGV_LOG_DIR names. The file appears complete or not at all.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const char* folder = std::getenv("ROTENU_ARGV_LOG_DIR");
    if (!folder)
        return 2;
    const std::filesystem::path base = std::filesystem::path(folder) / std::to_string(getpid());
    const std::filesystem::path partial = base.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        for (int i = 0; i < argc; ++i)
            out << argv[i] << '\0';
        if (!out)
            return 1;
    }
    std::filesystem::rename(partial, base.string() + ".argv");
    return 0;
}
