#include "tests/browser/StandInBrowser.h"

#include "about/Lib_InternetControl.h"
#include "browser/BrowserPart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>

namespace rotenu::testing {

namespace {

// A child that sees only the throwaway desktop: no desktop session, GIO without its daemons.
QProcessEnvironment SandboxEnvironment(const QDir& root) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"})
        environment.remove(QString::fromLatin1(name));
    const std::pair<const char*, const char*> folders[] = {
        {"HOME", "home"},         {"XDG_DATA_HOME", "data"},        {"XDG_CONFIG_HOME", "config"},
        {"XDG_DATA_DIRS", "sys"}, {"XDG_CONFIG_DIRS", "sysconfig"}, {"XDG_CACHE_HOME", "cache"}};
    for (const auto& [name, folder] : folders)
        environment.insert(QString::fromLatin1(name), root.filePath(QString::fromLatin1(folder)));
    environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    return environment;
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

} // namespace

QString StandInBrowser::reset() {
    if (!QFileInfo(kRecorder).isExecutable() ||
        !QFileInfo::exists(QStringLiteral("/usr/share/mime/mime.cache")))
        return QStringLiteral("no stand-in browser, or shared-mime-info is missing");
    for (const char* folder : {"home", "data/applications", "config", "sys", "sysconfig", "cache", "log"})
        QDir().mkpath(path(QString::fromLatin1(folder)));
    QFile::remove(path(QStringLiteral("sys/mime")));
    for (const QString& record : records())
        QFile::remove(path(QStringLiteral("log/") + record));
    if (!m_root.isValid() ||
        !QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("sys/mime"))))
        return QStringLiteral("no throwaway desktop");
    return {};
}

bool StandInBrowser::registerEntries(const QList<DesktopEntry>& entries, bool handleHtml,
                                     const QByteArray& mimeapps) {
    // The index of handlers that update-desktop-database would write.
    QByteArray index = "[MIME Cache]\n";
    if (handleHtml)
        index += "text/html=";
    for (const DesktopEntry& entry : entries) {
        QByteArray text = "[Desktop Entry]\nType=Application\nName=Rotenu Test Browser\n" + entry.lines;
        if (handleHtml) {
            text += "MimeType=text/html;\n";
            index += entry.id.toUtf8() + ';';
        }
        if (!WriteFile(path(QStringLiteral("data/applications/") + entry.id), text))
            return false;
    }
    return WriteFile(path(QStringLiteral("data/applications/mimeinfo.cache")), index + '\n') &&
           WriteFile(path(QStringLiteral("config/mimeapps.list")), mimeapps);
}

std::optional<QString> StandInBrowser::child(const char* mode, const QByteArray& argument,
                                             const QString& programs) {
    // In a file: an address may hold a NUL, or be longer than a command line takes.
    const QString argumentFile = path(QStringLiteral("argument"));
    if (!WriteFile(argumentFile, argument))
        return std::nullopt;
    QProcessEnvironment environment = SandboxEnvironment(QDir(m_root.path()));
    if (!programs.isEmpty())
        environment.insert(QStringLiteral("PATH"), programs);
    environment.insert(QStringLiteral("ROTENU_ARGV_LOG_DIR"), path(QStringLiteral("log")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), argumentFile});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList StandInBrowser::records() const {
    return QDir(path(QStringLiteral("log"))).entryList({QStringLiteral("*.argv")}, QDir::Files);
}

std::optional<QStringList> StandInBrowser::nextRecord(int waitMs) {
    if (!QTest::qWaitFor([this] { return !records().isEmpty(); }, waitMs))
        return std::nullopt;
    QFile file(path(QStringLiteral("log/") + records().constFirst()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList argv = QString::fromUtf8(file.readAll()).split(QChar(0));
    file.remove();
    argv.removeLast(); // after the last NUL
    return argv;
}

// As the program does, through the browser part module, loaded on first use.
std::optional<int> RunLauncherChild(int argc, char** argv) {
    const bool open = argc == 3 && std::strcmp(argv[1], "--open") == 0;
    if (!open && !(argc == 3 && std::strcmp(argv[1], "--start") == 0))
        return std::nullopt;
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray argument = file.readAll();
    const std::string_view bytes(argument.constData(), std::size_t(argument.size()));
    BrowserPartClassesRegistry registry;
    BrowserPartCommandStarter starter;
    if (!open) {
        starter.start(bytes);
        return 0;
    }
    const std::string command = FindBrowserCommand(registry);
    std::fwrite(command.data(), 1, command.size(), stdout);
    std::fflush(stdout);
    OpenWebPage(bytes, registry, starter);
    return 0;
}

} // namespace rotenu::testing
