// The web page launcher against a broken desktop setup and outlandish addresses, over GIO's real
// MIME associations in a throwaway XDG tree. GIO reads its environment once per process, so each
// look-up runs in a child (this program started again with --open and a file holding the address).

#include "about/Lib_InternetControl.h"
#include "browser/BrowserPart.h"
#include "tests/support/XdgSandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <optional>

using namespace rotenu;

namespace {

const QString DESKTOP_ID = QStringLiteral("rotenu-bad-setup-browser.desktop");

int RunChild(const char* addressFile) {
    QFile file(QString::fromLocal8Bit(addressFile));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QByteArray address = file.readAll();
    BrowserPartClassesRegistry registry;
    BrowserPartCommandStarter starter;
    const std::string command = FindBrowserCommand(registry);
    std::fwrite(command.data(), 1, command.size(), stdout);
    std::fflush(stdout);
    OpenWebPage(std::string_view(address.constData(), std::size_t(address.size())), registry, starter);
    return 0;
}

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

} // namespace

class TestBadBrowserSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void brokenMimeappsListFallsBackToTheRegisteredBrowser();
    void desktopFileWithoutExecStartsNothing();
    void longAndOddAddressesReachTheBrowserWhole();

private:
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    // The stand-in browser's desktop entry (its lines after the group header), listed as a handler
    // of HTML, and the user's mimeapps.list as given.
    void setUp(const QByteArray& entryLines, const QByteArray& mimeapps);
    // The browser command that the child found (nullopt when the child failed).
    std::optional<QByteArray> open(const QByteArray& address);
    // The arguments of the stand-in browser's run, waiting up to `wait` ms for it.
    std::optional<QList<QByteArray>> record(int wait);

    QTemporaryDir m_root;
    QString m_browser;
};

void TestBadBrowserSetup::initTestCase() {
    QVERIFY(m_root.isValid());
    QVERIFY2(QFileInfo::exists(QStringLiteral("/usr/share/mime/mime.cache")), "shared-mime-info is missing");
    for (const char* folder : {"home", "data/applications", "config", "sys", "sysconfig", "cache"})
        QVERIFY(QDir().mkpath(path(QString::fromLatin1(folder))));
    QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("sys/mime"))));
    // Writes its arguments, each ended by a NUL, to argv.log.
    m_browser = path(QStringLiteral("browser.sh"));
    QVERIFY(WriteFile(m_browser, "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '%s\\0' \"$a\"; done > \"" +
                                     path(QStringLiteral("argv.tmp")).toUtf8() + "\"\nmv \"" +
                                     path(QStringLiteral("argv.tmp")).toUtf8() + "\" \"" +
                                     path(QStringLiteral("argv.log")).toUtf8() + "\"\n"));
    QVERIFY(QFile::setPermissions(m_browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestBadBrowserSetup::init() {
    QFile::remove(path(QStringLiteral("argv.log")));
}

void TestBadBrowserSetup::setUp(const QByteArray& entryLines, const QByteArray& mimeapps) {
    QVERIFY(WriteFile(path(QStringLiteral("data/applications/") + DESKTOP_ID),
                      "[Desktop Entry]\nType=Application\nName=Bad Setup Browser\nMimeType=text/html;\n" +
                          entryLines));
    QVERIFY(WriteFile(path(QStringLiteral("data/applications/mimeinfo.cache")),
                      "[MIME Cache]\ntext/html=" + DESKTOP_ID.toUtf8() + ";\n"));
    QVERIFY(WriteFile(path(QStringLiteral("config/mimeapps.list")), mimeapps));
}

std::optional<QByteArray> TestBadBrowserSetup::open(const QByteArray& address) {
    const QString addressFile = path(QStringLiteral("address"));
    if (!WriteFile(addressFile, address))
        return std::nullopt;
    const QProcessEnvironment environment = testing::XdgSandboxEnvironment(QDir(m_root.path()));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), addressFile});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

std::optional<QList<QByteArray>> TestBadBrowserSetup::record(int wait) {
    const QString log = path(QStringLiteral("argv.log"));
    if (!QTest::qWaitFor([&] { return QFile::exists(log); }, wait))
        return std::nullopt;
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QList<QByteArray> argv = file.readAll().split('\0');
    argv.removeLast(); // after the last NUL
    return argv;
}

void TestBadBrowserSetup::brokenMimeappsListFallsBackToTheRegisteredBrowser() {
    const QByteArray exec = "Exec=" + m_browser.toUtf8() + " %u\n";
    // Garbage, a group header that never closes, a default in bytes that are no UTF-8, and a
    // default that names a file that is not a desktop entry: each time GIO drops the user's
    // choice and the one application registered for HTML opens the page.
    const QList<QByteArray> broken = {
        QByteArray("\x00\xff\xfe garbage\n=\n[[[\n", 17),
        "[Default Applications\ntext/html=" + DESKTOP_ID.toUtf8() + "\n",
        "[Default Applications]\ntext/html=\xff\xfe.desktop\n",
        "[Default Applications]\ntext/html=../../../../etc/passwd\n",
    };
    for (const QByteArray& mimeapps : broken) {
        init();
        setUp(exec, mimeapps);
        const std::optional<QByteArray> command = open("http://example.com/");
        QVERIFY2(command, mimeapps.constData());
        QCOMPARE(*command, m_browser.toUtf8() + " %1");
        QCOMPARE(record(30000),
                 std::optional(QList<QByteArray>({m_browser.toUtf8(), "http://example.com/"})));
    }
}

void TestBadBrowserSetup::desktopFileWithoutExecStartsNothing() {
    // No Exec line, an empty one, one of blanks only: GIO has no application there, so there is no
    // browser command and nothing starts.
    for (const QByteArray& lines : {QByteArray(), QByteArray("Exec=\n"), QByteArray("Exec=   \n")}) {
        init();
        setUp(lines, "[Default Applications]\ntext/html=" + DESKTOP_ID.toUtf8() + "\n");
        QCOMPARE(open("http://example.com/"), std::optional(QByteArray()));
        QVERIFY(!QFile::exists(path(QStringLiteral("argv.log"))));
    }
}

void TestBadBrowserSetup::longAndOddAddressesReachTheBrowserWhole() {
    setUp("Exec=" + m_browser.toUtf8() + " %u\n",
          "[Default Applications]\ntext/html=" + DESKTOP_ID.toUtf8() + "\n");

    // 64 KiB of address arrive as one argument, unchanged.
    const QByteArray longAddress = "http://example.com/" + QByteArray(64 * 1024, 'a');
    QVERIFY(open(longAddress));
    QCOMPARE(record(30000), std::optional(QList<QByteArray>({m_browser.toUtf8(), longAddress})));

    // Line breaks, tabs, a NUL and quotes cannot split it or end it early: they arrive encoded.
    init();
    QVERIFY(open(QByteArray("http://example.com/a\r\nb\tc\0d\"e'f", 31)));
    QCOMPARE(record(30000), std::optional(QList<QByteArray>(
                                {m_browser.toUtf8(), "http://example.com/a%0D%0Ab%09c%00d%22e%27f"})));

    // Beyond what the system takes for one argument (128 KiB) the browser cannot be started; that
    // is silent, and the program goes on.
    init();
    QVERIFY(open("http://example.com/" + QByteArray(200 * 1024, 'a')));
    QVERIFY(!record(2000));
}

int main(int argc, char** argv) {
    // The child too has an application object: it finds the browser part beside its program.
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--open") == 0)
        return RunChild(argv[2]);
    TestBadBrowserSetup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bad_browser_setup.moc"
