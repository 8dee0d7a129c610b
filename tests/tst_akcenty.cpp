// The capitals' accents inked whole above the capitals, in a cell of the
// records list and in a label, at each scale ctest runs this program at
// (QT_SCALE_FACTOR 1, 1.5 and 2): the rows of ink counted from the top.
#include "app/menu.h"
#include "okna.h"

class TestAkcenty : public TestOkien {
    Q_OBJECT
private Q_SLOTS:
    void akcenty()
    {
        MainMenu1->Listarekordw1Click();
        Form4->Label1->setFont(Form4->listar->font());
        Form4->Label1->setContentsMargins({}); // the heading's room above its capitals
        const Wersaliki w = wersaliki(Form4->Label1);
        // Tahoma at 11 px: capitals 3 px below the top (ascent 11, capitals
        // 8 high); the accents inked above them, down to a row that is
        // followed by a clear one. In device pixels at 1, 1.5 and 2.
        struct Wiersze {
            int wersaliki, akcent, pusty;
        };
        const qreal skala = Form1->devicePixelRatio();
        const Wiersze m = skala < 1.25 ? Wiersze{3, 1, 2} : skala < 1.75 ? Wiersze{5, 2, 4} : Wiersze{6, 3, 5};
        for (const QList<int>* wiersze : {w.komorka, w.etykieta}) {
            QCOMPARE(wiersze[0].first(), m.wersaliki);
            QVERIFY(wiersze[1].contains(m.akcent) && !wiersze[1].contains(m.pusty));
        }
    }
};

ZM_TEST_MAIN(TestAkcenty)
#include "tst_akcenty.moc"
