#include "ui/web_link.h"

#include <QDesktopServices>
#include <QString>

namespace trasel {

std::function<void(const QUrl&)>& WebOpenerForTesting()
{
    static std::function<void(const QUrl&)> opener;
    return opener;
}

void OpenWebAddress(std::string_view address)
{
    const QUrl url(QString::fromLatin1(address.data(), static_cast<qsizetype>(address.size())));
    if (WebOpenerForTesting()) {
        WebOpenerForTesting()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

}  // namespace trasel
