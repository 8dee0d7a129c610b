// The program on the desktop: its window icon at the sizes of task bars and
// window switchers, and Qt's own texts in Polish whatever the system's language.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "app/pulpit.h"

class TstPulpit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ikona();
    void tlumaczenia();
};

// Each size once, each drawn at its own size: a task bar picks its size
// from the list, and a 32-px entry offered twice leaves it only one.
void TstPulpit::ikona() {
    const QIcon ikona = ikonaprogramu();
    QList<QSize> rozmiary;
    for (int bok : {16, 24, 32, 48, 64})
        rozmiary << QSize(bok, bok);
    QCOMPARE(ikona.availableSizes(), rozmiary);
    for (const QSize& r : rozmiary)
        QCOMPARE(ikona.pixmap(r, 1.0).size(), r);
}

void TstPulpit::tlumaczenia() {
    // An English system: the game speaks Polish all the same.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(wczytajtlumaczenia());

    QLineEdit pole;
    const std::unique_ptr<QMenu> menu(pole.createStandardContextMenu());
    QStringList teksty;
    for (const QAction* a : menu->actions())
        teksty << a->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(teksty.contains(QStringLiteral("&Wklej")), qPrintable(teksty.join(QLatin1Char('|'))));

    QDialogButtonBox przyciski(QDialogButtonBox::Cancel);
    QCOMPARE(przyciski.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
}

QTEST_MAIN(TstPulpit)
#include "tst_pulpit.moc"
