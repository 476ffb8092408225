#include "platform/LoadablePart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace rotenu {
namespace {

QString PartsDirectory() {
#ifdef ROTENU_BUILD_DIR
    const QString buildDir = QStringLiteral(ROTENU_BUILD_DIR);
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString canonicalBuildDir = QFileInfo(buildDir).canonicalFilePath();
    if (!canonicalBuildDir.isEmpty() && program.startsWith(canonicalBuildDir + QLatin1Char('/')))
        return QStringLiteral(ROTENU_BUILD_PARTS_DIR);
#endif
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral(ROTENU_INSTALLED_PARTS_FROM_BINDIR));
}

} // namespace

QFunctionPointer ResolvePartSymbol(const char* part, const char* symbol) {
    // Never destroyed: a part may still be loading on another thread while the program quits.
    static auto& mutex = *new std::mutex;
    static auto& libraries = *new std::map<std::string, std::unique_ptr<QLibrary>>;
    const std::lock_guard lock(mutex);
    auto& library = libraries[part];
    if (!library) {
        library = std::make_unique<QLibrary>(QDir(PartsDirectory()).filePath(QString::fromLatin1(part)));
        // Never unloaded: a part may keep threads of its own running until the program ends.
        library->setLoadHints(QLibrary::PreventUnloadHint);
    }
    if (!library->isLoaded() && !library->load())
        return nullptr;
    return library->resolve(symbol);
}

} // namespace rotenu
