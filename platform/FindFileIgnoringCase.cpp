#include "platform/FindFileIgnoringCase.h"

#include <QDir>
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

} // namespace rotenu
