#pragma once
#include <QApplication>
#include <QIcon>

#include "widgets/fonts.h"

// The application object: one title for the program and its error boxes,
// the program's icon, the fonts the layouts name, and one place where an
// error leaving any handler is caught and shown (Qt lets no exception pass
// through its event loop).
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    static void setTitle(const QString& title);
    static QString title();

    bool notify(QObject* receiver, QEvent* event) override;
};
