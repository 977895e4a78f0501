#pragma once
// The period grid's content: rows x columns of text, row 0 the captions. The chart window's
// string grid shows it; the command-line tool prints it.

#include <QString>
#include <QStringList>

#include <vector>

class SiatkaZdarzen {
public:
    static constexpr int kKolumny = 9; // seven shown, column 8 holds the unrounded duration

    explicit SiatkaZdarzen(int wiersze = 1, int kolumny = kKolumny);

    int RowCount() const { return wiersze_; }
    int ColCount() const { return kolumny_; }
    // Resizing keeps the texts that still fit.
    void SetRowCount(int n);
    void SetColCount(int n);

    // Cells are addressed column first, as in the grid control; off-grid reads give an empty
    // text and off-grid writes are ignored.
    QString Cells(int kol, int wiersz) const;
    void SetCells(int kol, int wiersz, const QString& tekst);

    QStringList wiersz(int w) const;
    // The whole grid, one line per row, cells separated by tabs.
    QString doTekstu(int ile_kolumn = -1) const;

private:
    void przebuduj(int wiersze, int kolumny);

    int wiersze_ = 0;
    int kolumny_ = 0;
    std::vector<QString> komorki_;
};
