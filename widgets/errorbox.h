#pragma once
#include <QString>

// The one place where an error that leaves a handler is shown: a message
// box with the stop icon, one OK button, titled with the application's name.
// A full stop is appended when the text's last character sorts after '.'.
QString errorBoxText(const QString& what);

// Shows the error being handled (called from a catch block) in the error box.
void showCurrentError();

// Runs a handler; an error that leaves it is shown in the error box and the
// program goes on. Returns false when the handler ended with an error.
template <class Handler>
bool runShowingErrors(Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        showCurrentError();
        return false;
    }
}
