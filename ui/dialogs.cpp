#include "ui/dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "ui/application_title.h"

namespace trasel {
namespace {

// Eats the next mouse press, unless control gets back to the event loop first.
class PressDiscarder : public QObject {
public:
    using QObject::QObject;

    void Arm()
    {
        if (armed_) return;
        armed_ = true;
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, &PressDiscarder::Disarm);
    }

    void Disarm()
    {
        armed_ = false;
        qApp->removeEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            Disarm();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool armed_ = false;
};

// Drops the press of the mouse event being handled now, if its delivery has
// not finished yet.
void DiscardMousePressInProgress()
{
    // Owned by the application, so it goes when the application goes.
    static QPointer<PressDiscarder> discarder;
    if (!discarder) discarder = new PressDiscarder(qApp);
    discarder->Arm();
}

}  // namespace

DialogHooks& DialogHooksForTesting()
{
    static DialogHooks hooks;
    return hooks;
}

void ShowMessage(const QString& text)
{
    if (DialogHooksForTesting().Message) {
        DialogHooksForTesting().Message(ApplicationTitle(), text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

void ShowException(const QString& message)
{
    // An explicit grab ends here. A press still on its way to a control (the
    // one whose click moved the focus, say) is dropped after the box closes,
    // when it would arrive there.
    const bool pressInProgress = QGuiApplication::mouseButtons() != Qt::NoButton;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

    const QString text = WithClosingFullStop(message);
    if (DialogHooksForTesting().Exception) {
        DialogHooksForTesting().Exception(ApplicationTitle(), text);
    } else {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
    if (pressInProgress) DiscardMousePressInProgress();
}

void ShowException(const std::exception& error)
{
    ShowException(QString::fromLatin1(error.what()));
}

QString WithClosingFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
    return message;
}

void Beep()
{
    if (DialogHooksForTesting().Beep) {
        DialogHooksForTesting().Beep();
        return;
    }
    QApplication::beep();
}

void PlainMessageDialog::ShowMessage(std::string_view text)
{
    trasel::ShowMessage(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace trasel
