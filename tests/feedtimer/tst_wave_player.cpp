#include "sound/FindFileIgnoringCase.h"
#include "sound/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rotenu;

namespace {

QString Found(const QString& name) {
    return QFile::decodeName(FindFileIgnoringCase(QFile::encodeName(name)));
}

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
}

} // namespace

class TestWavePlayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findsTheAlarmFileWhateverItsCase();
    void missingFileDoesNotStart();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

void TestWavePlayer::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestWavePlayer::cleanup() {
    QDir::setCurrent(m_previous);
    m_dir.reset();
}

void TestWavePlayer::findsTheAlarmFileWhateverItsCase() {
    const QString name = QStringLiteral("test.WAV");
    QCOMPARE(Found(name), QString());

    // A folder of that name is no sound file.
    QVERIFY(QDir().mkdir(QStringLiteral("TEST.wav")));
    QCOMPARE(Found(name), QString());

    // The name the help note gives, in the current directory.
    Touch(QStringLiteral("test.wav"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("test.wav"));
    QCOMPARE(QFileInfo(Found(name)).absolutePath(), QDir::currentPath());

    // Of several spellings, the exact one wins; otherwise the first in name order.
    Touch(QStringLiteral("Test.Wav"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("Test.Wav"));
    Touch(QStringLiteral("test.WAV"));
    QCOMPARE(QFileInfo(Found(name)).fileName(), QStringLiteral("test.WAV"));

    // Names that only look alike do not count; a name with a folder is looked for in that folder.
    QCOMPARE(Found(QStringLiteral("test.WAVE")), QString());
    QCOMPARE(Found(QStringLiteral("test")), QString());
    QVERIFY(QDir().mkdir(QStringLiteral("sounds")));
    Touch(QStringLiteral("sounds/ALARM.wav"));
    QCOMPARE(Found(QStringLiteral("sounds/alarm.WAV")),
             QDir(QStringLiteral("sounds")).filePath(QStringLiteral("ALARM.wav")));
    QCOMPARE(Found(QStringLiteral("alarm.wav")), QString());
}

void TestWavePlayer::missingFileDoesNotStart() {
    SoundPlayer player;
    bool refused = false;
    player.playAsync(QStringLiteral("test.WAV"), [&refused] { refused = true; });
    QTRY_VERIFY(refused);
}

QTEST_GUILESS_MAIN(TestWavePlayer)
#include "tst_wave_player.moc"
