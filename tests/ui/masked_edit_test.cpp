// The masked field as the user meets it: keys typed, text pasted, the focus
// moved away with Tab or a click, Enter and Escape.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

#include "textconv/textconv.h"
#include "ui/application_title.h"
#include "ui/dialogs.h"
#include "ui/masked_edit.h"

using namespace trasel;

namespace {

const QString kShownRefusal = QStringLiteral("Invalid input value.  Use escape key to abandon changes.");

// A window with the field between two other controls.
struct Host {
    QWidget window;
    QLineEdit* before;
    MaskedEdit* field;
    QPushButton* button;

    Host(const char* mask, const char* text)
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        field = new MaskedEdit(mask, &window);
        button = new QPushButton(QStringLiteral("OK"), &window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(button);
        field->SetText(text);
        window.show();
        window.activateWindow();
    }

    // Into the field with Tab, which selects all of it.
    [[nodiscard]] bool TabIn()
    {
        if (!QTest::qWaitForWindowActive(&window)) return false;
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        return QApplication::focusWidget() == field && field->selectedText() == field->text();
    }
};

}  // namespace

class MaskedEditTest : public QObject {
    Q_OBJECT

    QStringList shown_;
    QStringList captions_;
    int beeps_ = 0;

private slots:
    void init()
    {
        Settings() = RegionalSettings{};
        FixProgramSettings();
        shown_.clear();
        captions_.clear();
        beeps_ = 0;
        DialogHooksForTesting().Exception = [this](const QString& caption, const QString& text) {
            captions_ << caption;
            shown_ << text;
        };
        DialogHooksForTesting().Message = [](const QString&, const QString&) { QFAIL("no plain message expected"); };
        DialogHooksForTesting().Beep = [this] { ++beeps_; };
    }
    void cleanup() { DialogHooksForTesting() = {}; }

