// The helper strip: its layout for each colour count, the pictures it shows,
// and where it stands relative to the game window.
#include <algorithm>
#include <optional>
#include <QAction>
#include <QLabel>
#include <QScreen>

#include "app/menu.h"
#include "app/start.h"
#include "game/plansza.h"
#include "okna.h"
#include "pomoc.h"
#include "store/ustawienia.h"
#include "ui/form1.h"
#include "ui/form6.h"

class TestForm6 : public TestOkien {
    Q_OBJECT

    // Which tile state's glyph an image box shows: its visible 47 × 47 part
    // is compared with the same part of the game's glyph holders. -1: none.
    static int stan(const ImageBox* b)
    {
        const auto widoczna = [](const QPixmap& p) {
            return p.toImage().convertToFormat(QImage::Format_RGB32).copy(1, 1, 47, 47);
        };
        for (int s = 0; s < 4; ++s)
            if (widoczna(Form1->kratka(std::uint8_t(s))->glyph()) == widoczna(b->picture()))
                return s;
        return -1;
    }

    // The visible strip from left to right: states as digits, arrows as '>'.
    static QString pasek()
    {
        QList<QWidget*> widoczne;
        for (QWidget* w : Form6->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden() && w->y() < Form6->height())
                widoczne.append(w);
        std::sort(widoczne.begin(), widoczne.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        QString s;
        for (QWidget* w : widoczne) {
            if (auto* i = qobject_cast<ImageBox*>(w))
                s += QChar(u'0' + stan(i));
            else if (qobject_cast<QLabel*>(w))
                s += QLatin1Char('>');
            else
                s += QLatin1Char('?');
        }
        return s;
    }

    // The strip's outer top-left corner where the game window's outer
    // bottom-left corner is.
    static QPoint podoknem()
    {
        const QRect r = Form1->frameGeometry();
        return {r.left(), r.top() + r.height()};
    }

private Q_SLOTS:
    void poczatek()
    {
        // The options say one colour; the strip shows all five until a start.
        QCOMPARE(ustawienia.kolory, std::uint8_t(1));
        QCOMPARE(pasek(), QStringLiteral("0>1>2>3>0"));
        QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
        // The reserves lie below the client area.
        QCOMPARE(stan(Form6->Image3a), 2);
        QCOMPARE(stan(Form6->Image4a), 3);
        QVERIFY(Form6->Image3a->y() >= Form6->height() && Form6->Image4a->y() >= Form6->height());
    }

    // One start after another ("2d": a demonstration at 2 colours): each
    // shows its own layout whatever came before, as wide as its last
    // visible image, below the game window, the reserves untouched.
    void uklad_data()
    {
        QTest::addColumn<QString>("kolejnosc");
        for (const char* k : {"3 1 3", "1 2 3", "3 2 1 3", "2 1 2", "3 2 3", "1d 2 1d", "2d 3 2d"})
            QTest::newRow(k) << QString::fromLatin1(k);
    }
    void uklad()
    {
        QFETCH(QString, kolejnosc);
        const QString uklady[4] = {{}, QStringLiteral("0>1>0"), QStringLiteral("0>1>2>0"),
                                   QStringLiteral("0>1>2>3>0")};
        const int szerokosci[4] = {0, 191, 263, 335};
        for (const QString& start : kolejnosc.split(QLatin1Char(' '))) {
            const int k = start[0].digitValue();
            nowagra(3, 3, k, 0, start.endsWith(QLatin1Char('d')));
            QCOMPARE(pasek(), uklady[k]);
            QCOMPARE(Form6->size(), QSize(szerokosci[k], 47));
            int prawa = 0;
            for (auto* i : Form6->findChildren<ImageBox*>())
                if (!i->isHidden() && i->y() == 0)
                    prawa = std::max(prawa, i->geometry().right() + 1);
            QCOMPARE(prawa, szerokosci[k]);
            QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
            QCOMPARE(stan(Form6->Image3a), 2);
            QCOMPARE(stan(Form6->Image4a), 3);
        }
    }

    void obcykolory_data()
    {
        QTest::addColumn<int>("k");
        QTest::newRow("0") << 0;
        QTest::newRow("4") << 4;
        QTest::newRow("255") << 255;
    }
    void obcykolory()
    {
        // A colour count the strip has no layout for leaves the layout as
        // it was and still places the strip.
        QFETCH(int, k);
        nowagra(3, 3, 2);
        Form1->move(Form1->pos() + QPoint(-30, -40));
        gra.kolory = std::uint8_t(k);
        Form6->pokazpomocnik();
        QCOMPARE(pasek(), QStringLiteral("0>1>2>0"));
        QCOMPARE(Form6->width(), 263);
        QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
    }

    void obrazek()
    {
        // A box shows its glyph without the white frame: the 47 × 47 middle.
        const QImage widok = Form6->Image2->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage glif = QImage(QStringLiteral(":/kratka1a.bmp")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(widok.size(), QSize(47, 47));
        QCOMPARE(widok, glif.copy(1, 1, 47, 47));
    }

    void strzalki()
    {
        for (QLabel* l : {Form6->Label1, Form6->Label2, Form6->Label3, Form6->Label4}) {
            QCOMPARE(l->size(), QSize(25, 49));
            QCOMPARE(l->text(), QString(QChar(0x21D2)));
            QVERIFY(l->font().bold());
            // Whole inside its box, clear of the pictures on either side.
            const QImage o = l->grab().toImage().convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < o.height(); ++y)
                for (int x : {0, o.width() - 1})
                    QVERIFY2(qGray(o.pixel(x, y)) > 160, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            // Drawn by the font itself, not as a missing-glyph box.
            QVERIFY2(QFontMetrics(l->font()).inFont(QChar(0x21D2)), qPrintable(QFontInfo(l->font()).family()));
        }
    }

    void ukryty()
    {
        // Hidden, the strip is laid out by a start all the same and comes
        // back below the game window where that now stands.
        MainMenu1->Pomocnik1Click();
        QVERIFY(!Form6->isVisible());
        QVERIFY(!MainMenu1->Pomocnik1->isChecked());
        nowagra(3, 3, 2);
        QVERIFY(!Form6->isVisible());
        QCOMPARE(pasek(), QStringLiteral("0>1>2>0"));
        Form1->move(Form1->pos() + QPoint(50, -60));
        MainMenu1->Pomocnik1Click();
        QVERIFY(Form6->isVisible());
        QVERIFY(MainMenu1->Pomocnik1->isChecked());
        QCOMPARE(pasek(), QStringLiteral("0>1>2>0"));
        QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
    }

    void nieidzizaoknem()
    {
        nowagra(3, 3, 3);
        const QPoint bylo = Form6->pos();
        Form1->move(Form1->pos() + QPoint(40, 30));
        QCoreApplication::processEvents();
        QCOMPARE(Form6->pos(), bylo);
        // The next start centres the game window again and the strip with it.
        nowagra(3, 3, 1);
        QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
    }

    void ponizejekranu()
    {
        // Nothing keeps the strip on the screen.
        nowagra(3, 3, 3);
        const QRect ekran = Form1->screen()->geometry();
        Form1->move(Form1->x(), ekran.bottom() - Form1->frameGeometry().height() + 20);
        MainMenu1->Pomocnik1Click();
        MainMenu1->Pomocnik1Click();
        QCOMPARE(Form6->frameGeometry().topLeft(), podoknem());
        QVERIFY(Form6->frameGeometry().top() > ekran.bottom());
    }
};

ZM_TEST_MAIN(TestForm6)
#include "tst_form6.moc"
