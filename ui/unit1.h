// The main window: the input box under its column ruler, the four run
// settings, the calculate button, the result box and the link label.
//
// Positions and sizes are pixels at 96 dpi in client coordinates. The one
// instance lives in Form1 from its construction to its destruction.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "ui/masked_edit.h"

namespace trasel {

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Builds the window and its controls, then runs FormCreate.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    QPlainTextEdit* Memo1;   // the input box
    QPushButton* Button2;    // "Cálculo efemérides"
    QPlainTextEdit* Memo2;   // the result box
    MaskedEdit* meFecha;     // start date
    MaskedEdit* meHora;      // start time
    MaskedEdit* meInc;       // step
    QRadioButton* rbDias;
    QRadioButton* rbHoras;
    QRadioButton* rbMin;
    MaskedEdit* meCant;      // number of steps
    QLabel* Label1;          // the column ruler
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;          // the web address

    // Runs the calculation with the window's current values; an error that
    // ends it is shown, and the result box keeps what the run had written.
    void Button2Click();
    // Opens the project's web address.
    void Label6Click();
    // Fixes the regional settings and puts today's date into meFecha.
    void FormCreate();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool centred_ = false;
};

extern TForm1* Form1;

}  // namespace trasel
