#include "FormularzFloty.h"

#include "host/Dialogi.h"
#include "host/Resstrings.h"
#include "host/db/Query.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

QString tekst(const char* klucz) {
    return host::LoadResstrings(QStringLiteral("Resstrings_IDS_flota_") + QLatin1String(klucz));
}

int wybrane_id(const QComboBox* box) {
    return box->currentIndex() < 0 ? 0 : box->currentData().toInt();
}

void wybierz_id(QComboBox* box, int id) {
    box->setCurrentIndex(std::max(0, box->findData(id)));
}

FormularzFloty::FormularzFloty(QWidget* owner, const QString& tytul) : QDialog(owner) {
    setWindowTitle(tytul);
    auto* caly = new QVBoxLayout(this);
    uklad_ = new QFormLayout;
    caly->addLayout(uklad_);
    auto* przyciski = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(przyciski, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(przyciski, &QDialogButtonBox::rejected, this, &QDialog::reject);
    caly->addWidget(przyciski);
}

void FormularzFloty::dodaj(const char* klucz, QWidget* w) {
    uklad_->addRow(tekst(klucz), w);
}

QComboBox* FormularzFloty::lista(const char* klucz, const QString& sql) {
    auto* box = pole<QComboBox>(klucz);
    box->addItem(QString(), 0);
    host::Query q(sql);
    for (q.open(); !q.Eof(); q.Next())
        box->addItem(q.asString(QStringLiteral("tekst")), q.asInteger(QStringLiteral("id")));
    return box;
}

int FormularzFloty::uruchom(const std::function<QString()>& sprawdz,
                            const std::function<int()>& zapisz) {
    while (host::RunForm(*this)) {
        const QString blad = sprawdz();
        if (blad.isEmpty()) return zapisz();
        host::InfoBox(blad, host::MB_OK, this);
    }
    return 0;
}
