// The editing rules of the masked fields, apart from the widget: which keys a
// template takes, where the caret goes, how text is fitted and read back.
#include <QTest>

#include "textconv/textconv.h"
#include "ui/edit_mask.h"

using namespace trasel;

namespace {

constexpr const char* kDate = "00/00/0000;1;_";
constexpr const char* kTime = "00:00:00;1;_";
constexpr const char* kStep = "00;1;_";
constexpr const char* kCount = "000;1;_";

std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }
QString FromStd(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

void PinSettings(char timeSeparator)
{
    Settings() = RegionalSettings{};
    FixProgramSettings();
    Settings().TimeSeparator = timeSeparator;
}

}  // namespace

class EditMaskTest : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<bool>("saveLiterals");
        QTest::addColumn<QString>("blank");
        QTest::newRow("date") << kDate << "00/00/0000" << true << "_";
        QTest::newRow("flag 0, other blank") << "000;0;*" << "000" << false << "*";
        QTest::newRow("template only") << "00" << "00" << true << "_";
    }
    void parse()
    {
        QFETCH(QString, mask);
        QFETCH(QString, templateText);
        QFETCH(bool, saveLiterals);
        QFETCH(QString, blank);
        const EditMask parsed = ParseEditMask(Latin1(mask));
        QCOMPARE(FromStd(parsed.Template), templateText);
        QCOMPARE(parsed.SaveLiterals, saveLiterals);
        QCOMPARE(QString(QChar::fromLatin1(parsed.Blank)), blank);
    }

    // Program assignments: fitted from the first position on.
    void fitText_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("timeSeparator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::newRow("time as stored") << kTime << ":" << "00:00:00" << "00:00:00";
        QTest::newRow("stored time under '.'") << kTime << "." << "00:00:00" << "00.00.00";
        QTest::newRow("today's date") << kDate << ":" << "13/11/2025" << "13/11/2025";
        QTest::newRow("empty date") << kDate << ":" << "" << "__/__/____";
        QTest::newRow("short count") << kCount << ":" << "48" << "48_";
        QTest::newRow("literal inserted, slash at a digit") << kDate << ":" << "1/2" << "1_/2_/____";
        QTest::newRow("too long") << kStep << ":" << "1234" << "12";
    }
    void fitText()
    {
        QFETCH(QString, mask);
        QFETCH(QString, timeSeparator);
        QFETCH(QString, text);
        QFETCH(QString, display);
        PinSettings(timeSeparator.toLatin1().at(0));
        QCOMPARE(FromStd(FitText(ParseEditMask(Latin1(mask)), Latin1(text))), display);
    }

    // One editing step from a display, caret and selection.
    void edit_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("timeSeparator");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("operation");  // "type:<c>", "delete", "backspace", "paste:<text>"
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("expectedDisplay");
        QTest::addColumn<int>("expectedCaret");

        QTest::newRow("digit overwrites, caret moves on") << kCount << ":" << "048" << 0 << 0 << 1 << "type:1" << true << "148" << 1;
        QTest::newRow("digit before a literal, caret skips it") << kDate << ":" << "13/11/2025" << 1 << 1 << 1 << "type:4" << true << "14/11/2025" << 3;
        QTest::newRow("last digit, caret at the end") << kStep << ":" << "01" << 1 << 1 << 1 << "type:7" << true << "07" << 2;
        QTest::newRow("digit at the end refused") << kStep << ":" << "07" << 2 << 2 << 0 << "type:1" << false << "07" << 2;
        QTest::newRow("letter refused") << kCount << ":" << "048" << 0 << 0 << 1 << "type:a" << false << "048" << 0;
        QTest::newRow("blank refused") << kCount << ":" << "048" << 0 << 0 << 1 << "type: " << false << "048" << 0;
        QTest::newRow("next literal's character moves past it") << kDate << ":" << "1_/__/____" << 1 << 1 << 1 << "type:/" << true << "1_/__/____" << 3;
        QTest::newRow("another literal's character refused") << kTime << ":" << "12:__:__" << 3 << 3 << 1 << "type:/" << false << "12:__:__" << 3;
        QTest::newRow("separator in force moves past it") << kTime << "." << "1_.__.__" << 1 << 1 << 1 << "type:." << true << "1_.__.__" << 3;
        QTest::newRow("template's ':' refused under '.'") << kTime << "." << "1_.__.__" << 1 << 1 << 1 << "type::" << false << "1_.__.__" << 1;
        QTest::newRow("no literal ahead") << kStep << ":" << "1_" << 1 << 1 << 1 << "type:/" << false << "1_" << 1;
        QTest::newRow("digit clears a selection first") << kCount << ":" << "048" << 0 << 0 << 3 << "type:5" << true << "5__" << 1;
        QTest::newRow("digit on a literal goes to the next digit") << kDate << ":" << "13/11/2025" << 2 << 2 << 1 << "type:5" << true << "13/51/2025" << 4;

        QTest::newRow("delete all") << kCount << ":" << "048" << 0 << 0 << 3 << "delete" << true << "___" << 0;
        QTest::newRow("delete keeps literals") << kDate << ":" << "13/11/2025" << 1 << 1 << 4 << "delete" << true << "1_/__/2025" << 1;
        QTest::newRow("delete the caret's position") << kCount << ":" << "048" << 1 << 1 << 1 << "delete" << true << "0_8" << 1;
        QTest::newRow("delete at the end") << kCount << ":" << "048" << 3 << 3 << 0 << "delete" << true << "048" << 3;

        QTest::newRow("backspace clears the position before") << kCount << ":" << "048" << 2 << 2 << 1 << "backspace" << true << "0_8" << 1;
        QTest::newRow("backspace over a literal") << kDate << ":" << "13/11/2025" << 3 << 3 << 1 << "backspace" << true << "1_/11/2025" << 1;
        QTest::newRow("backspace at the start") << kCount << ":" << "048" << 0 << 0 << 1 << "backspace" << true << "048" << 0;
        QTest::newRow("backspace clears a selection") << kCount << ":" << "048" << 0 << 0 << 2 << "backspace" << true << "__8" << 0;
        QTest::newRow("backspace at the end") << kCount << ":" << "048" << 3 << 3 << 0 << "backspace" << true << "04_" << 2;

        QTest::newRow("paste a whole date") << kDate << ":" << "13/11/2025" << 0 << 0 << 10 << "paste:01/02/2011" << true << "01/02/2011" << 10;
        QTest::newRow("paste inserts the literals") << kDate << ":" << "__/__/____" << 0 << 0 << 0 << "paste:010220" << true << "01/02/20__" << 8;
        QTest::newRow("paste short over a selection") << kCount << ":" << "048" << 0 << 0 << 3 << "paste:12" << true << "12_" << 2;
        QTest::newRow("paste from the caret") << kCount << ":" << "048" << 1 << 1 << 1 << "paste:9" << true << "098" << 2;
        QTest::newRow("paste: a letter becomes blank") << kCount << ":" << "048" << 0 << 0 << 3 << "paste:1a3" << true << "1_3" << 3;
        QTest::newRow("paste a time with ':' under '.'") << kTime << "." << "__.__.__" << 0 << 0 << 8 << "paste:12:30:00" << true << "12.30.00" << 8;
        QTest::newRow("paste stops at a line break") << kStep << ":" << "01" << 0 << 0 << 2 << "paste:1\n456" << true << "1_" << 1;
        QTest::newRow("paste stops at the last position") << kCount << ":" << "048" << 2 << 2 << 1 << "paste:12345" << true << "041" << 3;
    }
    void edit()
    {
        QFETCH(QString, mask);
        QFETCH(QString, timeSeparator);
        QFETCH(QString, display);
        QFETCH(int, caret);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, operation);
        QFETCH(bool, accepted);
        QFETCH(QString, expectedDisplay);
        QFETCH(int, expectedCaret);
        PinSettings(timeSeparator.toLatin1().at(0));

        const EditMask parsed = ParseEditMask(Latin1(mask));
        MaskedText field{Latin1(display), std::size_t(caret)};
        const MaskSelection selection{std::size_t(selectionStart), std::size_t(selectionLength)};
        bool result = true;
        if (operation.startsWith("type:")) {
            result = TypeCharacter(parsed, field, selection, operation.toLatin1().at(5));
        } else if (operation == "delete") {
            DeleteSelection(parsed, field, selection);
        } else if (operation == "backspace") {
            DeleteBackward(parsed, field, selection);
        } else if (operation.startsWith("paste:")) {
            PasteText(parsed, field, selection, Latin1(operation.mid(6)));
        } else {
            QFAIL("unknown operation");
        }
        QCOMPARE(result, accepted);
        QCOMPARE(FromStd(field.Display), expectedDisplay);
        QCOMPARE(int(field.Caret), expectedCaret);
    }

    void fieldText_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("timeSeparator");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("text");
        QTest::newRow("step with its second digit unfilled") << kStep << ":" << "7_" << "7 ";
        QTest::newRow("step with its first digit unfilled") << kStep << ":" << "_7" << " 7";
        QTest::newRow("gap in the count") << kCount << ":" << "0_8" << "0 8";
        QTest::newRow("count with its leading zero") << kCount << ":" << "048" << "048";
        QTest::newRow("empty date keeps its length") << kDate << ":" << "__/__/____" << "  /  /    ";
        QTest::newRow("full date") << kDate << ":" << "13/11/2025" << "13/11/2025";
        QTest::newRow("time under '.'") << kTime << "." << "12.30.00" << "12.30.00";
        QTest::newRow("separators in force when read") << kTime << ":" << "12.30.00" << "12:30:00";
        QTest::newRow("literals not saved") << "00/00;0;_" << ":" << "12/3_" << "123 ";
    }
    void fieldText()
    {
        QFETCH(QString, mask);
        QFETCH(QString, timeSeparator);
        QFETCH(QString, display);
        QFETCH(QString, text);
        PinSettings(timeSeparator.toLatin1().at(0));
        QCOMPARE(FromStd(FieldText(ParseEditMask(Latin1(mask)), Latin1(display))), text);
    }

    void firstUnfilledPosition_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("position");  // -1: complete
        QTest::newRow("7_") << kStep << "7_" << 1;
        QTest::newRow("07") << kStep << "07" << -1;
        QTest::newRow("gap in the month") << kDate << "13/_1/2025" << 3;
        QTest::newRow("cleared count") << kCount << "___" << 0;
    }
    void firstUnfilledPosition()
    {
        QFETCH(QString, mask);
        QFETCH(QString, display);
        QFETCH(int, position);
        PinSettings(':');
        const std::size_t found = FirstUnfilledPosition(ParseEditMask(Latin1(mask)), Latin1(display));
        QCOMPARE(found == std::string::npos ? -1 : int(found), position);
    }
};

QTEST_GUILESS_MAIN(EditMaskTest)
#include "edit_mask_test.moc"
