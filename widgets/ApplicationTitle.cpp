#include "widgets/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace rotenu {

QString ApplicationTitleFromFileName(const QString& fileName) {
    QString title = fileName.left(fileName.indexOf(u'.'));
    if (title.size() > 1)
        title = title.left(1) + title.mid(1).toLower();
    return title;
}

QString ApplicationTitle() {
    static const QString title =
        ApplicationTitleFromFileName(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    return title;
}

} // namespace rotenu
