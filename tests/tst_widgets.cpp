// Our layer over Qt: the bitmap button, the error box, the application
// object that catches errors leaving a handler, the file error texts.
#include <QMessageBox>
#include <QPainter>
#include <QTimer>

#include "pomoc.h"
#include "widgets/bitmapbutton.h"
#include "widgets/errorbox.h"
#include "fileio/fileerror.h"

class TestWidgets : public QObject {
    Q_OBJECT

    // A 50x50 glyph: magenta frame (the key colour, bottom-left), grey inside,
    // a blue marker at (1,1) and a key-coloured hole at (10,10).
    static QPixmap glif()
    {
        QImage img(50, 50, QImage::Format_RGB32);
        img.fill(QColor(255, 0, 255));
        for (int y = 1; y <= 47; ++y)
            for (int x = 1; x <= 47; ++x)
                img.setPixelColor(x, y, QColor(90, 90, 90));
        img.setPixelColor(1, 1, QColor(0, 0, 255));
        img.setPixelColor(10, 10, QColor(255, 0, 255));
        return QPixmap::fromImage(img);
    }

private Q_SLOTS:
    void przycisk()
    {
        QWidget okno;
        BitmapButton b(&okno);
        b.setGeometry(0, 0, 47, 47);
        QVERIFY(!b.isFlat());
        QPixmap zrodlo = glif();
        b.setGlyph(zrodlo);
        zrodlo.fill(Qt::green); // the button holds its own copy
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));

        QImage img = b.grab().toImage();
        QCOMPARE(img.pixelColor(0, 0), QColor(0, 0, 255)); // picture starts at the edge
        QCOMPARE(img.pixelColor(20, 20), QColor(90, 90, 90));
        QCOMPARE(img.pixelColor(46, 46), QColor(90, 90, 90)); // covers the whole tile
        QVERIFY(img.pixelColor(9, 9) != QColor(255, 0, 255)); // key colour is transparent

        b.setDown(true);
        img = b.grab().toImage();
        QCOMPARE(img.pixelColor(1, 1), QColor(0, 0, 255)); // one pixel right and down
        QVERIFY(img.pixelColor(0, 0) != QColor(0, 0, 255));
        b.setDown(false);

        // Glyphs shared between buttons are the same pixmap, masked once.
        BitmapButton c(&okno);
        c.setGlyph(b.glyph());
        QCOMPARE(c.glyph().cacheKey(), b.glyph().cacheKey());
    }

    void tekstbledu_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QString>("pokazany");
        QTest::newRow("letter") << "File not found" << "File not found.";
        QTest::newRow("digit") << "I/O error 13" << "I/O error 13.";
        QTest::newRow("full stop") << "Done." << "Done.";
        QTest::newRow("before full stop") << "Oops!" << "Oops!";
        QTest::newRow("comma sorts before") << "a," << "a,";
        QTest::newRow("slash sorts after") << "a/" << "a/.";
        QTest::newRow("empty") << "" << "";
    }
    void tekstbledu()
    {
        QFETCH(QString, tekst);
        QFETCH(QString, pokazany);
        QCOMPARE(errorBoxText(tekst), pokazany);
    }

    void kodybledow_data()
    {
        QTest::addColumn<int>("kod");
        QTest::addColumn<QString>("tekst");
        // The texts of the system's errors are with the data files' tests.
        QTest::newRow("100") << 100 << "Read beyond end of file";
        QTest::newRow("106") << 106 << "Invalid numeric input";
        QTest::newRow("other") << 32 << "I/O error 32";
    }
    void kodybledow()
    {
        QFETCH(int, kod);
        QFETCH(QString, tekst);
        QCOMPARE(QString::fromUtf8(IoError(kod).what()), tekst);
    }

    // An error leaving a handler is shown and the program goes on.
    void bladwhandlerze()
    {
        LapaczBledow lapacz;
        QVERIFY(!runShowingErrors([] { throw IoError(100); }));
        QVERIFY(runShowingErrors([] {}));
        QCOMPARE(lapacz.teksty, QStringList{QStringLiteral("Read beyond end of file.")});
        QCOMPARE(lapacz.tytuly, QStringList{QStringLiteral("Zmieniarka")});
        QCOMPARE(lapacz.ikony.value(0), QMessageBox::Critical);

        // From the event loop: a timer's handler throws; the next one still runs.
        int potem = 0;
        QTimer::singleShot(0, [] { throw IoError(5); });
        QTimer::singleShot(20, [&] { ++potem; });
        QTRY_COMPARE(potem, 1);
        QCOMPARE(lapacz.teksty.size(), 2);
        QCOMPARE(lapacz.teksty.value(1), QStringLiteral("File access denied."));
    }
};

ZM_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
