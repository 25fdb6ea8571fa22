// A fixed-width field that takes digits into a template, such as a date
// "00/00/0000" or a count "000". The editing rules are those of edit_mask.h;
// this widget turns keys, the clipboard and focus changes into them.
//
// A field the user has changed (typed, deleted or pasted in) is checked when
// it loses the focus to another control of its window and when Enter is
// pressed: while a digit position is unfilled it keeps the focus, puts the
// caret there, beeps and shows "Invalid input value.  Use escape key to
// abandon changes". Escape then brings back the text it had when it got the
// focus. Text the program sets with SetText is never checked.
#pragma once

#include <QLineEdit>

#include <string>
#include <string_view>

#include "ui/edit_mask.h"

namespace trasel {

inline constexpr std::string_view kInvalidInputMessage = "Invalid input value.  Use escape key to abandon changes";

class MaskedEdit : public QLineEdit {
    Q_OBJECT

public:
    // mask: template, save flag and blank, as "00/00/0000;1;_".
    explicit MaskedEdit(std::string_view mask, QWidget* parent = nullptr);

    // A program assignment: fitted to the template, marks the field unchanged.
    void SetText(std::string_view text);

    // The text the calculation reads (FieldText of edit_mask.h).
    std::string Text() const;

    // Changed by the user since it last got the focus or passed its check.
    bool IsModified() const { return modified_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    MaskedText Current() const;
    MaskSelection CurrentSelection() const;
    void Show(const MaskedText& field);
    void ShowCaretAt(std::size_t position);
    void TypeText(const QString& text);
    void Paste(const QString& text);
    void DeleteSelected();
    void CutSelected();
    void DeleteBefore();
    void MoveCaret(int key);
    // Throws the refusal after putting the focus and caret back and beeping.
    void ValidateEdit();
    void CheckOnLeaving(QFocusEvent* event);

    EditMask mask_;
    QString textAtFocusIn_;
    bool modified_ = false;
    bool refocusing_ = false;
};

}  // namespace trasel
