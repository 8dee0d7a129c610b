#include "widgets/application.h"

#include <exception>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

#include "widgets/errorbox.h"

namespace {
QString g_title;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    installFonts();
}

void Application::setTitle(const QString& title)
{
    g_title = title;
    // The desktop's name for the program (the window class its task bar
    // groups the windows by), not a suffix to every window's caption.
    QCoreApplication::setApplicationName(title);
}

QString Application::title()
{
    return g_title;
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
    return false;
}

void installFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // fonts-wine ships these without telling fontconfig about them.
    const QString wine = QStringLiteral("/usr/share/wine/fonts/");
    for (const char* f : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = wine + QLatin1String(f);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }

    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman CE"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Symbol"),
                               {QStringLiteral("Standard Symbols PS"), QStringLiteral("DejaVu Sans")});
}
