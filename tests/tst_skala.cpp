// At 200 % the windows keep their layout and the tiles and the helper strip
// show the double-resolution glyphs pixel for pixel, not a blurred 1x copy.
#include <optional>
#include <QLabel>

#include "app/start.h"
#include "game/plansza.h"
#include "okna.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form6.h"

class TestSkala : public TestOkien {
    Q_OBJECT

    // What a 47 × 47 box shows of a glyph at 2x: its middle without the frame.
    static QImage srodek(const char* plik)
    {
        return QImage(QLatin1String(plik)).convertToFormat(QImage::Format_RGB32).copy(2, 2, 94, 94);
    }
    static QImage widok(QWidget* w)
    {
        return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

private Q_SLOTS:
    void pasek()
    {
        QCOMPARE(Form6->devicePixelRatio(), 2.0);
        QCOMPARE(Form6->size(), QSize(335, 47));
        QCOMPARE(Form6->Image1->picture().devicePixelRatio(), 2.0);
        QCOMPARE(Form6->Image1->picture().size(), QSize(100, 100));
        QCOMPARE(widok(Form6->Image1), srodek(":/kratka2@2x.bmp"));
        QCOMPARE(widok(Form6->Image2), srodek(":/kratka1a@2x.bmp"));
        QCOMPARE(widok(Form6->Image4), srodek(":/kratka1c@2x.bmp"));
        ustawienia = {3, 3, 2, 0};
        Form1->Nowa1Click();
        QCOMPARE(Form6->width(), 263);
        QCOMPARE(widok(Form6->Image3), srodek(":/kratka1b@2x.bmp"));
        QCOMPARE(widok(Form6->Image4), srodek(":/kratka2@2x.bmp"));
    }

    void kratki()
    {
        ustawienia = {4, 3, 3, 0};
        Form1->Nowa1Click();
        QCOMPARE(Form1->rozmiarklienta(), QSize(198, 171));
        const char* pliki[4] = {":/kratka2@2x.bmp", ":/kratka1a@2x.bmp", ":/kratka1b@2x.bmp", ":/kratka1c@2x.bmp"};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) {
                guzik* g = plansza[i][j];
                QCOMPARE(g->size(), QSize(47, 47));
                QCOMPARE(g->glyph().devicePixelRatio(), 2.0);
                QCOMPARE(widok(g), srodek(pliki[g->stan]));
            }
    }

    void oprogramie()
    {
        // The about window keeps its layout: everything inside 267 × 208.
        Form3->openCentred();
        QCOMPARE(Form3->size(), QSize(267, 208));
        for (QWidget* w : Form3->findChildren<QWidget*>())
            QVERIFY2(QRect(QPoint(), Form3->size()).contains(w->geometry()), qPrintable(w->objectName()));
    }

};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    return uruchom<TestSkala>(argc, argv);
}
#include "tst_skala.moc"
