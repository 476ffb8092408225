#include "platform/CanberraWavePlayer.h"

#include "platform/CanberraContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rotenu {

QString FindFileIgnoringCase(const QString& fileName) {
    const QFileInfo wanted(fileName);
    if (wanted.isFile())
        return wanted.filePath();
    const QDir directory = wanted.dir();
    const QStringList files = directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& file : files) {
        if (file.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
            return directory.filePath(file);
    }
    return {};
}

bool CanberraWavePlayer::playAsync(const QString& fileName) {
    const QString found = FindFileIgnoringCase(fileName);
    if (found.isEmpty())
        return false;
    return m_sound.playFile(QFile::encodeName(QFileInfo(found).absoluteFilePath()).toStdString());
}

} // namespace rotenu
