#include "widgets/application.h"

#include "widgets/errorbox.h"
#include "widgets/focusmark.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installFonts();
    installFocusMarks();
}

void Application::setTitle(const QString& title)
{
    // The desktop's name for the program (the window class its task bar
    // groups the windows by), not a suffix to every window's caption.
    QCoreApplication::setApplicationName(title);
}

QString Application::title()
{
    return QCoreApplication::applicationName();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runShowingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
