#pragma once
// Shared helpers of the test programs.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/start.h"
#include "game/plansza.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "widgets/application.h"

// A board as rows of digits, e.g. "111/101/111".
inline QString planszajakotekst()
{
    QString s;
    for (int i = 0; i < gra.y; ++i) {
        if (i)
            s += QLatin1Char('/');
        for (int j = 0; j < gra.x; ++j)
            s += QChar(u'0' + plansza[i][j]->stan);
    }
    return s;
}

inline void ustawplansze(const QString& tekst)
{
    const QStringList wiersze = tekst.split(QLatin1Char('/'));
    for (int i = 0; i < wiersze.size(); ++i)
        for (int j = 0; j < wiersze[i].size(); ++j) {
            plansza[i][j]->stan = std::uint8_t(wiersze[i][j].unicode() - u'0');
            pokazstan(plansza[i][j]);
        }
}

// The rows of a picture, from the top, that hold ink: any pixel darker than
// mid-grey.
inline QList<int> wierszezatramentem(const QPixmap& obraz)
{
    const QImage o = obraz.toImage().convertToFormat(QImage::Format_RGB32);
    QList<int> wiersze;
    for (int y = 0; y < o.height(); ++y)
        for (int x = 0; x < o.width(); ++x)
            if (qGray(o.pixel(x, y)) < 128) {
                wiersze << y;
                break;
            }
    return wiersze;
}

// The ink rows of capitals without (0) and with accents (1) in a cell of the
// records list (row 4, the name column) and in the label `l`.
struct Wersaliki {
    QList<int> komorka[2], etykieta[2];
};
inline Wersaliki wersaliki(QLabel* l)
{
    TablicaRekordow* t = Form4->listar;
    const QRect r = t->visualRect(t->model()->index(4, 2));
    Wersaliki w;
    for (int akcenty = 0; akcenty < 2; ++akcenty) {
        const QString s = akcenty ? QStringLiteral("ĄĘŚŹŻĆŃÓŁ") : QStringLiteral("AESZZCNOL");
        t->item(4, 2)->setText(s);
        l->setText(s);
        w.komorka[akcenty] = wierszezatramentem(t->viewport()->grab(r));
        w.etykieta[akcenty] = wierszezatramentem(l->grab());
    }
    return w;
}

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

// Runs each test in a fresh working directory, so no real file is touched.
class KatalogRoboczy {
public:
    KatalogRoboczy() : stary_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~KatalogRoboczy() { QDir::setCurrent(stary_); }
    QString sciezka(const QString& nazwa) const { return dir_.filePath(nazwa); }

private:
    QTemporaryDir dir_;
    QString stary_;
};

// The program's windows as at start-up, in a fresh working directory, with
// the clock stopped: the test gives the ticks.
class ZestawOkien : public KatalogRoboczy {
public:
    ZestawOkien()
    {
        utworzokna();
        Form1->Timer1->stop();
    }
    ~ZestawOkien() { zniszczokna(); }
};

// main() with the game's own application object (its error handling, its fonts).
#define ZM_TEST_MAIN(Klasa)                                                                        \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"             \
                                                                         : qgetenv("QT_QPA_PLATFORM")); \
        Application app(argc, argv);                                                               \
        Application::setTitle(QStringLiteral("Zmieniarka"));                                       \
        Klasa t;                                                                                   \
        return QTest::qExec(&t, argc, argv);                                                       \
    }
