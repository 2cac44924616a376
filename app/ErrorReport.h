#pragma once

#include <QObject>
#include <QString>

#include <exception>

class Exception;

// The program's one error report. Handlers throw; the application object catches what leaves them and
// shows it here, in a modal box, and the program goes on.

inline const QString ApplicationTitle = QStringLiteral("Tolvane");

// The box's text: a full stop is appended when the message's last character comes after "." in code
// order, so "Floating point overflow" gets one and "Done." or "Wait..." or "(1)" do not. A message
// longer than 1000 characters shows only its first and last 400, joined by an ellipsis (U+2026).
QString errorBoxText(const QString& message);

// Shows the modal error box over the active window and returns when the user has closed it.
void ShowException(const Exception& error);

// Reports the exception in flight; call it only from a catch block. Anything that is not an Exception
// gives a box with no text.
void HandleException();

// Runs an event handler and reports what it throws, so that no exception unwinds through Qt's signal
// dispatch.
template <typename Handler> void reportErrors(Handler&& handler)
{
    try {
        handler();
    } catch (...) {
        HandleException();
    }
}

// Connects `signal` of `sender` to an event handler of `form` through the report above: every handler of
// the program's windows is connected this way.
template <typename Sender, typename Signal, typename Form>
void connectHandler(Sender* sender, Signal signal, Form* form, void (Form::*handler)())
{
    QObject::connect(sender, signal, form, [form, handler] { reportErrors([&] { (form->*handler)(); }); });
}
