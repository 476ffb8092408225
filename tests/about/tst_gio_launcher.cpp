// The launcher over the desktop's real MIME associations: a throwaway XDG tree registers a stand-in
// browser that records its arguments. GIO reads the environment once per process, so every look-up
// runs in a child process (this program started again with --open or --start).
#include "about/Lib_InternetControl.h"
#include "browser/BrowserPart.h"
#include "browser/GioClassesRegistry.h"
#include "tests/support/StdStringToString.h"
#include "tests/support/XdgSandbox.h"
#include "text/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>
#include <tuple>

using namespace rotenu;

namespace {

const QString RECORDER = QString::fromUtf8(ROTENU_ARGV_RECORDER);
const QString DESKTOP_ID = QStringLiteral("rotenu-test-browser.desktop");

// Both go through the browser part module, loaded on first use as the program loads it.
int runChild(const QString& mode, const QString& argument) {
    BrowserPartClassesRegistry registry;
    BrowserPartCommandStarter starter;
    if (mode == QLatin1String("--open")) {
        const std::string command = FindBrowserCommand(registry);
        std::fwrite(command.data(), 1, command.size(), stdout);
        std::fflush(stdout);
        OpenWebPage(ToShiftJis(argument), registry, starter);
    } else {
        starter.start(argument.toStdString());
    }
    return 0;
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

class TestGioLauncher : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void fieldCodesTakeTheRegistryForm();
    void opensTheDefaultBrowserWithTheAddress();
    void nothingButTheBrowserRuns();
    void fieldCodesOfTheDesktopEntryAreTranslated();
    void withoutADefaultBrowserNothingStarts();
    void commandsOutsideShiftJisStart();
    void terminalApplicationsRunInATerminal();
    void aCommandThatCannotStartIsSilent();

private:
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    // The stand-in browser's desktop entry, registered as the default for HTML when asked.
    void registerBrowser(const QString& exec, bool handlesHtml, const QString& defaultId);
    struct Handler {
        QString id, exec, extraLines;
    };
    // Several desktop entries, in this order, listed (or not) as handlers of HTML.
    void registerHandlers(const QList<Handler>& handlers, bool handleHtml, const QString& defaultId);
    // Runs this program as a child; its output is the browser command that it found. `programs`,
    // when given, is the child's whole PATH.
    std::optional<QString> child(const QString& mode, const QString& argument, const QString& programs = {});
    // The arguments of the next run of the stand-in browser.
    std::optional<QStringList> nextRecord();
    QStringList records() const {
        return QDir(path(QStringLiteral("log"))).entryList({QStringLiteral("*.argv")}, QDir::Files);
    }

    QTemporaryDir m_root;
};

void TestGioLauncher::initTestCase() {
    QVERIFY(m_root.isValid());
    QVERIFY(QFileInfo(RECORDER).isExecutable());
    QVERIFY2(QFileInfo::exists(QStringLiteral("/usr/share/mime/mime.cache")), "shared-mime-info is missing");
    for (const char* folder : {"home", "data/applications", "config", "sys", "sysconfig", "cache", "log"})
        QVERIFY(QDir().mkpath(path(QString::fromLatin1(folder))));
}

void TestGioLauncher::init() {
    QFile::remove(path(QStringLiteral("sys/mime")));
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("sys/mime"))));
    for (const QString& record : records())
        QFile::remove(path(QStringLiteral("log/") + record));
}

void TestGioLauncher::registerBrowser(const QString& exec, bool handlesHtml, const QString& defaultId) {
    registerHandlers({{DESKTOP_ID, exec, QString()}}, handlesHtml, defaultId);
}

void TestGioLauncher::registerHandlers(const QList<Handler>& handlers, bool handleHtml,
                                       const QString& defaultId) {
    // The index of handlers that update-desktop-database would write.
    QString index = QStringLiteral("[MIME Cache]\n");
    if (handleHtml)
        index += QStringLiteral("text/html=");
    for (const Handler& handler : handlers) {
        QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Rotenu Test Browser\n"
                                       "Icon=rotenu-test\nExec=") +
                        handler.exec + QLatin1Char('\n') + handler.extraLines;
        if (handleHtml) {
            entry += QStringLiteral("MimeType=text/html;\n");
            index += handler.id + QLatin1Char(';');
        }
        QVERIFY(writeFile(path(QStringLiteral("data/applications/") + handler.id), entry));
    }
    QVERIFY(writeFile(path(QStringLiteral("data/applications/mimeinfo.cache")), index + QLatin1Char('\n')));
    QString associations = QStringLiteral("[Default Applications]\n");
    if (!defaultId.isEmpty())
        associations += QStringLiteral("text/html=") + defaultId + QStringLiteral("\n");
    QVERIFY(writeFile(path(QStringLiteral("config/mimeapps.list")), associations));
}

