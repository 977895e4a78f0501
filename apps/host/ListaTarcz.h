#pragma once
// The host's chart list: the view vlistatacho filtered by driver and month, newest first.
// A double click (or Enter) on a row asks the host to open that chart.

#include <QDate>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QStandardItemModel;
class QTableView;

class ListaTarcz : public QWidget {
    Q_OBJECT
public:
    explicit ListaTarcz(QWidget* parent = nullptr);

    // Reads the drivers and the charts again (the module saved a chart, a database opened).
    // A database error is shown in the list's place, not raised.
    void odswiez();

    // Filter: driver id (0 all) and month (null: all months).
    void ustawFiltr(int id_k, const QDate& miesiac);
    int ileWierszy() const;
    int idTarczy(int wiersz) const;
    QString blad() const { return blad_; }

signals:
    void otworzTarcze(int id_t);

private:
    void wczytajKierowcow();
    void wczytajTarcze();
    void aktywowano(const QModelIndex& index);

    QComboBox* kierowca_;
    QCheckBox* czyMiesiac_;
    QDateEdit* miesiac_;
    QTableView* tabela_;
    QStandardItemModel* model_;
    QString blad_;
};
