// At 150 % the edges of tiles and the grid lines of the records list fall
// inside device pixels: no seam between two tiles, every grid line as wide
// as the others.
#include <optional>
#include <QLabel>

#include "app/menu.h"
#include "okna.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "game/plansza.h"
#include "ui/form1.h"
#include "ui/form4.h"

class TestUlamek : public TestOkien {
    Q_OBJECT
private Q_SLOTS:
    void kratki()
    {
        // The tiles' pictures cover every device pixel of the board: the
        // window's face behind them shows nowhere as a seam between two.
        QCOMPARE(Form1->devicePixelRatio(), 1.5);
        ustawienia = {3, 3, 1, 0};
        Form1->Nowa1Click();
        QImage obrazy[2];
        for (int i = 0; i < 2; ++i) {
            QPalette p = Form1->obszar->palette();
            p.setColor(QPalette::Button, i ? Qt::blue : Qt::white);
            Form1->obszar->setPalette(p);
            // The three rows and columns of tiles, 5 to 146 px.
            obrazy[i] = Form1->obszar->grab().toImage().copy(8, 8, 211, 211);
        }
        QCOMPARE(obrazy[0], obrazy[1]);
    }

    void siatka()
    {
        // Along a row of the records list, every grid line one device pixel wide.
        MainMenu1->Listarekordw1Click();
        const QImage o = Form4->listar->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QList<int> linie;
        int n = 0;
        for (int x = 0; x < o.width(); ++x) {
            if (QColor(o.pixel(x, o.height() / 2)) == QColor(192, 192, 192)) {
                ++n;
            } else if (n) {
                linie << n;
                n = 0;
            }
        }
        if (n)
            linie << n;
        QCOMPARE(linie, QList<int>({1, 1, 1, 1, 1}));
    }

};

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return uruchom<TestUlamek>(argc, argv);
}
#include "tst_ulamek.moc"
