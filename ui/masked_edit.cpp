#include "ui/masked_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

#include "textconv/textconv.h"
#include "ui/dialogs.h"

namespace trasel {
namespace {

std::string ToLatin1(const QString& text) { return text.toLatin1().toStdString(); }

QString FromLatin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsCaretKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
}

}  // namespace

MaskedEdit::MaskedEdit(std::string_view mask, QWidget* parent)
    : QLineEdit(parent), mask_(ParseEditMask(mask))
{
    setMaxLength(static_cast<int>(mask_.Template.size()));
    // A drop would put text into the field around the template.
    setAcceptDrops(false);
    SetText("");
}

void MaskedEdit::SetText(std::string_view text)
{
    setText(FromLatin1(FitText(mask_, text)));
    modified_ = false;
    if (hasFocus()) textAtFocusIn_ = this->text();
}

std::string MaskedEdit::Text() const { return FieldText(mask_, ToLatin1(text())); }

MaskedText MaskedEdit::Current() const
{
    return {ToLatin1(text()), static_cast<std::size_t>(hasSelectedText() ? selectionStart() : cursorPosition())};
}

MaskSelection MaskedEdit::CurrentSelection() const
{
    if (!hasSelectedText()) return {static_cast<std::size_t>(cursorPosition()), 0};
    return {static_cast<std::size_t>(selectionStart()), static_cast<std::size_t>(selectionLength())};
}

void MaskedEdit::Show(const MaskedText& field)
{
    setText(FromLatin1(field.Display));
    ShowCaretAt(field.Caret);
}

// The position the next key goes to is shown selected, as overwriting
// fields do; past the last position the plain cursor stands at the end.
void MaskedEdit::ShowCaretAt(std::size_t position)
{
    const int size = static_cast<int>(text().size());
    const int caret = static_cast<int>(std::min<std::size_t>(position, static_cast<std::size_t>(size)));
    if (caret < size) {
        setSelection(caret + 1, -1);
    } else {
        setCursorPosition(size);
    }
}

void MaskedEdit::TypeText(const QString& typed)
{
    for (const QChar c : typed) {
        MaskedText field = Current();
        const std::string before = field.Display;
        const bool accepted = c.unicode() <= 0xFF &&
                              TypeCharacter(mask_, field, CurrentSelection(), static_cast<char>(c.unicode()));
        if (!accepted) {
            Beep();
            return;
        }
        if (field.Display != before) modified_ = true;
        Show(field);
    }
}

void MaskedEdit::Paste(const QString& pasted)
{
    if (pasted.isEmpty()) return;
    MaskedText field = Current();
    PasteText(mask_, field, CurrentSelection(), ToLatin1(pasted));
    // A paste counts as a change even where it leaves the field as it was,
    // so that an incomplete value pasted in cannot leave unchecked.
    modified_ = true;
    Show(field);
}

void MaskedEdit::DeleteSelected()
{
    MaskedText field = Current();
    const std::string before = field.Display;
    DeleteSelection(mask_, field, CurrentSelection());
    if (field.Display != before) modified_ = true;
    Show(field);
}

void MaskedEdit::CutSelected()
{
    if (!hasSelectedText()) return;
    copy();
    DeleteSelected();
}

void MaskedEdit::DeleteBefore()
{
    MaskedText field = Current();
    const std::string before = field.Display;
    DeleteBackward(mask_, field, CurrentSelection());
    if (field.Display != before) modified_ = true;
    Show(field);
}

void MaskedEdit::MoveCaret(int key)
{
    const std::size_t size = mask_.Template.size();
    std::size_t caret = Current().Caret;
    switch (key) {
    case Qt::Key_Left:
        if (caret > 0) {
            const std::size_t previous = PreviousDigitPosition(mask_, caret - 1);
            if (previous != std::string::npos) caret = previous;
        }
        break;
    case Qt::Key_Right:
        if (caret < size) caret = NextDigitPosition(mask_, caret + 1);
        break;
    case Qt::Key_Home:
        caret = NextDigitPosition(mask_, 0);
        break;
    case Qt::Key_End:
        caret = size;
        break;
    default:
        return;
    }
    ShowCaretAt(caret);
}

void MaskedEdit::ValidateEdit()
{
    const std::size_t unfilled = FirstUnfilledPosition(mask_, ToLatin1(text()));
    if (unfilled == std::string::npos) return;
    refocusing_ = true;
    setFocus(Qt::OtherFocusReason);
    refocusing_ = false;
    ShowCaretAt(unfilled);
    Beep();
    throw TraselError(std::string(kInvalidInputMessage));
}

void MaskedEdit::CheckOnLeaving(QFocusEvent* event)
{
    if (!modified_ || refocusing_) return;
    // Another window taking the activation, or a menu opening, is no leaving.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason) {
        return;
    }
    // Nor is the window closing: the check is for moving to another control.
    const QWidget* next = QApplication::focusWidget();
    if (next == nullptr || next == this || next->window() != window()) return;
    try {
        ValidateEdit();
        modified_ = false;
    } catch (const std::exception& error) {
        // A click that tried to take the focus is dropped by the display.
        ShowException(error);
    }
}

void MaskedEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        if (!modified_) {
            event->ignore();
            return;
        }
        setText(textAtFocusIn_);
        modified_ = false;
        ShowCaretAt(NextDigitPosition(mask_, 0));
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!modified_) return;
        try {
            ValidateEdit();
        } catch (const std::exception& error) {
            ShowException(error);
        }
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutSelected();
        return;
    }
    if (key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        DeleteSelected();
        return;
    }
    if (key == Qt::Key_Backspace && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        DeleteBefore();
        return;
    }
    if (IsCaretKey(key) && modifiers == Qt::NoModifier) {
        MoveCaret(key);
        return;
    }
    // Selecting and copying are the line edit's own; nothing else of it may
    // edit the text (undo, word deletion and the like), so the rest is ours.
    if (IsCaretKey(key) || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const bool commandKey = (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!typed.isEmpty() && !commandKey && typed.front().isPrint()) {
        TypeText(typed);
        return;
    }
    event->ignore();
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) TypeText(event->commitString());
    event->accept();
}

void MaskedEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    // Coming back after a refused check keeps the text from before the edit.
    if (refocusing_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    textAtFocusIn_ = text();
}

void MaskedEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    CheckOnLeaving(event);
}

void MaskedEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        Paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !hasSelectedText()) {
        ShowCaretAt(NextDigitPosition(mask_, static_cast<std::size_t>(cursorPosition())));
    }
}

void MaskedEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The line edit's own menu edits around the template; this one does not.
    auto menu = std::make_unique<QMenu>(this);
    QAction* cut = menu->addAction(QLineEdit::tr("Cu&t"), this, &MaskedEdit::CutSelected);
    QAction* copyAction = menu->addAction(QLineEdit::tr("&Copy"), this, &QLineEdit::copy);
    QAction* paste = menu->addAction(QLineEdit::tr("&Paste"), this, [this] {
        Paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    });
    QAction* remove = menu->addAction(QLineEdit::tr("Delete"), this, &MaskedEdit::DeleteSelected);
    menu->addSeparator();
    menu->addAction(QLineEdit::tr("Select All"), this, &QLineEdit::selectAll);
    cut->setEnabled(hasSelectedText());
    copyAction->setEnabled(hasSelectedText());
    remove->setEnabled(hasSelectedText());
    paste->setEnabled(!QGuiApplication::clipboard()->text(QClipboard::Clipboard).isEmpty());
    menu->exec(event->globalPos());
}

}  // namespace trasel
