// What the calculation reads from the input box and writes into the result box.
#include <QPlainTextEdit>
#include <QTest>

#include "ui/line_list.h"
#include "ui/memo_result_box.h"

using namespace trasel;

class TextBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void lineList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("one line, no break") << "abc" << QStringList{"abc"};
        QTest::newRow("final break is no entry") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("empty lines inside stay") << "a\n\nb" << QStringList{"a", "", "b"};
        QTest::newRow("CR LF line ends") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b"};
        QTest::newRow("one break only") << "\n" << QStringList{""};
        QTest::newRow("long line is one entry") << QString(120, u'x') + "\ny" << QStringList{QString(120, u'x'), "y"};
        QTest::newRow("Latin-1 kept, the rest as ?") << "\u00e9\u00b0\u20ac" << QStringList{"\u00e9\u00b0?"};
    }
    void lineList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        const LineList list = ReadLineList(text);
        QStringList read;
        for (std::string_view line : list.Lines) read << QString::fromLatin1(line.data(), qsizetype(line.size()));
        QCOMPARE(read, lines);
    }

    void resultBox_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QStringList>("appended");
        QTest::addColumn<QString>("after");
        QTest::newRow("cleared and filled") << "old\nlisting" << true << QStringList{"speed", "", "row \u00b0"} << "speed\n\nrow \u00b0";
        QTest::newRow("cleared only") << "old" << true << QStringList{} << "";
        QTest::newRow("untouched") << "old" << false << QStringList{} << "old";
        QTest::newRow("appended to what was there") << "old" << false << QStringList{"new"} << "old\nnew";
        QTest::newRow("empty lines only") << "old" << true << QStringList{"", ""} << "\n";
    }
    void resultBox()
    {
        QFETCH(QString, before);
        QFETCH(bool, clear);
        QFETCH(QStringList, appended);
        QFETCH(QString, after);
        QPlainTextEdit memo;
        memo.setPlainText(before);
        MemoResultBox box(memo);
        ResultBox& asCoreSees = box;
        if (clear) asCoreSees.Clear();
        for (const QString& line : appended) {
            const QByteArray bytes = line.toLatin1();
            asCoreSees.Append(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        }
        QCOMPARE(memo.toPlainText(), before);  // nothing shows before the flush
        box.Flush();
        QCOMPARE(memo.toPlainText(), after);
        QCOMPARE(memo.document()->blockCount(), qMax(1, int(after.count(u'\n')) + 1));
    }
};

QTEST_MAIN(TextBoxesTest)
#include "text_boxes_test.moc"
