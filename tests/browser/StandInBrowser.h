#pragma once
// A throwaway desktop (XDG folders under one root, the system's MIME database) whose browser is
// argv_recorder, which records its arguments. GIO reads its environment once per process, so each
// look-up runs in a child: the test program started again, whose main() calls RunLauncherChild().

#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace rotenu::testing {

inline const QString kRecorder = QString::fromUtf8(ROTENU_ARGV_RECORDER);

// An Exec line that runs `program` with `arguments`, and the browser command made of it.
inline QByteArray ExecLine(const QByteArray& arguments = "%u", const QString& program = kRecorder) {
    return "Exec=\"" + program.toUtf8() + "\" " + arguments + '\n';
}
inline QString BrowserCommand(const QString& arguments = QStringLiteral("%1"),
                              const QString& program = kRecorder) {
    return QLatin1Char('"') + program + QStringLiteral("\" ") + arguments;
}
// What the recorder records of a run with one argument.
inline std::optional<QStringList> RanWith(const QString& argument) {
    return QStringList{kRecorder, argument};
}
// A mimeapps.list that makes `id` the default for HTML; none with no id.
inline QByteArray DefaultFor(const QString& id) {
    return "[Default Applications]\n" + (id.isEmpty() ? QByteArray() : "text/html=" + id.toUtf8() + '\n');
}

class StandInBrowser {
public:
    struct DesktopEntry {
        QString id;
        QByteArray lines; // after its Type and Name
    };

    // Links the MIME database in and forgets the runs recorded; why it cannot, when it cannot.
    QString reset();
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    // The entries, listed as handlers of HTML in this order when `handleHtml`, and mimeapps.list.
    bool registerEntries(const QList<DesktopEntry>& entries, bool handleHtml, const QByteArray& mimeapps);
    // Runs the child with `argument`: "--open" opens it as an address and gives the browser
    // command found, "--start" starts it as a command line. nullopt when the child fails;
    // `programs`, when given, is its whole PATH.
    std::optional<QString> child(const char* mode, const QByteArray& argument, const QString& programs = {});
    // The arguments of the next run of the recorder, waiting up to `waitMs` for one.
    std::optional<QStringList> nextRecord(int waitMs = 30000);
    QStringList records() const;

private:
    QTemporaryDir m_root;
};

// In the child, does what its arguments ask and gives the exit code; nullopt in the test itself.
std::optional<int> RunLauncherChild(int argc, char** argv);

} // namespace rotenu::testing
