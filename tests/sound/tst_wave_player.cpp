// The alarm file's look-up. That a file that cannot play gives the beep is tst_alarm_sound's, on a
// real sound server.
#include "sound/FindFileIgnoringCase.h"
#include "tests/support/WaveFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace rotenu;

namespace {

QString Found(const QString& name) {
    return QFile::decodeName(FindFileIgnoringCase(QFile::encodeName(name)));
}

} // namespace

class TestWavePlayer : public QObject {
    Q_OBJECT
private slots:
    void findsTheAlarmFileWhateverItsCase();
};

void TestWavePlayer::findsTheAlarmFileWhateverItsCase() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(dir.isValid() && QDir::setCurrent(dir.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
    const auto touch = [](const char* name) { return testing::WriteToneWave(QString::fromLatin1(name), 0); };
    const QString name = QStringLiteral("test.WAV");
    QCOMPARE(Found(name), QString());

    // A folder of that name is no sound file.
    QVERIFY(QDir().mkdir(QStringLiteral("TEST.wav")));
    QCOMPARE(Found(name), QString());

    // The name the help note gives, in the current directory.
    QVERIFY(touch("test.wav"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("test.wav"));
    QCOMPARE(QFileInfo(Found(name)).absolutePath(), QDir::currentPath());

    // Of several spellings, the exact one wins; otherwise the first in name order.
    QVERIFY(touch("Test.Wav"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("Test.Wav"));
    QVERIFY(touch("test.WAV"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("test.WAV"));

    // Names that only look alike do not count; a name with a folder is looked for in that folder.
    QCOMPARE(Found(QStringLiteral("test.WAVE")), QString());
    QCOMPARE(Found(QStringLiteral("test")), QString());
    QVERIFY(QDir().mkdir(QStringLiteral("sounds")));
    QVERIFY(touch("sounds/ALARM.wav"));
    QCOMPARE(Found(QStringLiteral("sounds/alarm.WAV")),
             QDir(QStringLiteral("sounds")).filePath(QStringLiteral("ALARM.wav")));
    QCOMPARE(Found(QStringLiteral("alarm.wav")), QString());
}

QTEST_GUILESS_MAIN(TestWavePlayer)
#include "tst_wave_player.moc"
