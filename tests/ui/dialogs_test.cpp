// The message boxes, the closing full stop and the application title.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "textconv/textconv.h"
#include "ui/application_title.h"
#include "ui/dialogs.h"

using namespace trasel;

namespace {

// What the modal box showed, read while it is open; then closed by `key`.
struct SeenBox {
    bool seen = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
};

void CloseNextBoxWith(int key, SeenBox& seen)
{
    QTimer::singleShot(0, [key, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = {true, box->windowTitle(), box->text(), box->icon(), box->buttons().size()};
        QTest::keyClick(box, Qt::Key(key));
    });
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { DialogHooksForTesting() = {}; }

    void closingFullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Floating point division by zero" << "Floating point division by zero.";
        QTest::newRow("full stop") << "Invalid argument." << "Invalid argument.";
        QTest::newRow("closing parenthesis") << "Range error (x)" << "Range error (x)";
        QTest::newRow("apostrophe") << "'abc'" << "'abc'";
        QTest::newRow("hyphen, below the full stop") << "value -" << "value -";
        QTest::newRow("slash, just above it") << "a/" << "a/.";
        QTest::newRow("digit") << "code 0" << "code 0.";
        QTest::newRow("degree sign") << "22\u00b0" << "22\u00b0.";
        QTest::newRow("empty") << "" << "";
    }
    void closingFullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(WithClosingFullStop(message), shown);
    }

    void applicationTitleFromPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("installed program") << "/usr/bin/trasel" << "Trasel";
        QTest::newRow("the other platform's file") << "C:\\Prog\\MYPROG.EXE" << "Myprog";
        QTest::newRow("cut at the first dot") << "/opt/trasel.bin.old" << "Trasel";
        QTest::newRow("dot in a folder only") << "/home/a.b/TRASEL" << "Trasel";
        QTest::newRow("mixed separators") << "C:/x\\y/build\\trasel" << "Trasel";
        QTest::newRow("digit first") << "/tmp/2trasel" << "2trasel";
        QTest::newRow("nothing before the dot") << "/usr/bin/.hidden" << "";
    }
    void applicationTitleFromPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitleFromPath(path), title);
    }

    void titleOfThisProgram() { QCOMPARE(ApplicationTitle(), QStringLiteral("Ui_dialogs_tests")); }

    void plainMessageDialog_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("closed with Enter") << int(Qt::Key_Return);
        QTest::newRow("closed with Escape") << int(Qt::Key_Escape);
    }
    void plainMessageDialog()
    {
        QFETCH(int, key);
        SeenBox seen;
        CloseNextBoxWith(key, seen);
        ShowMessage(QStringLiteral("Se necesitan al menos dos observaciones"));
        QVERIFY(seen.seen);
        QCOMPARE(seen.caption, QStringLiteral("Ui_dialogs_tests"));
        QCOMPARE(seen.text, QStringLiteral("Se necesitan al menos dos observaciones"));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
    }

    void defaultExceptionDisplay()
    {
        SeenBox seen;
        CloseNextBoxWith(Qt::Key_Escape, seen);
        ShowException(EZeroDivide());
        QVERIFY(seen.seen);
        QCOMPARE(seen.caption, QStringLiteral("Ui_dialogs_tests"));
        QCOMPARE(seen.text, QStringLiteral("Floating point division by zero."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, 1);
    }

    // A core message is Latin-1: a quoted degree sign stays one.
    void exceptionMessageIsLatin1()
    {
        QString shown;
        DialogHooksForTesting().Exception = [&shown](const QString&, const QString& text) { shown = text; };
        ShowException(EConvertError("'22\xB0' is not a valid integer value"));
        QCOMPARE(shown, QStringLiteral("'22\u00b0' is not a valid integer value."));
    }

    void coreMessageDialogIsThePlainOne()
    {
        QString caption;
        QString shown;
        DialogHooksForTesting().Message = [&](const QString& c, const QString& text) {
            caption = c;
            shown = text;
        };
        PlainMessageDialog dialog;
        MessageDialog& asCoreSees = dialog;
        asCoreSees.ShowMessage(kTooFewObservationsMessage);
        QCOMPARE(shown, QStringLiteral("Se necesitan al menos dos observaciones"));
        QCOMPARE(caption, QStringLiteral("Ui_dialogs_tests"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
