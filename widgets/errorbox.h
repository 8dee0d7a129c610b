#pragma once
#include <functional>
#include <QString>

// The one place where an error that leaves a handler is shown: a message
// box with the stop icon, one OK button, titled with the application's name.
// A full stop is appended when the text's last character sorts after '.'.
QString errorBoxText(const QString& what);
void showErrorBox(const QString& what);

// Runs a handler; an error that leaves it goes to the error box and the
// program goes on. Returns false when the handler ended with an error.
bool guarded(const std::function<void()>& handler);
