#pragma once
// A throwaway desktop (XDG folders under one root, the system's MIME database) whose browser is
// argv_recorder, a stand-in that records its arguments. GIO reads its environment once per
// process, so each look-up runs in a child: the test program started again, whose main() is
// LauncherTestMain().

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace rotenu::testing {

class StandInBrowser {
public:
    struct DesktopEntry {
        QString id;
        QByteArray lines; // after its Type and Name
    };

    StandInBrowser();
    // The root is there, the MIME database linked into it, and no run recorded yet.
    bool reset();

    static QString recorder();
    // An Exec line that runs `program` (the recorder unless told) with `arguments`.
    static QByteArray exec(const QByteArray& arguments = "%u", const QString& program = recorder());
    // The browser command that FindBrowserCommand makes of exec(arguments).
    static QString command(const QString& arguments = QStringLiteral("%1"),
                           const QString& program = recorder());
    // A mimeapps.list that makes `id` the default for HTML; none with no id.
    static QByteArray defaultFor(const QString& id);

    QString path(const QString& relative) const { return m_root.filePath(relative); }
    // Writes the entries in this order, listed as handlers of HTML when `handleHtml`, and the
    // user's mimeapps.list as given.
    bool registerEntries(const QList<DesktopEntry>& entries, bool handleHtml, const QByteArray& mimeapps);
    // Runs the child: "--open" looks up the browser command and opens `argument` as the address,
    // "--start" starts `argument` as a command line. Returns the command the child found, nullopt
    // when the child failed. `programs`, when given, is the child's whole PATH.
    std::optional<QString> child(const char* mode, const QByteArray& argument, const QString& programs = {});
    // The arguments of the next run of the recorder, waiting up to `waitMs` for one.
    std::optional<QStringList> nextRecord(int waitMs = 30000);
    QStringList records() const;

private:
    QTemporaryDir m_root;
};

// When this program runs as the child (--open or --start and the file holding the argument),
// does that and returns its exit code.
std::optional<int> RunLauncherChild(int argc, char** argv);

// The main() of a test program that uses a StandInBrowser: the child's, or the tests of `Test`.
template <typename Test> int LauncherTestMain(int argc, char** argv) {
    // The child too has an application object: it finds the browser part beside its program.
    QCoreApplication application(argc, argv);
    if (const std::optional<int> exitCode = RunLauncherChild(argc, argv))
        return *exitCode;
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace rotenu::testing