std::optional<QString> TestGioLauncher::child(const QString& mode, const QString& argument,
                                              const QString& programs) {
    QProcessEnvironment environment = testing::XdgSandboxEnvironment(QDir(m_root.path()));
    if (!programs.isEmpty())
        environment.insert(QStringLiteral("PATH"), programs);
    environment.insert(QStringLiteral("ROTENU_ARGV_LOG_DIR"), path(QStringLiteral("log")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {mode, argument});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<QStringList> TestGioLauncher::nextRecord() {
    if (!QTest::qWaitFor([this] { return !records().isEmpty(); }, 30000))
        return std::nullopt;
    const QString name = path(QStringLiteral("log/") + records().constFirst());
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList argv = QString::fromUtf8(file.readAll()).split(QChar(0));
    file.remove();
    argv.removeLast(); // after the last NUL
    return argv;
}

void TestGioLauncher::fieldCodesTakeTheRegistryForm() {
    QCOMPARE(RegistryCommandFromExec("firefox %u"), "firefox %1");
    QCOMPARE(RegistryCommandFromExec("b %U %f %F"), "b %1 %1 %1");
    QCOMPARE(RegistryCommandFromExec("b --ratio=100%% %u"), "b --ratio=100%% %1");
    QCOMPARE(RegistryCommandFromExec("b %i%c%k%d%D%n%N%v%m %u"), "b  %1");
    // Not field codes at all: dropped as GIO drops them, so no stray %1 to %9 reaches the rules.
    QCOMPARE(RegistryCommandFromExec("b %1 %2 %x %"), "b    ");
    QCOMPARE(RegistryCommandFromExec("b"), "b");
}

void TestGioLauncher::opensTheDefaultBrowserWithTheAddress() {
    registerBrowser(QLatin1Char('"') + RECORDER + QStringLiteral("\" %u"), true, DESKTOP_ID);
    const std::optional<QString> command =
        child(QStringLiteral("--open"), QStringLiteral("http://example.com/"));
    QVERIFY(command);
    QCOMPARE(*command, QLatin1Char('"') + RECORDER + QStringLiteral("\" %1"));
    const std::optional<QStringList> argv = nextRecord();
    QVERIFY(argv);
    QCOMPARE(*argv, QStringList({RECORDER, QStringLiteral("http://example.com/")}));

    // With no default set, GIO falls back to the one application that handles HTML.
    registerBrowser(QLatin1Char('"') + RECORDER + QStringLiteral("\" %u"), true, QString());
    QVERIFY(child(QStringLiteral("--open"), QStringLiteral("ftp://example.com/")));
    QCOMPARE(nextRecord(), std::optional(QStringList({RECORDER, QStringLiteral("ftp://example.com/")})));

    // A desktop id whose Shift_JIS form holds 0x5C bytes (ソ and 表) is still one key name.
    const QString japaneseId = QStringLiteral(u"ソ表-browser.desktop");
    QVERIFY(QFile::copy(path(QStringLiteral("data/applications/") + DESKTOP_ID),
                        path(QStringLiteral("data/applications/") + japaneseId)));
    QVERIFY(writeFile(path(QStringLiteral("config/mimeapps.list")),
                      QStringLiteral("[Default Applications]\ntext/html=") + japaneseId + QLatin1Char('\n')));
    QVERIFY(child(QStringLiteral("--open"), QStringLiteral("file:///tmp/a.htm")));
    QCOMPARE(nextRecord(), std::optional(QStringList({RECORDER, QStringLiteral("file:///tmp/a.htm")})));
    QVERIFY(QFile::remove(path(QStringLiteral("data/applications/") + japaneseId)));
}

void TestGioLauncher::nothingButTheBrowserRuns() {
    registerBrowser(QLatin1Char('"') + RECORDER + QStringLiteral("\" %u"), true, DESKTOP_ID);
    const auto marker = [this](int n) { return path(QStringLiteral("pwned%1").arg(n)); };
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("http://example.com/a b/"), QStringLiteral("http://example.com/a%20b/")},
        {QStringLiteral("http://example.com/?q=\"x y\"&r='z'"),
         QStringLiteral("http://example.com/?q=%22x%20y%22&r=%27z%27")},
        {QStringLiteral("http://example.com/;touch${IFS}") + marker(1) + QLatin1Char(';'), QString()},
        {QStringLiteral("http://example.com/$(touch${IFS}") + marker(2) + QLatin1Char(')'), QString()},
        {QStringLiteral("http://example.com/`touch${IFS}") + marker(3) + QLatin1Char('`'), QString()},
        {QStringLiteral("http://example.com/a\\b"), QStringLiteral("http://example.com/a%5Cb")},
        {QStringLiteral("--gpu-launcher=touch http://example.com/"),
         QStringLiteral("%2D-gpu-launcher=touch%20http://example.com/")},
        {QStringLiteral(u"http://example.jp/ぽてま/ソ表/"), QString()},
    };
    for (const auto& [address, expected] : cases) {
        QVERIFY(child(QStringLiteral("--open"), address));
        const std::optional<QStringList> argv = nextRecord();
        QVERIFY2(argv, qPrintable(address));
        QCOMPARE(*argv, QStringList({RECORDER, expected.isEmpty() ? address : expected}));
    }

    // The starter itself: quoting as a shell would, operators and substitutions as plain words.
    const QString line = QLatin1Char('"') + RECORDER + QStringLiteral("\" 'a b' \"c;d\" $(touch${IFS}") +
                         marker(4) + QStringLiteral(") `touch ") + marker(5) + QStringLiteral("` ; touch ") +
                         marker(6) + QStringLiteral(" | touch ") + marker(7) + QStringLiteral(" && touch ") +
                         marker(8);
    QVERIFY(child(QStringLiteral("--start"), line));
    QCOMPARE(nextRecord(),
             std::optional(QStringList({RECORDER, QStringLiteral("a b"), QStringLiteral("c;d"),
                                        QStringLiteral("$(touch${IFS}") + marker(4) + QLatin1Char(')'),
                                        QStringLiteral("`touch"), marker(5) + QLatin1Char('`'),
                                        QStringLiteral(";"), QStringLiteral("touch"), marker(6),
                                        QStringLiteral("|"), QStringLiteral("touch"), marker(7),
                                        QStringLiteral("&&"), QStringLiteral("touch"), marker(8)})));
    for (int n = 1; n <= 8; ++n)
        QVERIFY2(!QFileInfo::exists(marker(n)), qPrintable(marker(n)));
    QVERIFY(records().isEmpty());
}

