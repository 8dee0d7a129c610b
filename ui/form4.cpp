#include "ui/form4.h"

#include <algorithm>
#include <memory>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "game/plansza.h"
#include "store/rekordy.h"
#include "widgets/application.h"
#include "widgets/controls.h"

QPointer<TForm4> Form4;

namespace {
// The heading row is 18 px and every other row 16 px, each with its 1 px
// grid line below it; a row of the table holds its line, so rows follow
// each other 17 px apart and 15 of them are wholly in view.
constexpr int liniasiatki = 1;
constexpr int wysokoscnaglowka = 18 + liniasiatki;
constexpr int wysokoscwiersza = 16 + liniasiatki;

// The columns' 332 px fill the table beside a 17-px scroll bar, wider than
// the style's own.
class PasekListy : public QScrollBar {
public:
    using QScrollBar::QScrollBar;
    QSize sizeHint() const override { return {17, QScrollBar::sizeHint().height()}; }
};

// The heading row is as high as given, whatever its texts: never measured,
// it spares the bold face that Qt measures a heading's texts in.
class NaglowekListy : public QHeaderView {
public:
    using QHeaderView::QHeaderView;
    QSize sizeHint() const override { return {length(), wysokoscnaglowka}; }
};

// Each row holds its board (colour count, number of fields) as item data
// of its first cell.
constexpr int rolakoloru = Qt::UserRole;
constexpr int rolapol = Qt::UserRole + 1;
} // namespace

TForm4::TForm4(QWidget* parent)
    : ToolWindow(parent, "Form4", QStringLiteral("Lista rekordów"), QSize(364, 376), true)
{
    Form4 = this;

    Label1 = newLabel(this, "Label1", QStringLiteral("Najlepsi zmieniacze"), {0, 16, 361, 28},
                      Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(Label1, Qt::red);

    Button1 = newButton(this, "Button1", QStringLiteral("OK"), {144, 344, 81, 25});
    setDefaultButton(Button1); // Enter from the table too

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);

    // The list shows the records as they are now until it is rebuilt; its
    // table is made, and filled from them, when the list is first opened,
    // not while the game starts.
    naliscie_ = std::make_unique<TRekordy>(rekordy);
}

TForm4::~TForm4() = default;

void TForm4::prepareFirstShow()
{
    // The heading's face is found and sized when the list is first opened.
    Label1->setFont(arialBlack(20));
    Label1->setContentsMargins(0, arialBlackDrop(Label1->font(), 20), 0, 0);
    if (naliscie_)
        FormCreate();
}

void TForm4::zrobtabele()
{
    listar = new RowTable(0, 0, this);
    listar->setHorizontalHeader(new NaglowekListy(Qt::Horizontal, listar));
    listar->setColumnCount(5);
    listar->setObjectName(QStringLiteral("listar"));
    listar->setGeometry(8, 56, 353, 281);
    listar->setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // the 2-pixel 3-D border
    listar->setHorizontalHeaderLabels({QStringLiteral("pól"), QStringLiteral("kolorów"), QStringLiteral("imię"),
                                       QStringLiteral("czas"), QStringLiteral("ruchów")});
    QHeaderView* h = listar->horizontalHeader();
    h->setMinimumSectionSize(4);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setStretchLastSection(false);
    h->setHighlightSections(false);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    h->setFixedHeight(wysokoscnaglowka);
    const int szerokosci[5] = {30, 29, 165, 54, 54};
    for (int c = 0; c < 5; ++c)
        listar->setColumnWidth(c, szerokosci[c]);
    QHeaderView* v = listar->verticalHeader();
    v->hide();
    v->setMinimumSectionSize(1);
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setDefaultSectionSize(wysokoscwiersza);
    listar->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listar->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    listar->setVerticalScrollBar(new PasekListy(Qt::Vertical, listar));
    listar->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    listar->setWordWrap(false);
    listar->setTextElideMode(Qt::ElideNone);
    listar->setCornerButtonEnabled(false);
    listar->setTabKeyNavigation(false); // Tab goes on to OK, not to the next cell
    listar->setAccessibleName(Label1->text()); // read as "Najlepsi zmieniacze", not as a bare table

    QWidget::setTabOrder(Button1, listar);
    listar->show();
}

