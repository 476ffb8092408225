// What opening the first web page costs now that the desktop's browser look-up is a part module
// loaded on first use: the first look-up of the browser command (loading rotenu-browser and GIO,
// reading the MIME database and the desktop entries) against later ones. Nothing is started.
// Prints milliseconds.

#include "about/Lib_InternetControl.h"
#include "browser/BrowserPart.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using Clock = std::chrono::steady_clock;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    rotenu::BrowserPartClassesRegistry registry;
    const auto lookUp = [&registry] {
        const auto start = Clock::now();
        const std::string command = rotenu::FindBrowserCommand(registry);
        return std::pair(std::chrono::duration<double, std::milli>(Clock::now() - start).count(), command);
    };
    const auto [first, command] = lookUp();
    std::vector<double> later;
    for (int i = 0; i < 50; ++i)
        later.push_back(lookUp().first);
    std::sort(later.begin(), later.end());
    std::printf(
        "browser look-up: first %.2f ms (loads the browser part), later median %.2f ms; command: %s\n", first,
        later[later.size() / 2], command.empty() ? "(none registered)" : command.c_str());
    return 0;
}
