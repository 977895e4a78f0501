#include "ListaTarcz.h"

#include "Teksty.h"

#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Kolumna { kData, kKierowca, kPojazd, kKmOd, kKmDo, kStatus, kIleKolumn };

} // namespace

ListaTarcz::ListaTarcz(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lista_tarcz"));
    kierowca_ = new QComboBox(this);
    kierowca_->setObjectName(QStringLiteral("filtr_kierowca"));
    czyMiesiac_ = new QCheckBox(tekst("Miesiac"), this);
    czyMiesiac_->setObjectName(QStringLiteral("filtr_czy_miesiac"));
    miesiac_ = new QDateEdit(QDate::currentDate(), this);
    miesiac_->setObjectName(QStringLiteral("filtr_miesiac"));
    miesiac_->setDisplayFormat(QStringLiteral("MM.yyyy"));
    miesiac_->setEnabled(false);
    model_ = new QStandardItemModel(0, kIleKolumn, this);
    model_->setHorizontalHeaderLabels({tekst("KolData"), tekst("KolKierowca"), tekst("KolPojazd"),
                                       tekst("KolKmOd"), tekst("KolKmDo"), tekst("KolStatus")});
    tabela_ = new QTableView(this);
    tabela_->setObjectName(QStringLiteral("tabela_tarcz"));
    tabela_->setModel(model_);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela_->verticalHeader()->hide();
    tabela_->horizontalHeader()->setStretchLastSection(true);

    auto* filtr = new QHBoxLayout;
    filtr->addWidget(new QLabel(tekst("Kierowca"), this));
    filtr->addWidget(kierowca_, 1);
    filtr->addWidget(czyMiesiac_);
    filtr->addWidget(miesiac_);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(filtr);
    uklad->addWidget(tabela_, 1);

    connect(kierowca_, &QComboBox::currentIndexChanged, this, [this] { wczytajTarcze(); });
    connect(czyMiesiac_, &QCheckBox::toggled, this, [this](bool on) {
        miesiac_->setEnabled(on);
        wczytajTarcze();
    });
    connect(miesiac_, &QDateEdit::dateChanged, this, [this] { wczytajTarcze(); });
    // A double click or Enter (activated covers both; a single click where the style says so).
    connect(tabela_, &QTableView::activated, this, &ListaTarcz::aktywowano);
}

void ListaTarcz::odswiez() {
    wczytajKierowcow();
    wczytajTarcze();
}

void ListaTarcz::ustawFiltr(int id_k, const QDate& miesiac) {
    const QSignalBlocker b1(kierowca_), b2(czyMiesiac_), b3(miesiac_);
    kierowca_->setCurrentIndex(std::max(0, kierowca_->findData(id_k)));
    czyMiesiac_->setChecked(miesiac.isValid());
    miesiac_->setEnabled(miesiac.isValid());
    if (miesiac.isValid()) miesiac_->setDate(miesiac);
    wczytajTarcze();
}

int ListaTarcz::ileWierszy() const {
    return model_->rowCount();
}

int ListaTarcz::idTarczy(int wiersz) const {
    return model_->data(model_->index(wiersz, kData), Qt::UserRole).toInt();
}

void ListaTarcz::wczytajKierowcow() {
    const int wybrany = kierowca_->currentData().toInt();
    const QSignalBlocker blokada(kierowca_);
    kierowca_->clear();
    kierowca_->addItem(tekst("Wszyscy"), 0);
    try {
        host::Query q(
            QStringLiteral("select id_k, nazwisko, imie from kierowca order by nazwisko, imie"));
        q.open();
        for (; !q.Eof(); q.Next())
            kierowca_->addItem((q.asString(QStringLiteral("nazwisko")) + QLatin1Char(' ') +
                                q.asString(QStringLiteral("imie")))
                                   .trimmed(),
                               q.asInteger(QStringLiteral("id_k")));
    } catch (const std::exception&) {
        // The chart query below reports the database's trouble once.
    }
    kierowca_->setCurrentIndex(std::max(0, kierowca_->findData(wybrany)));
}

void ListaTarcz::wczytajTarcze() {
    model_->removeRows(0, model_->rowCount());
    blad_.clear();
    QString sql = QStringLiteral(
        "select id_t, data, nazwisko_imie, nr_rej, km_pocz, km_kon, wartosc from vlistatacho "
        "where id_jezyka = :jezyk");
    const int id_k = kierowca_->currentData().toInt();
    if (id_k > 0) sql += QStringLiteral(" and id_k = :id_k");
    if (czyMiesiac_->isChecked()) sql += QStringLiteral(" and data >= :od and data < :do");
    sql += QStringLiteral(" order by data desc, id_t desc");
    try {
        host::Query q(sql);
        q.setParam(QStringLiteral("jezyk"), host::GetLanguageId());
        if (id_k > 0) q.setParam(QStringLiteral("id_k"), id_k);
        if (czyMiesiac_->isChecked()) {
            const QDate d = miesiac_->date();
            const QDate od(d.year(), d.month(), 1);
            q.setParam(QStringLiteral("od"), host::TDateTime::fromDate(od));
            q.setParam(QStringLiteral("do"), host::TDateTime::fromDate(od.addMonths(1)));
        }
        q.open();
        for (; !q.Eof(); q.Next()) {
            QList<QStandardItem*> w;
            auto* dzien = new QStandardItem(
                q.asDateTime(QStringLiteral("data")).date().toString(QStringLiteral("yyyy-MM-dd")));
            dzien->setData(q.asInteger(QStringLiteral("id_t")), Qt::UserRole);
            w << dzien << new QStandardItem(q.asString(QStringLiteral("nazwisko_imie")))
              << new QStandardItem(q.asString(QStringLiteral("nr_rej")));
            for (const char* km : {"km_pocz", "km_kon"})
                w << new QStandardItem(q.isNull(QLatin1String(km))
                                           ? QString()
                                           : QString::number(q.asInteger(QLatin1String(km))));
            w << new QStandardItem(q.asString(QStringLiteral("wartosc")));
            model_->appendRow(w);
        }
    } catch (const std::exception& e) {
        blad_ = QString::fromUtf8(e.what());
        model_->appendRow(new QStandardItem(tekst("ListaBlad").arg(blad_)));
    }
    tabela_->resizeColumnsToContents();
}

void ListaTarcz::aktywowano(const QModelIndex& index) {
    const int id = idTarczy(index.row());
    if (id > 0) emit otworzTarcze(id);
}