void TForm4::FormCreate()
{
    if (!listar)
        zrobtabele();
    wypelnij(naliscie_ ? *naliscie_ : rekordy);
    naliscie_.reset();
    // Like any fresh table, the list starts with its first row selected;
    // a list made ahead, while hidden, selects it as it opens: a selection
    // tells a screen reader that the table has the focus.
    if (isVisible())
        listar->setCurrentCell(0, 0);
}

void TForm4::showEvent(QShowEvent* e)
{
    ToolWindow::showEvent(e);
    if (listar && listar->currentRow() < 0)
        listar->setCurrentCell(0, 0);
}

void TForm4::odswiezlisterekordow()
{
    if (naliscie_) {
        naliscie_.reset(); // a rebuild shows the records of now
        FormCreate();
    } else {
        wypelnij(rekordy);
    }
}

void TForm4::wypelnij(TRekordy& z)
{
    // The rows always come in the same order, so the selected row and the
    // scroll position stay on the same boards across a rebuild.
    const int zaznaczony = listar->currentRow();

    listar->setRowCount(0);
    for (int k = 1; k <= 3; ++k) {
        bool jest[101] = {};
        for (int a = 3; a <= 10; ++a)
            for (int b = 3; b <= 10; ++b) {
                const int p = a * b;
                if (jest[p])
                    continue;
                jest[p] = true;
                const TRekord& r = z[k][p];
                const QString teksty[5] = {
                    QString::number(p).rightJustified(3, QLatin1Char(' ')),
                    QString::number(k),
                    imierekordu(r),
                    // One decimal and a point, whatever the locale.
                    QString::number(r.czas, 'f', 1),
                    QString::number(r.ruchow),
                };
                const int w = listar->rowCount();
                listar->insertRow(w);
                for (int c = 0; c < 5; ++c) {
                    auto* item = new QTableWidgetItem(teksty[c]);
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                    item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
                    listar->setItem(w, c, item);
                }
                listar->item(w, 0)->setData(rolakoloru, k);
                listar->item(w, 0)->setData(rolapol, p);
            }
    }

    // The table cut down to its heading is back at its top; then it
    // scrolls only as far as it must to show the selected row.
    listar->updateScrollRange();
    listar->verticalScrollBar()->setValue(0);
    if (zaznaczony >= 0 && zaznaczony < listar->rowCount()) {
        listar->setCurrentCell(zaznaczony, 0);
        listar->scrollToItem(listar->item(zaznaczony, 0), QAbstractItemView::EnsureVisible);
    }
}

bool TForm4::zaznaczwiersz(int kolory, int pola)
{
    if (!listar)
        FormCreate();
    // Table row t is list row t + 1.
    for (int t = 0; t < listar->rowCount(); ++t) {
        const QTableWidgetItem* klucz = listar->item(t, 0);
        if (klucz->data(rolakoloru).toInt() != kolory || klucz->data(rolapol).toInt() != pola)
            continue;
        listar->updateScrollRange();
        QScrollBar* s = listar->verticalScrollBar();
        const int gora = s->value(); // top visible table row, before the selection moves it
        const int widac = listar->visibleRows();
        listar->setCurrentCell(t, 0);
        listar->selectRow(t);
        if (t >= gora && t < gora + widac) {
            s->setValue(gora);
        } else {
            // Top list row = selected list row - half the visible rows, not
            // above list row 1; in table rows that is t - widac / 2, not below 0.
            s->setValue(std::max(0, t - widac / 2));
        }
        return true;
    }
    return false;
}

void TForm4::FormShow()
{
    pokazrekord(gra.kolory, gra.x * gra.y, false);
}

void TForm4::pokazrekord(std::uint8_t kolory, int pola, bool tezotwarte)
{
    const bool otwarte = isVisible();
    openCentred();
    if (!otwarte || tezotwarte)
        zaznaczwiersz(kolory, pola); // no such row: the list stays as it was
}

void TForm4::Button1Click()
{
    close();
}
