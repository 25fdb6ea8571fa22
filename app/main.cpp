// Start-up: the regional settings from the user's locale, the application,
// the main window (whose FormCreate fixes the three settings the calculation
// relies on), then the message loop until the window is closed.
#include <QApplication>

#include <exception>

#include "textconv/textconv.h"
#include "ui/application_icon.h"
#include "ui/application_title.h"
#include "ui/unit1.h"

int main(int argc, char* argv[])
{
    try {
        trasel::LoadSettingsFromUserLocale();
    } catch (const std::exception&) {
        // A locale the system cannot load leaves the fallback settings.
    }

    // QApplication sets the C library's locale from the environment; the
    // core's conversions and formatting do not depend on it.
    QApplication application(argc, argv);
    // The title names the taskbar entry through the window class; it is not
    // set as the display name, which would be appended to the caption.
    QCoreApplication::setApplicationName(trasel::ApplicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("trasel"));
    QApplication::setWindowIcon(trasel::ApplicationIcon());

    trasel::TForm1 form;
    form.show();
    return QApplication::exec();
}
