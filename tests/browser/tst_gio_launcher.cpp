// The launcher over the desktop's real MIME associations, end to end through the browser part: a
// throwaway desktop whose browser is a stand-in that records its arguments; broken desktop setups
// and outlandish addresses too.
#include "browser/GioClassesRegistry.h"
#include "tests/browser/StandInBrowser.h"
#include "tests/support/StdStringToString.h"
#include "text/ShiftJis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace rotenu;
using namespace rotenu::testing;

namespace {

const QString DESKTOP_ID = QStringLiteral("rotenu-test-browser.desktop");

} // namespace

class TestGioLauncher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fieldCodesTakeTheRegistryForm();
    void opensTheDefaultBrowserWithTheAddress();
    void nothingButTheBrowserRuns();
    void fieldCodesOfTheDesktopEntryAreTranslated();
    void withoutADefaultBrowserNothingStarts();
    void commandsOutsideShiftJisStart();
    void terminalApplicationsRunInATerminal();
    void aCommandThatCannotStartIsSilent();
    void longAndOddAddressesReachTheBrowserWhole();

private:
    QString path(const QString& relative) const { return m_browser.path(relative); }
    // The stand-in browser's desktop entry, with `exec`, as the one handler of HTML (or none).
    void registerBrowser(const QByteArray& exec, bool handlesHtml, const QString& defaultId) {
        QVERIFY(m_browser.registerEntries({{DESKTOP_ID, exec}}, handlesHtml, DefaultFor(defaultId)));
    }
    // The browser command that the child found for the address in Shift_JIS.
    std::optional<QString> open(const QString& address, const QString& programs = {}) {
        const std::string bytes = ToShiftJis(address);
        return m_browser.child("--open", QByteArray(bytes.data(), qsizetype(bytes.size())), programs);
    }
    std::optional<QString> start(const QString& line) { return m_browser.child("--start", line.toUtf8()); }

    StandInBrowser m_browser;
};

void TestGioLauncher::init() {
    const QString why = m_browser.reset();
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void TestGioLauncher::fieldCodesTakeTheRegistryForm() {
    const std::pair<const char*, std::string> cases[] = {
        {"firefox %u", "firefox %1"},
        {"b %U %f %F", "b %1 %1 %1"},
        {"b --ratio=100%% %u", "b --ratio=100%% %1"},
        {"b %i%c%k%d%D%n%N%v%m %u", "b  %1"},
        // Not field codes at all: dropped as GIO drops them, so no stray %1 to %9 reaches the rules.
        {"b %1 %2 %x %", "b    "},
        {"b", "b"},
    };
    for (const auto& [exec, command] : cases)
        QCOMPARE(RegistryCommandFromExec(exec), command);
}

void TestGioLauncher::opensTheDefaultBrowserWithTheAddress() {
    registerBrowser(ExecLine(), true, DESKTOP_ID);
    const std::optional<QString> command = open(QStringLiteral("http://example.com/"));
    QVERIFY(command);
    QCOMPARE(*command, BrowserCommand());
    QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("http://example.com/")));

    // With no default set, or a mimeapps.list of garbage, a group header that never closes, a
    // default in bytes that are no UTF-8 or one that names a file that is no desktop entry, GIO
    // falls back to the one application that handles HTML.
    const QList<QByteArray> noDefault = {
        DefaultFor(QString()),
        QByteArray("\x00\xff\xfe garbage\n=\n[[[\n", 17),
        "[Default Applications\ntext/html=" + DESKTOP_ID.toUtf8() + "\n",
        "[Default Applications]\ntext/html=\xff\xfe.desktop\n",
        "[Default Applications]\ntext/html=../../../../etc/passwd\n",
    };
    for (const QByteArray& mimeapps : noDefault) {
        QVERIFY(m_browser.registerEntries({{DESKTOP_ID, ExecLine()}}, true, mimeapps));
        QCOMPARE(open(QStringLiteral("ftp://example.com/")), std::optional(BrowserCommand()));
        QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("ftp://example.com/")));
    }

    // A desktop id whose Shift_JIS form holds 0x5C bytes (ソ and 表) is still one key name.
    const QString japaneseId = QStringLiteral(u"ソ表-browser.desktop");
    QVERIFY(m_browser.registerEntries({{DESKTOP_ID, ExecLine()}, {japaneseId, ExecLine()}}, true,
                                      DefaultFor(japaneseId)));
    QVERIFY(open(QStringLiteral("file:///tmp/a.htm")));
    QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("file:///tmp/a.htm")));
    QVERIFY(QFile::remove(path(QStringLiteral("data/applications/") + japaneseId)));
}

