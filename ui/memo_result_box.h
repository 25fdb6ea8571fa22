// The result box of the window as the calculation's ResultBox.
//
// Appending to a text box line by line redoes its layout each time; the lines
// are gathered instead and written at once by Flush, which the caller runs
// when the calculation ends, by error too, so the box then shows exactly
// what the run had written.
#pragma once

#include <QPlainTextEdit>
#include <QString>

#include "ephemeris/ephemeris.h"

namespace trasel {

class MemoResultBox : public ResultBox {
public:
    explicit MemoResultBox(QPlainTextEdit& memo) : memo_(memo) {}

    void Clear() override;
    void Append(std::string_view line) override;  // Latin-1

    void Flush();

private:
    QPlainTextEdit& memo_;
    QString pending_;
    bool cleared_ = false;
    bool anyPending_ = false;
};

}  // namespace trasel
