// Times a big paste into the input box and the press of the calculate
// button over it: 100,000 records (the fixture's five, repeated). Reports
// the times; only the listing's shape is checked.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

#include <memory>

#include "textconv/textconv.h"
#include "ui/dialogs.h"
#include "ui/unit1.h"

using namespace trasel;

class PasteBenchmark : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form_;
    QStringList errors_;

private slots:
    void initTestCase()
    {
        Settings() = RegionalSettings{};
        SetLocalClockForTesting([] { return 45974.0; });  // 13/11/2025
        DialogHooksForTesting().Exception = [this](const QString&, const QString& text) { errors_ << text; };
        DialogHooksForTesting().Message = [this](const QString&, const QString& text) { errors_ << text; };
        form_ = std::make_unique<TForm1>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanupTestCase()
    {
        form_.reset();
        DialogHooksForTesting() = {};
        SetLocalClockForTesting({});
    }

    void paste100000Records()
    {
        QFile file(QStringLiteral(TRASEL_UI_FIXTURES "/tracklet_23662.obs"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString five = QString::fromLatin1(file.readAll()).trimmed() + u'\n';
        const QString records = five.repeated(20000);
        QGuiApplication::clipboard()->setText(records);
        // The benchmark may run this function more than once.
        form_->Memo1->clear();
        form_->Memo1->setFocus();
        QBENCHMARK_ONCE {
            QTest::keySequence(form_->Memo1, QKeySequence::Paste);
        }
        QCOMPARE(form_->Memo1->document()->blockCount(), 100000 + 1);
    }

    void pressTheButton()
    {
        QBENCHMARK_ONCE {
            QTest::mouseClick(form_->Button2, Qt::LeftButton);
        }
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(u'|')));
        QCOMPARE(form_->Memo2->document()->blockCount(), 48 + 6);
    }
};

QTEST_MAIN(PasteBenchmark)
#include "paste_benchmark.moc"
