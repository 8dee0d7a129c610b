// Every text of the six windows is whole in its box, whatever the desktop's
// font settings: CMake runs this program under two fontconfig settings
// (full hinting; medium hinting without antialiasing, at twice the size).
// The titles' capitals start where Arial Black's would in their boxes.
#include <optional>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>

#include "okna.h"
#include "pomoc.h"
#include "ui/form3.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"

namespace {
ToolWindow* okno(const QString& nazwa)
{
    for (ToolWindow* w : Form1->findChildren<ToolWindow*>(Qt::FindDirectChildrenOnly))
        if (w->objectName() == nazwa)
            return w;
    return nullptr;
}

// The ink of `tekst` as the control lays it out in its text box, in the
// box's coordinates: whole when it lies inside the box.
struct Miejsce {
    QRect pudelko, atrament;
};

Miejsce miejsce(QWidget* w, const QString& tekst)
{
    QRect r;
    Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter;
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton o;
        o.initFrom(c);
        o.text = tekst;
        r = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &o, c);
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        r = b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b);
        a = Qt::AlignCenter;
    } else {
        auto* l = qobject_cast<QLabel*>(w);
        const int m = l->margin();
        r = l->contentsRect().marginsRemoved(QMargins(m + std::max(0, l->indent()), m, m, m));
        a = l->alignment();
    }
    const QFontMetrics fm(w->font());
    const int szer = fm.horizontalAdvance(tekst);
    const int x = a & Qt::AlignHCenter ? (r.width() - szer) / 2 : a & Qt::AlignRight ? r.width() - szer : 0;
    const int y = a & Qt::AlignVCenter ? (r.height() - fm.height()) / 2 : a & Qt::AlignBottom ? r.height() - fm.height() : 0;
    return {QRect(QPoint(), r.size()), fm.tightBoundingRect(tekst).translated(x, y + fm.ascent())};
}
} // namespace

class TestTeksty : public QObject {
    Q_OBJECT
    std::optional<ZestawOkien> okna;

private Q_SLOTS:
    void init()
    {
        okna.emplace();
        nowagra(3, 3, 1); // the narrowest status bar
        for (const char* n : {"Opcje", "Form3", "Form4", "Form5"})
            okno(QLatin1String(n))->openCentred();
    }
    void cleanup() { okna.reset(); }

    void teksty_data()
    {
        QTest::addColumn<QString>("okno");
        QTest::addColumn<QString>("kontrolka");
        QTest::addColumn<QString>("tekst"); // empty: the control's own
        const char* const wiersze[][3] = {
            {"Form1", "panel0", "Czas: 999.9 sek."},
            {"Form1", "panel1", "Ruchy: 99999"},
            {"Opcje", "Label1", ""},
            {"Opcje", "Label3", ""},
            {"Opcje", "Label2", ""},
            // "10" is a pixel wider than its 15-px box in Tahoma Bold: the
            // layout's own cut.
            {"Opcje", "ilex", "9"},
            {"Opcje", "iley", "8"},
            {"Opcje", "ilek", "3"},
            {"Opcje", "CheckBox1", ""},
            {"Opcje", "OK", ""},
            {"Form3", "Label1", ""},
            {"Form3", "Label2", ""},
            {"Form3", "Label4", ""},
            {"Form3", "Label5", ""},
            {"Form3", "Button1", ""},
            {"Form4", "Label1", ""},
            {"Form4", "Button1", ""},
            {"Form5", "Label1", ""},
            {"Form5", "Label3", ""},
            {"Form5", "wyswczas", "Twój czas: 999.9 sek."},
            {"Form5", "Label4", ""},
            {"Form5", "Button1", ""},
            {"Form6", "Label1", ""},
        };
        for (const auto& [o, k, t] : wiersze)
            QTest::addRow("%s %s", o, k) << QString::fromUtf8(o) << QString::fromUtf8(k) << QString::fromUtf8(t);
    }

    void teksty()
    {
        QFETCH(QString, okno);
        QFETCH(QString, kontrolka);
        QFETCH(QString, tekst);
        QWidget* w = okno == QLatin1String("Form1") ? static_cast<QWidget*>(Form1) : ::okno(okno);
        QVERIFY(w);
        auto* k = w->findChild<QWidget*>(kontrolka);
        QVERIFY(k);
        if (tekst.isEmpty())
            tekst = k->property("text").toString();
        else
            k->setProperty("text", tekst);
        const Miejsce m = miejsce(k, tekst);
        const auto opis = [](QRect r) { return QStringLiteral("%1,%2 to %3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom()); };
        QVERIFY2(m.pudelko.contains(m.atrament),
                 qPrintable(QStringLiteral("\"%1\": ink %2 in %3").arg(tekst, opis(m.atrament), opis(m.pudelko))));
    }

    // The records list: each heading but "kolorów" (cut by its 29-px
    // column) and the widest texts of the default rows.
    void lista()
    {
        RowTable* t = Form4->listar;
        const int naglowek = t->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, t->horizontalHeader());
        const int komorka = t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1;
        const QFontMetrics fm(t->font());
        for (int c : {0, 2, 3, 4}) {
            const QString s = t->horizontalHeaderItem(c)->text();
            QVERIFY2(fm.horizontalAdvance(s) <= t->columnWidth(c) - 2 * naglowek, qPrintable(s));
        }
        for (int c = 0; c < 5; ++c) {
            const QString s = t->item(95, c)->text(); // 100 fields, 3 colours
            QVERIFY2(fm.horizontalAdvance(s) <= t->columnWidth(c) - 2 * komorka, qPrintable(s));
        }
    }

    // Arial Black's capitals start 0.385 of the character height below the
    // top of the box: 11 px for the 28-px titles, 8 px for the 20-px one.
    void tytuly_data()
    {
        QTest::addColumn<QString>("okno");
        QTest::addColumn<QString>("kontrolka");
        QTest::addColumn<int>("gora");
        QTest::newRow("ZMIENIARKA") << "Form3" << "Label2" << 11;
        QTest::newRow("Najlepsi zmieniacze") << "Form4" << "Label1" << 8;
        QTest::newRow("BRAWO!") << "Form5" << "Label1" << 11;
    }

    void tytuly()
    {
        QFETCH(QString, okno);
        QFETCH(QString, kontrolka);
        QFETCH(int, gora);
        auto* l = ::okno(okno)->findChild<QLabel*>(kontrolka);
        QVERIFY(l);
        l->setText(l->text().toUpper()); // capitals only: an "l" stands higher
        // The red ink of the capitals, without the shadow behind.
        const QImage o = l->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int pierwszy = -1;
        for (int y = 0; y < o.height() && pierwszy < 0; ++y)
            for (int x = 0; x < o.width(); ++x) {
                const QColor c = o.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100) {
                    pierwszy = y;
                    break;
                }
            }
        const int naekranie = qRound(pierwszy / l->devicePixelRatio());
        QVERIFY2(qAbs(naekranie - gora) <= 1, qPrintable(QString::number(naekranie)));
    }
};

ZM_TEST_MAIN(TestTeksty)
#include "tst_teksty.moc"
