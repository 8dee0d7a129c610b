#pragma once
// A fresh working directory per test, so that no real file is touched.
#include <QDir>
#include <QTemporaryDir>

class KatalogRoboczy {
public:
    KatalogRoboczy() : stary_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~KatalogRoboczy() { QDir::setCurrent(stary_); }
    QString sciezka(const QString& nazwa) const { return dir_.filePath(nazwa); }

private:
    QTemporaryDir dir_;
    QString stary_;
};
