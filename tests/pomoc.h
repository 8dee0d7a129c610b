#pragma once
// Helpers of the test programs that show widgets: error boxes caught, the
// game's own main().
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "widgets/application.h"

// Collects the texts of error boxes and closes them, so that a test can run
// code that reports an error without blocking on the modal box.
class LapaczBledow : public QObject {
public:
    LapaczBledow()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                teksty.append(box->text());
                tytuly.append(box->windowTitle());
                ikony.append(box->icon());
                box->accept();
            }
        });
        timer_.start();
    }
    QStringList teksty;
    QStringList tytuly;
    QList<QMessageBox::Icon> ikony;

private:
    QTimer timer_;
};

// main() with the game's own application object (its error handling, its
// fonts), on the offscreen platform unless the caller names one.
template <class Klasa>
int uruchom(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    Klasa t;
    return QTest::qExec(&t, argc, argv);
}
#define ZM_TEST_MAIN(Klasa)                                                                        \
    int main(int argc, char** argv) { return uruchom<Klasa>(argc, argv); }
