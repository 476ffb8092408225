// The web page launcher against a broken desktop setup and outlandish addresses, over GIO's real
// MIME associations in a throwaway desktop.

#include "tests/browser/StandInBrowser.h"

#include <QTest>

using namespace rotenu;
using namespace rotenu::testing;

namespace {

const QString DESKTOP_ID = QStringLiteral("rotenu-bad-setup-browser.desktop");

} // namespace

class TestBadBrowserSetup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void brokenMimeappsListFallsBackToTheRegisteredBrowser();
    void desktopFileWithoutExecStartsNothing();
    void longAndOddAddressesReachTheBrowserWhole();

private:
    // The stand-in browser's desktop entry (its lines after Type and Name), listed as a handler of
    // HTML, and the user's mimeapps.list as given.
    void setUp(const QByteArray& entryLines, const QByteArray& mimeapps) {
        QVERIFY(m_browser.registerEntries({{DESKTOP_ID, entryLines}}, true, mimeapps));
    }
    std::optional<QString> open(const QByteArray& address) { return m_browser.child("--open", address); }

    StandInBrowser m_browser;
};

void TestBadBrowserSetup::init() {
    const QString why = m_browser.reset();
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void TestBadBrowserSetup::brokenMimeappsListFallsBackToTheRegisteredBrowser() {
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
        setUp(ExecLine(), mimeapps);
        QCOMPARE(open("http://example.com/"), std::optional(BrowserCommand()));
        QCOMPARE(m_browser.nextRecord(), RanWith(QString::fromLatin1("http://example.com/")));
    }
}

void TestBadBrowserSetup::desktopFileWithoutExecStartsNothing() {
    // No Exec line, an empty one, one of blanks only: GIO has no application there, so there is no
    // browser command and nothing starts.
    for (const QByteArray& lines : {QByteArray(), QByteArray("Exec=\n"), QByteArray("Exec=   \n")}) {
        setUp(lines, DefaultFor(DESKTOP_ID));
        QCOMPARE(open("http://example.com/"), std::optional(QString()));
        QVERIFY(m_browser.records().isEmpty());
    }
}

void TestBadBrowserSetup::longAndOddAddressesReachTheBrowserWhole() {
    setUp(ExecLine(), DefaultFor(DESKTOP_ID));

    // 64 KiB of address arrive as one argument, unchanged.
    const QByteArray longAddress = "http://example.com/" + QByteArray(64 * 1024, 'a');
    QVERIFY(open(longAddress));
    QCOMPARE(m_browser.nextRecord(), RanWith(QString::fromLatin1(longAddress)));

    // Line breaks, tabs, a NUL and quotes cannot split it or end it early: they arrive encoded.
    QVERIFY(open(QByteArray("http://example.com/a\r\nb\tc\0d\"e'f", 31)));
    QCOMPARE(m_browser.nextRecord(),
             RanWith(QString::fromLatin1("http://example.com/a%0D%0Ab%09c%00d%22e%27f")));

    // Beyond what the system takes for one argument (128 KiB) the browser cannot be started; that
    // is silent, and the program goes on.
    QVERIFY(open("http://example.com/" + QByteArray(200 * 1024, 'a')));
    QVERIFY(!m_browser.nextRecord(2000));
}

int main(int argc, char** argv) {
    return LauncherTestMain<TestBadBrowserSetup>(argc, argv);
}

#include "tst_bad_browser_setup.moc"
