#include "ui/application_icon.h"

namespace trasel {

QIcon ApplicationIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/trasel/icons/trasel-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/trasel/icons/trasel-128.png"), QSize(128, 128));
    return icon;
}

}  // namespace trasel
