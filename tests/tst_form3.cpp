// The about window: its keyboard, its OK, and a title and credits that are
// drawn whole and in the right order.
#include <optional>
#include <QLabel>
#include <QPushButton>

#include "app/menu.h"
#include "app/start.h"
#include "okna.h"
#include "pomoc.h"
#include "ui/form1.h"
#include "ui/form3.h"

class TestForm3 : public TestOkien {
    Q_OBJECT

    static void otworz()
    {
        MainMenu1->Oprogramie1Click();
        QVERIFY(Form3->isVisible());
        // Activation comes as an event of its own, after the windows the
        // start-up has shown.
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(Form3));
    }

private Q_SLOTS:
    void klawisze_data()
    {
        QTest::addColumn<int>("klawisz");
        QTest::addColumn<bool>("zamyka");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << false;
    }
    void klawisze()
    {
        QFETCH(int, klawisz);
        QFETCH(bool, zamyka);
        QVERIFY(!Form3->isVisible());
        otworz();
        QCOMPARE(QApplication::focusWidget(), Form3->Button1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(klawisz));
        QCOMPARE(Form3->isVisible(), !zamyka);
        if (!zamyka) // the focus stays on the one control that takes it
            QCOMPARE(QApplication::focusWidget(), Form3->Button1);
    }

    void ok()
    {
        otworz();
        QTest::mouseClick(Form3->Button1, Qt::LeftButton);
        QVERIFY(!Form3->isVisible());
        // Kept for the next opening, which has the focus on OK again.
        Form1->activateWindow();
        otworz();
        QCOMPARE(QApplication::focusWidget(), Form3->Button1);
    }

    void tytul()
    {
        // Both titles whole inside the window, of one size, the shadow 8 px
        // right and down, their line at most 40 px high.
        otworz();
        QCOMPARE(Form3->Label2->text(), QStringLiteral("ZMIENIARKA"));
        QCOMPARE(Form3->Label3->text(), Form3->Label2->text());
        QCOMPARE(Form3->Label3->pos() - Form3->Label2->pos(), QPoint(8, 8));
        QCOMPARE(Form3->Label3->size(), Form3->Label2->size());
        QCOMPARE(Form3->Label2->height(), 40);
        QVERIFY(QFontMetrics(Form3->Label2->font()).height() <= 40);
        const int tekst = QFontMetrics(Form3->Label3->font()).horizontalAdvance(Form3->Label3->text());
        QVERIFY2(Form3->Label3->x() + tekst <= Form3->width(), qPrintable(QString::number(tekst)));
    }

    void cien()
    {
        // Where the red letters are drawn, the window shows red: the shadow
        // lies under the title, not over it.
        otworz();
        const QImage litery = Form3->Label2->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage okno = Form3->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor czerwony(255, 0, 0);
        int czerwonych = 0;
        int przykrytych = 0;
        for (int y = 0; y < litery.height(); ++y)
            for (int x = 0; x < litery.width(); ++x)
                if (QColor(litery.pixel(x, y)) == czerwony) {
                    ++czerwonych;
                    if (QColor(okno.pixel(Form3->Label2->pos() + QPoint(x, y))) != czerwony)
                        ++przykrytych;
                }
        QVERIFY(czerwonych > 500);
        QCOMPARE(przykrytych, 0);
        // And the shadow shows beside them, grey on the window's colour.
        const QImage cien = Form3->Label3->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor tlo(cien.pixel(0, 0));
        int widocznych = 0;
        for (int y = 0; y < cien.height(); ++y)
            for (int x = 0; x < cien.width(); ++x) {
                const QColor c(cien.pixel(x, y));
                if (c.lightness() < tlo.lightness() - 40 && c.saturation() < 20
                    && QColor(okno.pixel(Form3->Label3->pos() + QPoint(x, y))) == c)
                    ++widocznych;
            }
        QVERIFY(widocznych > 200);
    }

    void napisy()
    {
        // Each line of credits in its fixed 233-pixel box in its bold font
        // (whole there: tst_teksty).
        for (const auto& [l, px] : {std::pair(Form3->Label1, 19), {Form3->Label4, 16}, {Form3->Label5, 16}}) {
            QVERIFY(!l->text().isEmpty());
            QCOMPARE(l->size(), QSize(233, 25));
            QVERIFY(l->font().bold());
            QCOMPARE(l->font().pixelSize(), px);
        }
        QVERIFY(Form3->Label1->text().contains(QStringLiteral("Zmieniarka")));
    }
};

ZM_TEST_MAIN(TestForm3)
#include "tst_form3.moc"
