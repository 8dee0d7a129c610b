#include "widgets/errorbox.h"

#include <exception>
#include <QCoreApplication>
#include <QMessageBox>

QString errorBoxText(const QString& what)
{
    if (!what.isEmpty() && what.back() > QLatin1Char('.'))
        return what + QLatin1Char('.');
    return what;
}

static void showErrorBox(const QString& what)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    errorBoxText(what), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

void showCurrentError()
{
    try {
        throw;
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
}