void TestGioLauncher::nothingButTheBrowserRuns() {
    registerBrowser(ExecLine(), true, DESKTOP_ID);
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
        QVERIFY(open(address));
        const std::optional<QStringList> argv = m_browser.nextRecord();
        QVERIFY2(argv, qPrintable(address));
        QCOMPARE(*argv, QStringList({kRecorder, expected.isEmpty() ? address : expected}));
    }

    // The starter itself: quoting as a shell would, operators and substitutions as plain words.
    const QString line = QLatin1Char('"') + kRecorder + QStringLiteral("\" 'a b' \"c;d\" $(touch${IFS}") +
                         marker(4) + QStringLiteral(") `touch ") + marker(5) + QStringLiteral("` ; touch ") +
                         marker(6) + QStringLiteral(" | touch ") + marker(7) + QStringLiteral(" && touch ") +
                         marker(8);
    QVERIFY(start(line));
    QCOMPARE(m_browser.nextRecord(),
             std::optional(QStringList({kRecorder, QStringLiteral("a b"), QStringLiteral("c;d"),
                                        QStringLiteral("$(touch${IFS}") + marker(4) + QLatin1Char(')'),
                                        QStringLiteral("`touch"), marker(5) + QLatin1Char('`'),
                                        QStringLiteral(";"), QStringLiteral("touch"), marker(6),
                                        QStringLiteral("|"), QStringLiteral("touch"), marker(7),
                                        QStringLiteral("&&"), QStringLiteral("touch"), marker(8)})));
    for (int n = 1; n <= 8; ++n)
        QVERIFY2(!QFileInfo::exists(marker(n)), qPrintable(marker(n)));
    QVERIFY(m_browser.records().isEmpty());
}

void TestGioLauncher::fieldCodesOfTheDesktopEntryAreTranslated() {
    registerBrowser(ExecLine("--name=%c --ratio=100%% %k %i %U %f"), true, DESKTOP_ID);
    const std::optional<QString> command = open(QStringLiteral("http://example.com/"));
    QVERIFY(command);
    QCOMPARE(*command, BrowserCommand(QStringLiteral("--name= --ratio=100%%   %1 %1")));
    QCOMPARE(m_browser.nextRecord(),
             std::optional(QStringList({kRecorder, QStringLiteral("--name="), QStringLiteral("--ratio=100%"),
                                        QStringLiteral("http://example.com/"),
                                        QStringLiteral("http://example.com/")})));

    // An entry that takes no addresses (no field code, or files only as vim.desktop's %F) or has
    // no command (no Exec line, an empty one, one of blanks) is no browser, even as the default;
    // with another handler that takes them, that one opens the page.
    for (const QByteArray& lines : {ExecLine("--new-window"), ExecLine("%F"), QByteArray(),
                                    QByteArray("Exec=\n"), QByteArray("Exec=   \n")}) {
        const StandInBrowser::DesktopEntry noAddresses{QStringLiteral("rotenu-test-editor.desktop"), lines};
        QVERIFY(m_browser.registerEntries({noAddresses}, true, DefaultFor(noAddresses.id)));
        QCOMPARE(open(QStringLiteral("http://example.com/")), std::optional(QString()));
        QVERIFY(m_browser.registerEntries({noAddresses, {DESKTOP_ID, ExecLine()}}, true,
                                          DefaultFor(noAddresses.id)));
        QVERIFY(open(QStringLiteral("http://example.com/b")));
        QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("http://example.com/b")));
        QVERIFY(QFile::remove(path(QStringLiteral("data/applications/")) + noAddresses.id));
    }
    QVERIFY(m_browser.records().isEmpty());
}

