#include "ui/memo_result_box.h"

namespace trasel {

void MemoResultBox::Clear()
{
    pending_.clear();
    anyPending_ = false;
    cleared_ = true;
}

void MemoResultBox::Append(std::string_view line)
{
    if (anyPending_) pending_ += u'\n';
    pending_ += QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    anyPending_ = true;
}

void MemoResultBox::Flush()
{
    if (cleared_) {
        if (anyPending_) {
            memo_.setPlainText(pending_);
        } else {
            memo_.clear();
        }
    } else if (anyPending_) {
        memo_.appendPlainText(pending_);
    }
    pending_.clear();
    anyPending_ = false;
    cleared_ = false;
}

}  // namespace trasel
