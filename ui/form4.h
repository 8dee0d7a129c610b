#pragma once
#include <QPointer>
#include <cstdint>
#include <memory>

#include "widgets/rowtable.h"
#include "widgets/window.h"

class QLabel;
class QPushButton;
class TRekordy;

// Lista rekordów: one row per colour count and number of fields. The
// heading row of the list is the table's header, apart from the rows: list
// row r (1..96, the heading being row 0) is table row r - 1.
class TForm4 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    // Builds the rows from the records as they were when the list was
    // created, the first row selected once the list is open. Runs when the
    // list is made ready, first opened or rebuilt, whichever comes first:
    // nobody sees the rows before.
    void FormCreate();
    // Opens the list centred; a list that was hidden selects the row of the
    // game on screen.
    void FormShow();
    void Button1Click();
    void odswiezlisterekordow();

    // Selects the row of colour count `kolory` and `pola` fields and scrolls
    // it into view; false (and nothing changes) when there is no such row.
    bool zaznaczwiersz(int kolory, int pola);
    // Opens the list centred with the row of this board selected; a list
    // that was open already is pointed at the row only when `tezotwarte`.
    void pokazrekord(std::uint8_t kolory, int pola, bool tezotwarte);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    RowTable* listar = nullptr; // made with the rows, see FormCreate

protected:
    void prepareFirstShow() override;
    void showEvent(QShowEvent* e) override;

private:
    void zrobtabele();
    void wypelnij(TRekordy& z);
    // The records of the list's creation while its rows are not made yet.
    std::unique_ptr<TRekordy> naliscie_;
};
extern QPointer<TForm4> Form4; // empty once the window is gone
