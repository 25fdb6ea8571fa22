// The two boxes the program shows, and the system sound.
//
// Both boxes are modal and captioned with the application title. Tests see
// what would be shown by setting the hooks of DialogHooksForTesting(); with
// a hook empty the real box opens.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <string_view>

#include "ephemeris/ephemeris.h"

namespace trasel {

// The plain message dialog: no icon, the text, one OK that answers Enter and
// Escape. Returns when it is closed.
void ShowMessage(const QString& text);

// The default exception display, for an error that ends an event handler:
// the stop icon, the message with a closing full stop (WithClosingFullStop),
// one OK. A mouse press in progress is cancelled, so that it does not turn
// into a click once the box is closed: a field that refuses to lose the
// focus to a click keeps that click from reaching the control clicked.
void ShowException(const QString& message);
// The message of a core error is Latin-1 text.
void ShowException(const std::exception& error);

// A full stop is appended when the last character's code is greater than
// that of ".": "Floating point division by zero" gets one; a message ending
// in ".", ")" or "'" is left as it is.
QString WithClosingFullStop(const QString& message);

// The default system sound.
void Beep();

// The core's message dialog, shown as the plain message dialog.
class PlainMessageDialog : public MessageDialog {
public:
    void ShowMessage(std::string_view text) override;
};

struct DialogHooks {
    std::function<void(const QString& caption, const QString& text)> Message;
    std::function<void(const QString& caption, const QString& text)> Exception;
    std::function<void()> Beep;
};
DialogHooks& DialogHooksForTesting();

}  // namespace trasel