void TestGioLauncher::fieldCodesOfTheDesktopEntryAreTranslated() {
    registerBrowser(QLatin1Char('"') + RECORDER + QStringLiteral("\" --name=%c --ratio=100%% %k %i %U %f"),
                    true, DESKTOP_ID);
    const std::optional<QString> command =
        child(QStringLiteral("--open"), QStringLiteral("http://example.com/"));
    QVERIFY(command);
    QCOMPARE(*command, QLatin1Char('"') + RECORDER + QStringLiteral("\" --name= --ratio=100%%   %1 %1"));
    QCOMPARE(nextRecord(),
             std::optional(QStringList({RECORDER, QStringLiteral("--name="), QStringLiteral("--ratio=100%"),
                                        QStringLiteral("http://example.com/"),
                                        QStringLiteral("http://example.com/")})));

    // An entry that takes no addresses (no field code, or files only as vim.desktop's %F) is no
    // browser, even as the default; with another handler that takes them, that one opens the page.
    for (const QString& args : {QStringLiteral("--new-window"), QStringLiteral("%F")}) {
        const Handler noAddresses{QStringLiteral("rotenu-test-editor.desktop"),
                                  QLatin1Char('"') + RECORDER + QStringLiteral("\" ") + args, QString()};
        registerHandlers({noAddresses}, true, noAddresses.id);
        QCOMPARE(child(QStringLiteral("--open"), QStringLiteral("http://example.com/")),
                 std::optional(QString()));
        registerHandlers(
            {noAddresses, {DESKTOP_ID, QLatin1Char('"') + RECORDER + QStringLiteral("\" %u"), {}}}, true,
            noAddresses.id);
        QVERIFY(child(QStringLiteral("--open"), QStringLiteral("http://example.com/b")));
        QCOMPARE(nextRecord(),
                 std::optional(QStringList({RECORDER, QStringLiteral("http://example.com/b")})));
        QVERIFY(QFile::remove(path(QStringLiteral("data/applications/")) + noAddresses.id));
    }
    QVERIFY(records().isEmpty());
}

