#pragma once
#include <cstdint>
#include <QTableWidget>

#include "widgets/window.h"

class QLabel;
class QPushButton;

// The table of the records list. The heading row of the list is the table's
// header, apart from the rows: list row r (1..96, the heading being row 0)
// is table row r - 1.
class TablicaRekordow : public QTableWidget {
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;
    // Rows that fit whole into the visible area.
    int widocznewiersze() const;
    // Brings the scroll range up to date with the rows and the size now.
    void uaktualnij() { updateGeometries(); }

protected:
    // The grid lines, drawn on whole device pixels: on a scaled screen
    // every line is as wide as every other.
    void paintEvent(QPaintEvent* e) override;
    // One whole row is always selected: a Ctrl+click on it, or a click
    // below the last row, does not leave the list without one.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
};

// Lista rekordów: one row per colour count and number of fields.
class TForm4 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

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
    TablicaRekordow* listar = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void prepareFirstShow() override;
};
extern TForm4* Form4;
