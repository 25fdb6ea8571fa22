// The line list of the input box, as the calculation reads it.
//
// Each line of the text is one entry, whatever word wrap shows on screen, so
// that a record followed by a remark stays one record. The text is taken as
// 8-bit characters, one per character of the box (Latin-1; a character
// beyond it becomes "?"), so that the record's columns stay in place.
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

namespace trasel {

struct LineList {
    QByteArray Text;                     // the whole text in Latin-1
    std::vector<std::string_view> Lines; // views into Text, without line ends
};

// Splits at each "\n"; a "\r" before it is part of the line end. An empty
// last line after a final line break is no entry, and an empty text has none:
// "a\nb\n" gives {"a", "b"}, "a\r\n\nb" gives {"a", "", "b"}.
LineList ReadLineList(const QString& text);

}  // namespace trasel