void TestGioLauncher::withoutADefaultBrowserNothingStarts() {
    const QString exec = QLatin1Char('"') + RECORDER + QStringLiteral("\" %u");
    // No application handles HTML; the default names a desktop file that does not exist.
    for (const QString& defaultId : {QString(), QStringLiteral("missing-browser.desktop")}) {
        registerBrowser(exec, false, defaultId);
        QCOMPARE(child(QStringLiteral("--open"), QStringLiteral("http://example.com/")),
                 std::optional(QString()));
    }
    // No MIME database: ".htm" and ".html" give no definite type, whatever the default says.
    registerBrowser(exec, true, DESKTOP_ID);
    QVERIFY(QFile::remove(path(QStringLiteral("sys/mime"))));
    QCOMPARE(child(QStringLiteral("--open"), QStringLiteral("http://example.com/")),
             std::optional(QString()));
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("sys/mime"))));

    // Once a browser is there again it runs, and it is the only run recorded.
    QVERIFY(child(QStringLiteral("--open"), QStringLiteral("http://example.com/")));
    QVERIFY(nextRecord());
    QVERIFY(records().isEmpty());
}

void TestGioLauncher::commandsOutsideShiftJisStart() {
    // Program folders and desktop ids that Shift_JIS cannot hold; the address is the program's own.
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral(u"home/josé/bin"), DESKTOP_ID},
        {QStringLiteral(u"한국어"), QStringLiteral(u"브라우저.desktop")},
        {QStringLiteral(u"\U0001F600 dir"), QStringLiteral(u"\U0001F310-browser.desktop")},
    };
    const QString address = QStringLiteral(u"http://example.jp/ぽてま/");
    for (const auto& [folder, id] : cases) {
        const QString program = path(folder) + QStringLiteral("/browser");
        QVERIFY(QDir().mkpath(path(folder)));
        QVERIFY(QFile::exists(program) || QFile::link(RECORDER, program));
        registerHandlers({{id, QLatin1Char('"') + program + QStringLiteral("\" %u"), {}}}, true, id);
        QCOMPARE(child(QStringLiteral("--open"), address),
                 std::optional(QLatin1Char('"') + program + QStringLiteral("\" %1")));
        QCOMPARE(nextRecord(), std::optional(QStringList({program, address})));
        QVERIFY(QFile::remove(path(QStringLiteral("data/applications/")) + id));
    }
}

void TestGioLauncher::terminalApplicationsRunInATerminal() {
    // Terminals on the PATH, and the one that runs the application with the option it takes:
    // Debian's chosen one first, then GIO's own order; with none there is nothing to run it in.
    const QList<std::tuple<QStringList, QString, QString>> cases = {
        {{QStringLiteral("xterm")}, QStringLiteral("xterm"), QStringLiteral("-e")},
        {{QStringLiteral("xterm"), QStringLiteral("gnome-terminal")},
         QStringLiteral("gnome-terminal"),
         QStringLiteral("--")},
        {{QStringLiteral("xfce4-terminal"), QStringLiteral("x-terminal-emulator")},
         QStringLiteral("x-terminal-emulator"),
         QStringLiteral("-e")},
        {{}, QString(), QString()},
    };
    registerHandlers({{DESKTOP_ID, QLatin1Char('"') + RECORDER + QStringLiteral("\" %u"),
                       QStringLiteral("Terminal=true\n")}},
                     true, DESKTOP_ID);
    for (const auto& [installed, terminal, option] : cases) {
        QTemporaryDir programs(path(QStringLiteral("programs-XXXXXX")));
        for (const QString& name : installed)
            QVERIFY(QFile::link(RECORDER, programs.filePath(name)));
        const std::optional<QString> command =
            child(QStringLiteral("--open"), QStringLiteral("http://example.com/"), programs.path());
        QVERIFY(command);
        if (terminal.isEmpty()) {
            QCOMPARE(*command, QString());
            continue;
        }
        QCOMPARE(nextRecord(), std::optional(QStringList({programs.filePath(terminal), option, RECORDER,
                                                          QStringLiteral("http://example.com/")})));
    }
    QVERIFY(records().isEmpty());
}

void TestGioLauncher::aCommandThatCannotStartIsSilent() {
    const QStringList lines = {QStringLiteral("/nonexistent/browser http://example.com/"),
                               QLatin1Char('"') + RECORDER + QStringLiteral("\" 'unbalanced"), QString()};
    for (const QString& line : lines)
        QVERIFY2(child(QStringLiteral("--start"), line), qPrintable(line));
    QVERIFY(child(QStringLiteral("--start"), RECORDER + QStringLiteral(" ok")));
    QCOMPARE(nextRecord(), std::optional(QStringList({RECORDER, QStringLiteral("ok")})));
    QVERIFY(records().isEmpty());
}

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc == 3 && (qstrcmp(argv[1], "--open") == 0 || qstrcmp(argv[1], "--start") == 0))
        return runChild(QString::fromUtf8(argv[1]), QString::fromUtf8(argv[2]));
    TestGioLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gio_launcher.moc"
