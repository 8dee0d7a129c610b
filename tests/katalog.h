#pragma once
// A fresh working directory per test, so that no real file is touched, and
// a fresh state folder for the journals of saves in place (anyone may write
// it, as a test run by root acts as another player too).
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class KatalogRoboczy {
public:
    KatalogRoboczy() : stary_(QDir::currentPath()), starystan_(qgetenv("XDG_STATE_HOME"))
    {
        QDir::setCurrent(dir_.path());
        ::chmod(QFile::encodeName(stan_.path()).constData(), 0777);
        qputenv("XDG_STATE_HOME", QFile::encodeName(stan_.path()));
    }
    ~KatalogRoboczy()
    {
        QDir::setCurrent(stary_);
        qputenv("XDG_STATE_HOME", starystan_);
    }
    QString sciezka(const QString& nazwa) const { return dir_.filePath(nazwa); }
    // The journals the player's state folder holds.
    QStringList dzienniki() const { return QDir(stan_.filePath(QStringLiteral("zmieniarka"))).entryList(QDir::Files); }

private:
    QTemporaryDir dir_;
    QTemporaryDir stan_;
    QString stary_;
    QByteArray starystan_;
};
