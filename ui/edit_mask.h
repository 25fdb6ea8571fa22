// The editing rules of a masked field, apart from any widget.
//
// A mask such as "00/00/0000;1;_" has a template ("00/00/0000"), a save flag
// ("1": the literals belong to the field's text) and the character shown in
// an unfilled position ("_"). In the template "0" is a position for one
// decimal digit, "/" shows the date separator in force and ":" the time
// separator in force; any other character is shown as written.
//
// The display is the text the field shows, one character per template
// position. Every routine here takes the display and returns the new one;
// none keeps state. Characters are 8-bit (Latin-1), like the separators.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trasel {

struct EditMask {
    std::string Template;       // "00/00/0000"
    bool SaveLiterals = true;   // the "1" of the mask
    char Blank = '_';           // shown where no digit has been typed
};

// "00:00:00;1;_" -> {"00:00:00", true, '_'}. Missing parts keep the defaults.
EditMask ParseEditMask(std::string_view mask);

// The display and the position the next typed character goes to.
// Caret == Display.size() means past the last position.
struct MaskedText {
    std::string Display;
    std::size_t Caret = 0;
};

// A run of selected positions; Length 0 means none.
struct MaskSelection {
    std::size_t Start = 0;
    std::size_t Length = 0;
};

bool IsDigitPosition(const EditMask& mask, std::size_t position);

// The character a literal of the template shows now: the date separator for
// "/", the time separator for ":", itself otherwise.
char ShownLiteral(char templateCharacter);

// The first digit position at or after `position` (after, when searching
// backward: at or before); Template.size() (or npos backward) when none.
std::size_t NextDigitPosition(const EditMask& mask, std::size_t position);
std::size_t PreviousDigitPosition(const EditMask& mask, std::size_t position);

// Fits a text into an empty field from the first position, the way text the
// program assigns and pasted text are fitted (see FitFrom in the .cpp).
// "00:00:00" under the time separator "." shows "00.00.00".
std::string FitText(const EditMask& mask, std::string_view text);

// A typed character. A digit overwrites the first digit position at or after
// the caret (clearing a selection of several positions first) and moves the
// caret to the next digit position. The character of the next literal moves
// the caret just past that literal. Anything else is refused: false, and
// nothing changes.
bool TypeCharacter(const EditMask& mask, MaskedText& field, MaskSelection selection, char key);

// Delete: the selected digit positions become blank; literals stay.
void DeleteSelection(const EditMask& mask, MaskedText& field, MaskSelection selection);

// Backspace: with a selection as Delete; otherwise the digit position before
// the caret becomes blank and takes the caret.
void DeleteBackward(const EditMask& mask, MaskedText& field, MaskSelection selection);

// A paste, fitted into the template from the start of the selection (or the
// caret) on. Selected positions the pasted text does not reach become blank.
void PasteText(const EditMask& mask, MaskedText& field, MaskSelection selection, std::string_view text);

// The text the calculation reads: unfilled positions as blanks, literals as
// the separators in force now (dropped when the save flag is 0), always the
// template's length. "7_" gives "7 "; "__/__/____" gives "  /  /    ".
std::string FieldText(const EditMask& mask, std::string_view display);

// The first digit position without a digit, or npos when the field is complete.
std::size_t FirstUnfilledPosition(const EditMask& mask, std::string_view display);

}  // namespace trasel
