#include "sound/FindFileIgnoringCase.h"

#include <QFile>
#include <QString>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace rotenu {
namespace {

bool IsRegularFile(const QByteArray& path) {
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

QByteArray FindFileIgnoringCase(const QByteArray& path) {
    if (IsRegularFile(path))
        return path;
    const qsizetype slash = path.lastIndexOf('/');
    // The folder's part stays bytes; only names are decoded, to compare them.
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    const QString wanted = QFile::decodeName(path.mid(slash + 1));
    DIR* directory = ::opendir(folder.constData());
    if (!directory)
        return {};
    std::vector<QByteArray> alike;
    while (const dirent* entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name).compare(wanted, Qt::CaseInsensitive) == 0)
            alike.push_back(name);
    }
    ::closedir(directory);
    std::sort(alike.begin(), alike.end());
    const QByteArray prefix = slash < 0 ? QByteArray() : path.left(slash + 1);
    for (const QByteArray& name : alike) {
        if (IsRegularFile(prefix + name))
            return prefix + name;
    }
    return {};
}

} // namespace rotenu
