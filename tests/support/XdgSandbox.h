#pragma once
// The environment of a child process that sees only a throwaway desktop: home, data, config and
// cache folders under one root, no desktop session, GIO without its daemons.

#include <QDir>
#include <QProcessEnvironment>

namespace rotenu::testing {

inline QProcessEnvironment XdgSandboxEnvironment(const QDir& root) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), root.filePath(QStringLiteral("sys")));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), root.filePath(QStringLiteral("sysconfig")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    return environment;
}

} // namespace rotenu::testing
