#include "ui/edit_mask.h"

#include <algorithm>

#include "textconv/textconv.h"

namespace trasel {
namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

std::string EmptyDisplay(const EditMask& mask)
{
    std::string display = mask.Template;
    for (std::size_t i = 0; i < display.size(); ++i) {
        display[i] = IsDigitPosition(mask, i) ? mask.Blank : ShownLiteral(mask.Template[i]);
    }
    return display;
}

void BlankPositions(const EditMask& mask, std::string& display, MaskSelection selection)
{
    const std::size_t end = std::min(display.size(), selection.Start + selection.Length);
    for (std::size_t i = selection.Start; i < end; ++i) {
        if (IsDigitPosition(mask, i)) display[i] = mask.Blank;
    }
}

// Lays `text` into the display from `from` on, one character per position:
// where the template has a literal and the text does not, the literal is
// inserted without using up a character; a character that is no digit at a
// digit position becomes the blank. A literal in the text matches when it is
// the separator shown or the template's own character, so "12:30:00" fits a
// time field whose separator is ".". Returns the position after the last one
// filled. Example, template "00/00/0000" from 0 with "1/2": "1_/2_/____".
std::size_t FitFrom(const EditMask& mask, std::string& display, std::size_t from, std::string_view text)
{
    std::size_t position = from;
    std::size_t next = 0;
    while (position < display.size() && next < text.size()) {
        const char wanted = mask.Template[position];
        if (!IsDigitPosition(mask, position)) {
            if (text[next] == ShownLiteral(wanted) || text[next] == wanted) ++next;
            display[position++] = ShownLiteral(wanted);
            continue;
        }
        const char c = text[next++];
        display[position++] = IsDecimalDigit(c) ? c : mask.Blank;
    }
    return position;
}

}  // namespace

EditMask ParseEditMask(std::string_view mask)
{
    EditMask result;
    const std::size_t first = mask.find(';');
    result.Template = std::string(mask.substr(0, first));
    if (first == std::string_view::npos) return result;
    const std::string_view rest = mask.substr(first + 1);
    const std::size_t second = rest.find(';');
    const std::string_view flag = rest.substr(0, second);
    result.SaveLiterals = flag != "0";
    if (second != std::string_view::npos && second + 1 < rest.size()) result.Blank = rest[second + 1];
    return result;
}

bool IsDigitPosition(const EditMask& mask, std::size_t position)
{
    return position < mask.Template.size() && mask.Template[position] == '0';
}

char ShownLiteral(char templateCharacter)
{
    switch (templateCharacter) {
    case '/': return Settings().DateSeparator;
    case ':': return Settings().TimeSeparator;
    default: return templateCharacter;
    }
}

std::size_t NextDigitPosition(const EditMask& mask, std::size_t position)
{
    while (position < mask.Template.size() && !IsDigitPosition(mask, position)) ++position;
    return std::min(position, mask.Template.size());
}

std::size_t PreviousDigitPosition(const EditMask& mask, std::size_t position)
{
    if (mask.Template.empty()) return std::string::npos;
    position = std::min(position, mask.Template.size() - 1);
    while (!IsDigitPosition(mask, position)) {
        if (position == 0) return std::string::npos;
        --position;
    }
    return position;
}

std::string FitText(const EditMask& mask, std::string_view text)
{
    std::string display = EmptyDisplay(mask);
    FitFrom(mask, display, 0, text);
    return display;
}

bool TypeCharacter(const EditMask& mask, MaskedText& field, MaskSelection selection, char key)
{
    const std::size_t start = selection.Length > 0 ? selection.Start : field.Caret;
    const std::size_t size = field.Display.size();
    if (IsDecimalDigit(key)) {
        const std::size_t position = NextDigitPosition(mask, start);
        if (position >= size) return false;
        // One selected position is the caret itself: typing overwrites it.
        if (selection.Length > 1) BlankPositions(mask, field.Display, selection);
        field.Display[position] = key;
        field.Caret = NextDigitPosition(mask, position + 1);
        return true;
    }
    for (std::size_t position = start; position < size; ++position) {
        if (IsDigitPosition(mask, position)) continue;
        if (ShownLiteral(mask.Template[position]) != key) return false;
        field.Caret = NextDigitPosition(mask, position + 1);
        return true;
    }
    return false;
}

void DeleteSelection(const EditMask& mask, MaskedText& field, MaskSelection selection)
{
    if (selection.Length == 0) {
        if (field.Caret >= field.Display.size()) return;
        selection = {field.Caret, 1};
    }
    BlankPositions(mask, field.Display, selection);
    field.Caret = NextDigitPosition(mask, selection.Start);
}

void DeleteBackward(const EditMask& mask, MaskedText& field, MaskSelection selection)
{
    if (selection.Length > 1) {
        DeleteSelection(mask, field, selection);
        return;
    }
    const std::size_t caret = selection.Length == 1 ? selection.Start : field.Caret;
    if (caret == 0) return;
    const std::size_t position = PreviousDigitPosition(mask, caret - 1);
    if (position == std::string::npos) return;
    field.Display[position] = mask.Blank;
    field.Caret = position;
}

void PasteText(const EditMask& mask, MaskedText& field, MaskSelection selection, std::string_view text)
{
    // A field holds one line: whatever follows a line break is not for it.
    text = text.substr(0, text.find_first_of("\r\n"));
    const std::size_t start = selection.Length > 0 ? selection.Start : field.Caret;
    if (selection.Length > 1) BlankPositions(mask, field.Display, selection);
    const std::size_t end = FitFrom(mask, field.Display, start, text);
    field.Caret = NextDigitPosition(mask, end);
}

std::string FieldText(const EditMask& mask, std::string_view display)
{
    // Dropping the trailing blanks and filling the missing positions with
    // blanks again comes to the same as turning every unfilled position
    // into a blank where it stands.
    std::string text;
    for (std::size_t i = 0; i < mask.Template.size(); ++i) {
        if (!IsDigitPosition(mask, i)) {
            if (mask.SaveLiterals) text += ShownLiteral(mask.Template[i]);
            continue;
        }
        const char c = i < display.size() ? display[i] : mask.Blank;
        text += IsDecimalDigit(c) ? c : ' ';
    }
    return text;
}

std::size_t FirstUnfilledPosition(const EditMask& mask, std::string_view display)
{
    for (std::size_t i = 0; i < mask.Template.size(); ++i) {
        if (IsDigitPosition(mask, i) && (i >= display.size() || !IsDecimalDigit(display[i]))) return i;
    }
    return std::string::npos;
}

}  // namespace trasel
