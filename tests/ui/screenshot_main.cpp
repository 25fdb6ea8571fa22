// Draws the real window on the X server of DISPLAY with a computed listing
// and saves the screen area around it as a PNG. scripts/screenshot.sh runs
// it under Xvfb; the records are pasted and the fields typed into as a user
// would.
//
//   ui_screenshot <output.png>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QScreen>
#include <QTest>

#include <cstdio>

#include "textconv/textconv.h"
#include "ui/application_icon.h"
#include "ui/unit1.h"

int main(int argc, char* argv[])
{
    trasel::LoadSettingsFromUserLocale();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ui_screenshot <output.png>\n");
        return 2;
    }
    QApplication::setWindowIcon(trasel::ApplicationIcon());
    trasel::TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.activateWindow();

    QFile file(QStringLiteral(TRASEL_UI_FIXTURES "/tracklet_23662.obs"));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    QGuiApplication::clipboard()->setText(QString::fromLatin1(file.readAll()));
    form.Memo1->setFocus();
    QTest::keySequence(form.Memo1, QKeySequence::Paste);

    // The evening of the observations, every ten minutes for two hours.
    const auto type = [](trasel::MaskedEdit* field, const char* keys) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(keys));
    };
    type(form.meFecha, "13112025");
    type(form.meHora, "200000");
    type(form.meInc, "10");
    QTest::mouseClick(form.rbMin, Qt::LeftButton);
    type(form.meCant, "012");
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    form.Memo1->setFocus();
    QTest::qWait(500);

    const QRect area = form.frameGeometry().adjusted(-12, -12, 12, 12);
    const QPixmap shot = form.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