void TestGioLauncher::withoutADefaultBrowserNothingStarts() {
    const QByteArray exec = ExecLine();
    // No application handles HTML; the default names a desktop file that does not exist.
    for (const QString& defaultId : {QString(), QStringLiteral("missing-browser.desktop")}) {
        registerBrowser(exec, false, defaultId);
        QCOMPARE(open(QStringLiteral("http://example.com/")), std::optional(QString()));
    }
    // No MIME database: ".htm" and ".html" give no definite type, whatever the default says.
    registerBrowser(exec, true, DESKTOP_ID);
    QVERIFY(QFile::remove(path(QStringLiteral("sys/mime"))));
    QCOMPARE(open(QStringLiteral("http://example.com/")), std::optional(QString()));
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("sys/mime"))));

    // Once a browser is there again it runs, and it is the only run recorded.
    QVERIFY(open(QStringLiteral("http://example.com/")));
    QVERIFY(m_browser.nextRecord());
    QVERIFY(m_browser.records().isEmpty());
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
        QVERIFY(QFile::exists(program) || QFile::link(kRecorder, program));
        QVERIFY(m_browser.registerEntries({{id, ExecLine("%u", program)}}, true, DefaultFor(id)));
        QCOMPARE(open(address), std::optional(BrowserCommand(QStringLiteral("%1"), program)));
        QCOMPARE(m_browser.nextRecord(), std::optional(QStringList({program, address})));
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
    registerBrowser(ExecLine() + "Terminal=true\n", true, DESKTOP_ID);
    for (const auto& [installed, terminal, option] : cases) {
        QTemporaryDir programs(path(QStringLiteral("programs-XXXXXX")));
        for (const QString& name : installed)
            QVERIFY(QFile::link(kRecorder, programs.filePath(name)));
        const std::optional<QString> command = open(QStringLiteral("http://example.com/"), programs.path());
        QVERIFY(command);
        if (terminal.isEmpty()) {
            QCOMPARE(*command, QString());
            continue;
        }
        QCOMPARE(m_browser.nextRecord(),
                 std::optional(QStringList({programs.filePath(terminal), option, kRecorder,
                                            QStringLiteral("http://example.com/")})));
    }
    QVERIFY(m_browser.records().isEmpty());
}

void TestGioLauncher::aCommandThatCannotStartIsSilent() {
    const QStringList lines = {QStringLiteral("/nonexistent/browser http://example.com/"),
                               QLatin1Char('"') + kRecorder + QStringLiteral("\" 'unbalanced"), QString()};
    for (const QString& line : lines)
        QVERIFY2(start(line), qPrintable(line));
    QVERIFY(start(kRecorder + QStringLiteral(" ok")));
    QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("ok")));
    QVERIFY(m_browser.records().isEmpty());
}

void TestGioLauncher::longAndOddAddressesReachTheBrowserWhole() {
    registerBrowser(ExecLine(), true, DESKTOP_ID);
    // 64 KiB of address arrive as one argument, unchanged.
    const QByteArray longAddress = "http://example.com/" + QByteArray(64 * 1024, 'a');
    QVERIFY(m_browser.child("--open", longAddress));
    QCOMPARE(m_browser.nextRecord(), RanWith(QString::fromLatin1(longAddress)));

    // Line breaks, tabs, a NUL and quotes cannot split it or end it early: they arrive encoded.
    QVERIFY(m_browser.child("--open", QByteArray("http://example.com/a\r\nb\tc\0d\"e'f", 31)));
    QCOMPARE(m_browser.nextRecord(), RanWith(QStringLiteral("http://example.com/a%0D%0Ab%09c%00d%22e%27f")));

    // Beyond what the system takes for one argument (128 KiB) the browser cannot be started; that
    // is silent, and the program goes on.
    QVERIFY(m_browser.child("--open", "http://example.com/" + QByteArray(200 * 1024, 'a')));
    QVERIFY(!m_browser.nextRecord(2000));
}

int main(int argc, char** argv) {
    // The child too has an application object: it finds the browser part beside its program.
    QCoreApplication application(argc, argv);
    if (const std::optional<int> exitCode = RunLauncherChild(argc, argv))
        return *exitCode;
    TestGioLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gio_launcher.moc"
