// The main window as the observer uses it: its initial state and layout,
// typing and tabbing through the fields, pasting records and pressing the
// calculate button, the messages, the link.
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>
#include <vector>

#include "ephemeris/ephemeris.h"
#include "textconv/textconv.h"
#include "ui/application_icon.h"
#include "ui/application_title.h"
#include "ui/dialogs.h"
#include "ui/unit1.h"
#include "ui/web_link.h"

using namespace trasel;

namespace {

// 13/11/2025 10:20:30.500: 45974 days after 30/12/1899.
constexpr DateTimeValue kPinnedNow = 45974.0 + (10 * 3600 + 20 * 60 + 30.5) / 86400.0;

const QString kShownRefusal = QStringLiteral("Invalid input value.  Use escape key to abandon changes.");
const QString kPreviousListing = QStringLiteral("previous listing\nsecond line");

// Five observations of (23662), 2025 Nov 13 (fixtures/SOURCES.md).
QString FixtureRecords()
{
    QFile file(QStringLiteral(TRASEL_UI_FIXTURES "/tracklet_23662.obs"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll());
}

struct RecordingBox : ResultBox {
    std::vector<std::string> Lines;
    void Clear() override { Lines.clear(); }
    void Append(std::string_view line) override { Lines.emplace_back(line); }
};

struct RecordingDialog : MessageDialog {
    std::vector<std::string> Shown;
    void ShowMessage(std::string_view text) override { Shown.emplace_back(text); }
};

// The calculation run directly on the text's lines, as the button should run it.
QStringList DirectListing(const QString& text, const RunSettings& settings)
{
    std::vector<std::string> owned;
    for (const QByteArray& line : text.toLatin1().split('\n')) owned.emplace_back(line.toStdString());
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    RecordingBox box;
    RecordingDialog dialog;
    CalculateEphemeris(views, settings, box, dialog);
    QStringList listing;
    for (const std::string& line : box.Lines) listing << QString::fromLatin1(line.data(), qsizetype(line.size()));
    return listing;
}

QString RowTime(int hoursAfterStart)
{
    const QDateTime start(QDate(2025, 11, 13), QTime(0, 0), Qt::UTC);
    return start.addSecs(3600 * hoursAfterStart).toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

QStringList Lines(const QPlainTextEdit* memo) { return memo->toPlainText().split(u'\n'); }

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> form_;
    QStringList messages_;
    QStringList errors_;
    QStringList captions_;
    QList<QUrl> opened_;

    bool ShowForm()
    {
        form_ = std::make_unique<TForm1>();
        form_->show();
        form_->activateWindow();  // no window manager does it under Xvfb
        return QTest::qWaitForWindowActive(form_.get());
    }

    void Paste(QWidget* target, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        target->setFocus();
        QTest::keySequence(target, QKeySequence::Paste);
    }

    // Into a masked field as a user does: Tab selects it all, then type.
    void TypeInto(MaskedEdit* field, const QString& keys)
    {
        QWidget* previous = field->previousInFocusChain();
        while (!(previous->focusPolicy() & Qt::TabFocus)) previous = previous->previousInFocusChain();
        previous->setFocus();
        QTest::keyClick(previous, Qt::Key_Tab);
        QTest::keyClicks(field, keys);
    }

private slots:
    void init()
    {
        Settings() = RegionalSettings{};
        SetLocalClockForTesting([] { return kPinnedNow; });
        messages_.clear();
        errors_.clear();
        captions_.clear();
        opened_.clear();
        DialogHooksForTesting().Message = [this](const QString& caption, const QString& text) {
            captions_ << caption;
            messages_ << text;
        };
        DialogHooksForTesting().Exception = [this](const QString& caption, const QString& text) {
            captions_ << caption;
            errors_ << text;
        };
        DialogHooksForTesting().Beep = [] {};
        WebOpenerForTesting() = [this](const QUrl& url) { opened_ << url; };
    }
    void cleanup()
    {
        form_.reset();
        QCOMPARE(Form1, nullptr);
        DialogHooksForTesting() = {};
        WebOpenerForTesting() = {};
        SetLocalClockForTesting({});
    }

    void initialState()
    {
        QVERIFY(ShowForm());
        QCOMPARE(Form1, form_.get());
        QCOMPARE(form_->windowTitle(), QStringLiteral("Trasel (09/01/2011-b)"));
        QCOMPARE(form_->meFecha->text(), QStringLiteral("13/11/2025"));
        QCOMPARE(form_->meHora->text(), QStringLiteral("00:00:00"));
        QCOMPARE(form_->meInc->text(), QStringLiteral("01"));
        QCOMPARE(form_->meCant->text(), QStringLiteral("048"));
        QVERIFY(form_->rbHoras->isChecked());
        QVERIFY(!form_->rbDias->isChecked());
        QVERIFY(!form_->rbMin->isChecked());
        QVERIFY(form_->Memo1->toPlainText().isEmpty());
        QVERIFY(form_->Memo2->toPlainText().isEmpty());
        QCOMPARE(form_->Button2->text(), QStringLiteral("C\u00e1lculo efem\u00e9rides"));
        QVERIFY(!form_->Button2->isDefault());
        QCOMPARE(QApplication::focusWidget(), form_->Memo1);
        QVERIFY(!form_->Memo1->isReadOnly());
        QVERIFY(!form_->Memo2->isReadOnly());
        QCOMPARE(form_->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(form_->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(errors_.isEmpty());
        QVERIFY(messages_.isEmpty());
    }

    void fixedSizeWithoutMaximize()
    {
        QVERIFY(ShowForm());
        QCOMPARE(form_->size(), QSize(636, 462));
        QCOMPARE(form_->minimumSize(), QSize(636, 462));
        QCOMPARE(form_->maximumSize(), QSize(636, 462));
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form_->windowFlags() & Qt::WindowCloseButtonHint);
    }

    void centredOnFirstShow()
    {
        QVERIFY(ShowForm());
        const QPoint offset = form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1, qPrintable(QString("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void controlGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Memo1") << "Memo1" << QRect(16, 41, 597, 160);
        QTest::newRow("Button2") << "Button2" << QRect(16, 232, 130, 25);
        QTest::newRow("Memo2") << "Memo2" << QRect(16, 267, 597, 160);
        QTest::newRow("meFecha") << "meFecha" << QRect(188, 234, 73, 21);
        QTest::newRow("meHora") << "meHora" << QRect(268, 234, 51, 21);
        QTest::newRow("meInc") << "meInc" << QRect(379, 234, 20, 21);
        QTest::newRow("rbDias") << "rbDias" << QRect(411, 236, 33, 17);
        QTest::newRow("rbHoras") << "rbHoras" << QRect(447, 236, 33, 17);
        QTest::newRow("rbMin") << "rbMin" << QRect(487, 236, 37, 17);
        QTest::newRow("meCant") << "meCant" << QRect(585, 234, 28, 21);
    }
    void controlGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QVERIFY(ShowForm());
        auto* control = form_->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    // Labels keep their place and size themselves to their caption.
    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label2") << "Label2" << QPoint(19, 9) << "Medidas:";
        QTest::newRow("Label1") << "Label1" << QPoint(19, 26)
                                << "NNNNNPPPPPPPANNYYYY MM DD.ddddd HH MM SS.dd sDD MM SS.d          MM.M B      OOO";
        QTest::newRow("Label3") << "Label3" << QPoint(188, 215) << "Inicio";
        QTest::newRow("Label4") << "Label4" << QPoint(379, 215) << "Intervalo";
        QTest::newRow("Label5") << "Label5" << QPoint(571, 215) << "Cantidad";
        QTest::newRow("Label6") << "Label6" << QPoint(16, 440) << "https://trasel.example.org/";
    }
    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, position);
        QFETCH(QString, caption);
        QVERIFY(ShowForm());
        auto* label = form_->findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->pos(), position);
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->size(), label->sizeHint());
        QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(caption));
    }

    // The ruler's character k stands over the input column k, and a record's
    // 80 columns make one row of the input box.
    void rulerAlignedWithInputColumns()
    {
        QVERIFY(ShowForm());
        const QFont ruler = form_->Label1->font();
        QCOMPARE(QFontInfo(ruler).family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(QFontInfo(ruler).pixelSize(), 11);
        QVERIFY(QFontInfo(ruler).fixedPitch());
        QCOMPARE(form_->Memo1->font(), ruler);
        QCOMPARE(form_->Memo2->font(), ruler);
        const QFontMetricsF metrics(ruler);
        QCOMPARE(metrics.horizontalAdvance(form_->Label1->text()), 560.0);

        const QString record = FixtureRecords().section(u'\n', 0, 0);
        QCOMPARE(record.size(), 80);
        form_->Memo1->setPlainText(record);
        QCOMPARE(form_->Memo1->document()->firstBlock().layout()->lineCount(), 1);

        const int rulerLeft = form_->Label1->mapTo(form_.get(), form_->Label1->contentsRect().topLeft()).x();
        for (int column : {0, 1, 40, 79, 80}) {
            QTextCursor cursor(form_->Memo1->document());
            cursor.setPosition(column);
            const QRect at = form_->Memo1->cursorRect(cursor);
            const int memoX = form_->Memo1->viewport()->mapTo(form_.get(), at.topLeft()).x();
            const qreal rulerX = rulerLeft + metrics.horizontalAdvance(form_->Label1->text().left(column));
            QCOMPARE(qreal(memoX), rulerX);
        }
    }

    void tabOrder()
    {
        QVERIFY(ShowForm());
        const QList<QWidget*> expected{form_->Button2, form_->Memo2, form_->meFecha, form_->meHora, form_->meInc,
                                       form_->rbHoras, form_->meCant, form_->Memo1};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QVERIFY(errors_.isEmpty());  // untouched fields are never checked
    }

    void stepUnitsAreOneGroup()
    {
        QVERIFY(ShowForm());
        QTest::mouseClick(form_->rbMin, Qt::LeftButton);
        QVERIFY(form_->rbMin->isChecked());
        QVERIFY(!form_->rbHoras->isChecked());
        QVERIFY(!form_->rbDias->isChecked());
        // Only the checked one is a tab stop; the arrows move the check.
        form_->meInc->setFocus();
        QTest::keyClick(form_->meInc, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form_->rbMin);
        QTest::keyClick(form_->rbMin, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), form_->rbHoras);
        QVERIFY(form_->rbHoras->isChecked());
        QVERIFY(!form_->rbMin->isChecked());
    }

    void regionalSettingsFixedAtCreation_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("shortDate");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("shownTime");
        QTest::newRow("German-like") << "," << "." << "dd.MM.yyyy" << ":" << "00:00:00";
        QTest::newRow("month first") << "." << "/" << "M/d/yyyy" << ":" << "00:00:00";
        QTest::newRow("dot between the time parts") << "," << "-" << "d-m-yyyy" << "." << "00.00.00";
    }
    void regionalSettingsFixedAtCreation()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, date);
        QFETCH(QString, shortDate);
        QFETCH(QString, time);
        QFETCH(QString, shownTime);
        Settings().DecimalSeparator = decimal.toLatin1().at(0);
        Settings().DateSeparator = date.toLatin1().at(0);
        Settings().ShortDateFormat = shortDate.toStdString();
        Settings().TimeSeparator = time.toLatin1().at(0);
        QVERIFY(ShowForm());
        QCOMPARE(Settings().DecimalSeparator, '.');
        QCOMPARE(Settings().DateSeparator, '/');
        QCOMPARE(Settings().ShortDateFormat, std::string("dd/mm/yyyy"));
        QCOMPARE(Settings().TimeSeparator, time.toLatin1().at(0));
        QCOMPARE(form_->meFecha->text(), QStringLiteral("13/11/2025"));
        QCOMPARE(form_->meHora->text(), shownTime);
    }

    // Pasted records and a press of the button, everything else as it opens.
    void listingWithTheInitialSettings()
    {
        QVERIFY(ShowForm());
        const QString records = FixtureRecords();
        QVERIFY(!records.isEmpty());
        Paste(form_->Memo1, records);
        QCOMPARE(form_->Memo1->toPlainText(), records);
        form_->Memo2->setPlainText(kPreviousListing);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(u'|')));
        QVERIFY(messages_.isEmpty());

        const QStringList listing = Lines(form_->Memo2);
        QCOMPARE(listing.size(), 48 + 6);
        QCOMPARE(listing[0], QStringLiteral("Velocidad aparente: 0.67 \"/min"));
        QCOMPARE(listing[1], QString());
        for (int k = 0; k <= 48; ++k) {
            const QString row = listing[2 + k];
            QVERIFY2(row.startsWith(QStringLiteral("23662  ") + RowTime(k) + QStringLiteral("  ")), qPrintable(row));
            QCOMPARE(row.size(), 5 + 44);
        }
        QCOMPARE(listing[51], QString());
        QCOMPARE(listing[52], QStringLiteral("Trasel (09/01/2011-b)"));
        QCOMPARE(listing[53], QStringLiteral("https://trasel.example.org/"));

        RunSettings settings;
        settings.StartDate = "13/11/2025";
        settings.StartTime = "00:00:00";
        settings.Step = "01";
        settings.Count = "048";
        settings.Unit = StepUnit::Hours;
        QCOMPARE(listing, DirectListing(records, settings));
    }

    void timeSeparatorOfTheLocaleInTheListing()
    {
        Settings().TimeSeparator = '.';
        QVERIFY(ShowForm());
        Paste(form_->Memo1, FixtureRecords());
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(u'|')));
        const QStringList listing = Lines(form_->Memo2);
        QCOMPARE(listing.size(), 54);
        QVERIFY2(listing[3].startsWith(QStringLiteral("23662  13/11/2025 01.00.00  ")), qPrintable(listing[3]));
    }

    // A record with a remark after column 80 wraps on screen but stays one
    // entry, so it is read like the others rather than dropped in pieces.
    void recordWithARemarkIsOneEntry()
    {
        QVERIFY(ShowForm());
        QStringList records = FixtureRecords().split(u'\n');
        records[2] += QStringLiteral("   remark: measured twice, the second time through thin cloud");
        const QString text = records.join(u'\n');
        Paste(form_->Memo1, text);
        QVERIFY(form_->Memo1->document()->findBlockByNumber(2).layout()->lineCount() >= 2);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QVERIFY(errors_.isEmpty());
        RunSettings settings;
        settings.StartDate = "13/11/2025";
        settings.StartTime = "00:00:00";
        settings.Step = "01";
        settings.Count = "048";
        QCOMPARE(Lines(form_->Memo2), DirectListing(text, settings));
        QCOMPARE(Lines(form_->Memo2).at(0), QStringLiteral("Velocidad aparente: 0.67 \"/min"));
    }

    void fewerThanTwoObservations_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << QString();
        QTest::newRow("one record among short lines") << QStringLiteral("heading\n\n") + FixtureRecords().section(u'\n', 0, 0) + "\n\n";
    }
    void fewerThanTwoObservations()
    {
        QFETCH(QString, input);
        QVERIFY(ShowForm());
        form_->Memo1->setPlainText(input);
        form_->Memo2->setPlainText(kPreviousListing);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(messages_, QStringList{QStringLiteral("Se necesitan al menos dos observaciones")});
        QCOMPARE(captions_, QStringList{ApplicationTitle()});
        QCOMPARE(ApplicationTitle(), QStringLiteral("Ui_window_tests"));
        QVERIFY(errors_.isEmpty());
        QCOMPARE(form_->Memo2->toPlainText(), kPreviousListing);
    }

    // A date the conversion refuses ends the run before the result box is touched.
    void refusedStartDateIsShownWithItsFullStop()
    {
        QVERIFY(ShowForm());
        Paste(form_->Memo1, FixtureRecords());
        form_->Memo2->setPlainText(kPreviousListing);
        TypeInto(form_->meFecha, QStringLiteral("31022011"));
        QCOMPARE(form_->meFecha->text(), QStringLiteral("31/02/2011"));
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(errors_, QStringList{QStringLiteral("'31/02/2011' is not a valid date.")});
        QCOMPARE(captions_, QStringList{ApplicationTitle()});
        QCOMPARE(form_->Memo2->toPlainText(), kPreviousListing);
        // The window stays usable: a good date lists again.
        TypeInto(form_->meFecha, QStringLiteral("13112025"));
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(Lines(form_->Memo2).size(), 54);
    }

    // Rows past 31/12/9999 cannot be written: the rows before stay in view.
    void errorInARowKeepsTheRowsBefore()
    {
        QVERIFY(ShowForm());
        Paste(form_->Memo1, FixtureRecords());
        form_->Memo2->setPlainText(kPreviousListing);
        TypeInto(form_->meFecha, QStringLiteral("31129999"));
        QTest::mouseClick(form_->rbDias, Qt::LeftButton);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        const QStringList listing = Lines(form_->Memo2);
        QCOMPARE(listing.size(), 3);
        QVERIFY(listing[0].startsWith(QStringLiteral("Velocidad aparente: ")));
        QCOMPARE(listing[1], QString());
        QVERIFY2(listing[2].startsWith(QStringLiteral("23662  31/12/9999 00:00:00  ")), qPrintable(listing[2]));
    }

    void clearedCountCannotBeLeft()
    {
        QVERIFY(ShowForm());
        form_->Memo1->setPlainText(FixtureRecords());
        form_->Memo2->setPlainText(kPreviousListing);
        TypeInto(form_->meCant, QString());
        QTest::keyClick(form_->meCant, Qt::Key_Delete);
        QCOMPARE(form_->meCant->text(), QStringLiteral("___"));
        QTest::keyClick(form_->meCant, Qt::Key_Tab);
        QCOMPARE(errors_, QStringList{kShownRefusal});
        QCOMPARE(QApplication::focusWidget(), form_->meCant);
        QCOMPARE(form_->meCant->cursorPosition(), 0);
        // Clicks elsewhere are refused too, and the button does not calculate.
        QTest::mouseClick(form_->Memo1->viewport(), Qt::LeftButton);
        QCOMPARE(errors_.size(), 2);
        QCOMPARE(QApplication::focusWidget(), form_->meCant);
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(errors_.size(), 3);
        QCOMPARE(QApplication::focusWidget(), form_->meCant);
        QCOMPARE(form_->Memo2->toPlainText(), kPreviousListing);
        QVERIFY(messages_.isEmpty());
        QTest::keyClick(form_->meCant, Qt::Key_Escape);
        QCOMPARE(form_->meCant->text(), QStringLiteral("048"));
        QTest::keyClick(form_->meCant, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form_->Memo1);
        QCOMPARE(errors_.size(), 3);
    }

    void stepMustHaveBothDigits()
    {
        QVERIFY(ShowForm());
        TypeInto(form_->meInc, QStringLiteral("7"));
        QCOMPARE(form_->meInc->text(), QStringLiteral("7_"));
        QTest::keyClick(form_->meInc, Qt::Key_Tab);
        QCOMPARE(errors_, QStringList{kShownRefusal});
        QCOMPARE(QApplication::focusWidget(), form_->meInc);
        QCOMPARE(form_->meInc->cursorPosition(), 1);
        QTest::keyClick(form_->meInc, Qt::Key_Home);
        QTest::keyClicks(form_->meInc, QStringLiteral("07"));
        QCOMPARE(form_->meInc->text(), QStringLiteral("07"));
        QTest::keyClick(form_->meInc, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form_->rbHoras);
        QCOMPARE(errors_.size(), 1);
    }

    void linkOpensTheWebAddress()
    {
        QVERIFY(ShowForm());
        const QString before = form_->Label6->text();
        QCOMPARE(form_->Label6->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(form_->Label6->font().underline());
        QCOMPARE(form_->Label6->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(form_->Label6, Qt::LeftButton);
        QCOMPARE(opened_, QList<QUrl>{QUrl(QStringLiteral("https://trasel.example.org/"))});
        QCOMPARE(form_->Label6->text(), before);
        QVERIFY(errors_.isEmpty());
    }

    void iconIsShipped()
    {
        const QIcon icon = ApplicationIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(32, 32).size(), QSize(32, 32));
        QVERIFY(icon.availableSizes().contains(QSize(128, 128)));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
