#include "ui/application_title.h"

#include <QCoreApplication>

#include <algorithm>

namespace trasel {

QString ApplicationTitleFromPath(const QString& programFile)
{
    const qsizetype slash = std::max(programFile.lastIndexOf(u'/'), programFile.lastIndexOf(u'\\'));
    QString name = programFile.mid(slash + 1);
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    if (name.isEmpty()) return name;
    // Program files here are lower case by custom, where the other platform
    // spelled them "Trasel.exe": the first letter is raised so that both give
    // "Trasel".
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString ApplicationTitle()
{
    return ApplicationTitleFromPath(QCoreApplication::applicationFilePath());
}

}  // namespace trasel