    void typedCharacterNotAllowedBeeps_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("letter in the count") << "000;1;_" << "048" << "a";
        QTest::newRow("letter in the date") << "00/00/0000;1;_" << "13/11/2025" << "x";
        QTest::newRow("minus in the step") << "00;1;_" << "01" << "-";
        QTest::newRow("blank in the time") << "00:00:00;1;_" << "00:00:00" << " ";
        QTest::newRow("accented letter") << "000;1;_" << "048" << "\u00e9";
    }
    void typedCharacterNotAllowedBeeps()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(QString, key);
        Host host(mask.toLatin1().constData(), text.toLatin1().constData());
        QVERIFY(host.TabIn());
        // Sent as a key with its text: keyClicks knows no keys beyond ASCII.
        QTest::sendKeyEvent(QTest::Click, host.field, Qt::Key(key.front().toUpper().unicode()), key, Qt::NoModifier);
        QCOMPARE(beeps_, 1);
        QCOMPARE(host.field->text(), text);
        QVERIFY(!host.field->IsModified());
        QTest::keyClick(host.field, Qt::Key_Tab);  // and nothing to check on leaving
        QVERIFY(shown_.isEmpty());
    }

    void typedDigitsFillTheTemplate_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("read");
        QTest::addColumn<int>("beeps");
        QTest::newRow("count, two digits") << "000;1;_" << "048" << "12" << "12_" << "12 " << 0;
        QTest::newRow("count, three digits") << "000;1;_" << "048" << "125" << "125" << "125" << 0;
        QTest::newRow("date") << "00/00/0000;1;_" << "00/00/0000" << "13112025" << "13/11/2025" << "13/11/2025" << 0;
        QTest::newRow("date, slash skips ahead") << "00/00/0000;1;_" << "00/00/0000" << "1/2" << "1_/2_/____" << "1 /2 /    " << 0;
        QTest::newRow("time") << "00:00:00;1;_" << "00:00:00" << "123" << "12:3_:__" << "12:3 :  " << 0;
        QTest::newRow("step, one more than fits") << "00;1;_" << "01" << "123" << "12" << "12" << 1;
    }
    void typedDigitsFillTheTemplate()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, read);
        QFETCH(int, beeps);
        Host host(mask.toLatin1().constData(), text.toLatin1().constData());
        QVERIFY(host.TabIn());
        QTest::keyClicks(host.field, keys);
        QCOMPARE(host.field->text(), shown);
        QCOMPARE(QString::fromStdString(host.field->Text()), read);
        QCOMPARE(beeps_, beeps);
        QVERIFY(host.field->IsModified());
    }

    void deleteAndBackspace()
    {
        Host host("000;1;_", "048");
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_End);
        QTest::keyClick(host.field, Qt::Key_Backspace);
        QCOMPARE(host.field->text(), QStringLiteral("04_"));
        QCOMPARE(host.field->cursorPosition(), 2);
        QTest::keyClick(host.field, Qt::Key_Home);
        QTest::keyClick(host.field, Qt::Key_Delete);
        QCOMPARE(host.field->text(), QStringLiteral("_4_"));
        QTest::keyClick(host.field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(host.field, Qt::Key_Delete);
        QCOMPARE(host.field->text(), QStringLiteral("___"));
        QCOMPARE(QString::fromStdString(host.field->Text()), QStringLiteral("   "));
    }

    void pasteIsFittedIntoTheTemplate_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("date without its slashes") << "00/00/0000;1;_" << "13/11/2025" << "010220" << "01/02/20__";
        QTest::newRow("whole date") << "00/00/0000;1;_" << "13/11/2025" << "01/02/2011" << "01/02/2011";
        QTest::newRow("letter becomes blank") << "000;1;_" << "048" << "1a3" << "1_3";
        QTest::newRow("only the first line") << "00:00:00;1;_" << "00:00:00" << "12:30:45\n99" << "12:30:45";
    }
    void pasteIsFittedIntoTheTemplate()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        Host host(mask.toLatin1().constData(), text.toLatin1().constData());
        QGuiApplication::clipboard()->setText(clipboard);
        QVERIFY(host.TabIn());
        QTest::keySequence(host.field, QKeySequence::Paste);
        QCOMPARE(host.field->text(), shown);
        QVERIFY(host.field->IsModified());
    }

    // The sound choice: an incomplete value pasted in cannot leave unchecked.
    void pastedIncompleteValueIsChecked()
    {
        Host host("000;1;_", "048");
        QGuiApplication::clipboard()->setText(QStringLiteral("12"));
        QVERIFY(host.TabIn());
        QTest::keySequence(host.field, QKeySequence::Paste);
        QTest::keyClick(host.field, Qt::Key_Tab);
        QCOMPARE(shown_, QStringList{kShownRefusal});
        QCOMPARE(QApplication::focusWidget(), host.field);
        QCOMPARE(host.field->cursorPosition(), 2);
    }

    void leavingIncompleteIsRefused_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("caret");
        QTest::newRow("step 7_") << "00;1;_" << "01" << "7" << 1;
        QTest::newRow("date with the month unfilled") << "00/00/0000;1;_" << "00/00/0000" << "13/" << 3;
        QTest::newRow("time with the seconds unfilled") << "00:00:00;1;_" << "00:00:00" << "1230" << 6;
    }
    void leavingIncompleteIsRefused()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(int, caret);
        Host host(mask.toLatin1().constData(), text.toLatin1().constData());
        QVERIFY(host.TabIn());
        QTest::keyClicks(host.field, keys);
        QTest::keyClick(host.field, Qt::Key_Tab);
        QCOMPARE(shown_, QStringList{kShownRefusal});
        QCOMPARE(captions_, QStringList{ApplicationTitle()});
        QCOMPARE(beeps_, 1);
        QCOMPARE(QApplication::focusWidget(), host.field);
        QCOMPARE(host.field->cursorPosition(), caret);
        QCOMPARE(host.field->selectionStart(), caret);
    }

    void escapeBringsBackTheTextAtFocusIn()
    {
        Host host("000;1;_", "048");
        QVERIFY(host.TabIn());
        QTest::keyClicks(host.field, "1");
        QTest::keyClick(host.field, Qt::Key_Tab);   // refused at "1__"
        QTest::keyClicks(host.field, "2");
        QCOMPARE(host.field->text(), QStringLiteral("12_"));
        QTest::keyClick(host.field, Qt::Key_Tab);   // refused at "12_"
        QCOMPARE(shown_.size(), 2);
        QTest::keyClick(host.field, Qt::Key_Escape);
        QCOMPARE(host.field->text(), QStringLiteral("048"));
        QVERIFY(!host.field->IsModified());
        QTest::keyClick(host.field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), host.button);
        QCOMPARE(shown_.size(), 2);
    }

    void completeValueLeaves()
    {
        Host host("00;1;_", "01");
        QVERIFY(host.TabIn());
        QTest::keyClicks(host.field, "07");
        QTest::keyClick(host.field, Qt::Key_Tab);
        QVERIFY(shown_.isEmpty());
        QCOMPARE(QApplication::focusWidget(), host.button);
        QCOMPARE(host.field->text(), QStringLiteral("07"));
    }

    void untouchedFieldIsNeverChecked()
    {
        Host host("000;1;_", "7");  // the program's text: "7__"
        QCOMPARE(host.field->text(), QStringLiteral("7__"));
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_Tab);
        QTest::keyClick(host.button, Qt::Key_Backtab);
        QTest::keyClick(host.field, Qt::Key_Return);
        QTest::keyClick(host.field, Qt::Key_Backtab);
        QVERIFY(shown_.isEmpty());
        QCOMPARE(beeps_, 0);
        QCOMPARE(QApplication::focusWidget(), host.before);
    }

    void programTextClearsTheChange()
    {
        Host host("000;1;_", "048");
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_Delete);
        host.field->SetText("5");
        QTest::keyClick(host.field, Qt::Key_Tab);
        QVERIFY(shown_.isEmpty());
        QCOMPARE(QApplication::focusWidget(), host.button);
    }

    void enterChecksAChangedField()
    {
        Host host("000;1;_", "048");
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_Delete);
        QTest::keyClick(host.field, Qt::Key_Return);
        QCOMPARE(shown_, QStringList{kShownRefusal});
        QCOMPARE(host.field->cursorPosition(), 0);
        QTest::keyClicks(host.field, "123");
        QTest::keyClick(host.field, Qt::Key_Enter);
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(QApplication::focusWidget(), host.field);
    }

    // With the real modal box, its taking and giving back the activation is
    // no leaving: one box, and the focus back in the field.
    void refusalWithTheRealBox()
    {
        DialogHooksForTesting().Exception = nullptr;
        Host host("000;1;_", "048");
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_Delete);
        QStringList boxes;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&boxes] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        closer.start(10);
        QTest::keyClick(host.field, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(boxes, QStringList{kShownRefusal});
        // The offscreen platform gives no activation back when the box closes.
        QCOMPARE(host.window.focusWidget(), host.field);
        QCOMPARE(host.field->cursorPosition(), 0);
        QCOMPARE(host.field->text(), QStringLiteral("___"));
    }

    // The click that would take the focus away is dropped with the refusal.
    void clickElsewhereWhileIncompleteDoesNotAct()
    {
        Host host("000;1;_", "048");
        QSignalSpy clicks(host.button, &QPushButton::clicked);
        QVERIFY(host.TabIn());
        QTest::keyClick(host.field, Qt::Key_Delete);
        QTest::mouseClick(host.button, Qt::LeftButton);
        QCOMPARE(shown_, QStringList{kShownRefusal});
        QCOMPARE(QApplication::focusWidget(), host.field);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!host.button->isDown());
        // Once the field is complete, the button clicks again.
        QTest::keyClicks(host.field, "321");
        QCoreApplication::processEvents();
        QTest::mouseClick(host.button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(shown_.size(), 1);
    }
};

QTEST_MAIN(MaskedEditTest)
#include "masked_edit_test.moc"
