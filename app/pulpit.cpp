#include "app/pulpit.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString idaplikacji()
{
    return QStringLiteral(ZM_ID); // from the build, which names the installed files by it
}

QIcon ikonaprogramu()
{
    // The sizes a task bar (16 to 32 px) and a window switcher (32 to 64 px)
    // draw. Each size given is read at start-up and goes to the window
    // system with every window mapped; larger ones are drawn from the
    // installed theme's icon, found by the program's id.
    QIcon ikona;
    for (int bok : {16, 24, 32, 48, 64})
        ikona.addFile(QStringLiteral(":/ikona-%1.png").arg(bok), QSize(bok, bok));
    return ikona;
}

bool wczytajtlumaczenia()
{
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (!qt->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qt"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    return QCoreApplication::installTranslator(qt);
}
