#include "ui/unit1.h"

#include <QEvent>
#include <QFont>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QTextDocument>

#include <exception>

#include "ephemeris/ephemeris.h"
#include "textconv/textconv.h"
#include "ui/dialogs.h"
#include "ui/line_list.h"
#include "ui/memo_result_box.h"
#include "ui/web_link.h"

namespace trasel {

TForm1* Form1 = nullptr;

namespace {

constexpr int kClientWidth = 636;
constexpr int kClientHeight = 462;
// The ruler stands this far right of the input box's left edge, so that its
// first character is above the box's first text column.
constexpr int kRulerIndent = 19 - 16;

const char* const kRuler =
    "NNNNNPPPPPPPANNYYYY MM DD.ddddd HH MM SS.dd sDD MM SS.d          MM.M B      OOO";

QString FromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Liberation Mono is metric-compatible with Courier New; full hinting rounds
// its advance to 7 pixels at 11, as on the original screen (80 columns, 560 pixels).
QFont RecordFont()
{
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont WindowFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->move(left, top);
    label->adjustSize();  // labels size themselves to their caption
    return label;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const QFont& font, int left, int top)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setGeometry(left, top, 597, 160);
    memo->setFont(font);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    memo->document()->setDocumentMargin(std::max(0, kRulerIndent - memo->frameWidth()));
    return memo;
}

MaskedEdit* MakeField(QWidget* parent, std::string_view mask, std::string_view text, QRect geometry)
{
    auto* field = new MaskedEdit(mask, parent);
    field->setGeometry(geometry);
    field->SetText(text);
    return field;
}

// Of a group of radio buttons only the checked one is reached by Tab; the
// arrow keys move between them.
void KeepCheckedAsTabStop(std::initializer_list<QRadioButton*> group)
{
    for (QRadioButton* button : group) {
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(FromLatin1(kProgramCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(WindowFont());
    const QFont recordFont = RecordFont();

    Label2 = MakeLabel(this, QStringLiteral("Medidas:"), 19, 9);
    Label1 = MakeLabel(this, QString::fromLatin1(kRuler), 19, 26);
    Label1->setFont(recordFont);
    Label1->adjustSize();
    Memo1 = MakeMemo(this, recordFont, 16, 41);

    Button2 = new QPushButton(QStringLiteral("Cálculo efemérides"), this);
    Button2->setGeometry(16, 232, 130, 25);
    Button2->setAutoDefault(false);
    Button2->setDefault(false);

    Memo2 = MakeMemo(this, recordFont, 16, 267);

    Label3 = MakeLabel(this, QStringLiteral("Inicio"), 188, 215);
    meFecha = MakeField(this, "00/00/0000;1;_", "00/00/0000", {188, 234, 73, 21});
    meHora = MakeField(this, "00:00:00;1;_", "00:00:00", {268, 234, 51, 21});
    Label4 = MakeLabel(this, QStringLiteral("Intervalo"), 379, 215);
    meInc = MakeField(this, "00;1;_", "01", {379, 234, 20, 21});

    rbDias = new QRadioButton(QStringLiteral("D"), this);
    rbDias->setGeometry(411, 236, 33, 17);
    rbHoras = new QRadioButton(QStringLiteral("H"), this);
    rbHoras->setGeometry(447, 236, 33, 17);
    rbMin = new QRadioButton(QStringLiteral("M"), this);
    rbMin->setGeometry(487, 236, 37, 17);
    rbHoras->setChecked(true);
    KeepCheckedAsTabStop({rbDias, rbHoras, rbMin});

    Label5 = MakeLabel(this, QStringLiteral("Cantidad"), 571, 215);
    meCant = MakeField(this, "000;1;_", "048", {585, 234, 28, 21});

    Label6 = new QLabel(FromLatin1(kProjectWebAddress), this);
    QFont linkFont = font();
    linkFont.setPixelSize(11);
    linkFont.setUnderline(true);
    Label6->setFont(linkFont);
    QPalette linkPalette = Label6->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    Label6->setPalette(linkPalette);
    Label6->move(16, 440);
    Label6->adjustSize();

    const std::pair<QWidget*, const char*> names[] = {
        {Memo1, "Memo1"},   {Button2, "Button2"}, {Memo2, "Memo2"},   {meFecha, "meFecha"},
        {meHora, "meHora"}, {meInc, "meInc"},     {rbDias, "rbDias"}, {rbHoras, "rbHoras"},
        {rbMin, "rbMin"},   {meCant, "meCant"},   {Label1, "Label1"}, {Label2, "Label2"},
        {Label3, "Label3"}, {Label4, "Label4"},   {Label5, "Label5"}, {Label6, "Label6"}};
    for (const auto& [widget, name] : names) widget->setObjectName(QString::fromLatin1(name));

    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    for (QRadioButton* button : {rbDias, rbHoras, rbMin}) {
        connect(button, &QRadioButton::toggled, this, [this] { KeepCheckedAsTabStop({rbDias, rbHoras, rbMin}); });
    }
    Label6->installEventFilter(this);

    QWidget* const tabOrder[] = {Memo1, Button2, Memo2, meFecha, meHora, meInc, rbDias, rbHoras, rbMin, meCant};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    Memo1->setFocus();

    Form1 = this;
    try {
        FormCreate();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

TForm1::~TForm1()
{
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate()
{
    FixProgramSettings();
    meFecha->SetText(FormatDateTime("dd/mm/yyyy", LocalNow()));
}

void TForm1::Button2Click()
{
    const LineList input = ReadLineList(Memo1->toPlainText());
    RunSettings settings;
    settings.StartDate = meFecha->Text();
    settings.StartTime = meHora->Text();
    settings.Step = meInc->Text();
    settings.Count = meCant->Text();
    settings.Unit = rbHoras->isChecked() ? StepUnit::Hours : rbMin->isChecked() ? StepUnit::Minutes : StepUnit::Days;

    MemoResultBox listing(*Memo2);
    PlainMessageDialog dialog;
    try {
        CalculateEphemeris(input.Lines, settings, listing, dialog);
        listing.Flush();
    } catch (const std::exception& error) {
        listing.Flush();
        ShowException(error);
    }
}

void TForm1::Label6Click()
{
    try {
        OpenWebAddress(kProjectWebAddress);
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (centred_) return;
    centred_ = true;
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

// A click on the link label: the left button released over it (a release
// goes to the control the press was on).
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label6->rect().contains(mouse->position().toPoint())) {
            Label6Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trasel
