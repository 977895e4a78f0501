// The host's employee (driver) record editor over table kierowca.

#include "FormularzFloty.h"

#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// Employment dates are typed as yyyy-MM-dd; empty is no limit.
std::optional<QDate> data_pola(const QLineEdit* e) {
    const QString t = e->text().trimmed();
    if (t.isEmpty()) return QDate();
    const QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid()) return std::nullopt;
    return d;
}

QVariant jako_param(const QDate& d) {
    return d.isValid() ? QVariant::fromValue(host::TDateTime::fromDate(d)) : QVariant();
}

QString jako_tekst(const host::Query& q, const char* kolumna) {
    return q.isNull(QLatin1String(kolumna))
               ? QString()
               : q.asDateTime(QLatin1String(kolumna)).date().toString(Qt::ISODate);
}

} // namespace

extern "C" Q_DECL_EXPORT std::int32_t _EdytujRekord(QWidget* owner, std::int32_t id) {
    FormularzFloty f(owner, tekst("pracownik"));
    auto* nazwisko = f.pole<QLineEdit>("nazwisko");
    auto* imie = f.pole<QLineEdit>("imie");
    QComboBox* firma = f.lista(
        "firma", QStringLiteral("select id_f as id, nazwa as tekst from firma order by nazwa"));
    auto* od = f.pole<QLineEdit>("zatrudniony_od");
    auto* do_ = f.pole<QLineEdit>("zatrudniony_do");
    for (QLineEdit* e : {od, do_})
        e->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
    QComboBox* samochod =
        f.lista("domyslny_sam",
                QStringLiteral("select id_s as id, nr_rej as tekst from samochod order by nr_rej"));
    if (id > 0) {
        host::Query q(QStringLiteral("select nazwisko, imie, id_f, data_od, data_do, domyslny_sam "
                                     "from kierowca where id_k = :id"));
        q.setParam(QStringLiteral("id"), id);
        q.open();
        if (q.Eof()) return 0;
        nazwisko->setText(q.asString(QStringLiteral("nazwisko")));
        imie->setText(q.asString(QStringLiteral("imie")));
        wybierz_id(firma, q.asInteger(QStringLiteral("id_f")));
        od->setText(jako_tekst(q, "data_od"));
        do_->setText(jako_tekst(q, "data_do"));
        wybierz_id(samochod, q.asInteger(QStringLiteral("domyslny_sam")));
    }
    auto sprawdz = [&] {
        if (nazwisko->text().trimmed().isEmpty()) return tekst("brak_nazwiska");
        const auto d1 = data_pola(od), d2 = data_pola(do_);
        if (!d1 || !d2 || (d1->isValid() && d2->isValid() && *d2 < *d1)) return tekst("zle_daty");
        return QString();
    };
    auto zapisz = [&] {
        host::Query z(
            id > 0 ? QStringLiteral("update kierowca set nazwisko = :nazwisko, imie = :imie, "
                                    "id_f = :id_f, data_od = :data_od, data_do = :data_do, "
                                    "domyslny_sam = :sam where id_k = :id")
                   : QStringLiteral("insert into kierowca (nazwisko, imie, id_f, data_od, "
                                    "data_do, domyslny_sam) values (:nazwisko, :imie, :id_f, "
                                    ":data_od, :data_do, :sam)"));
        z.setParam(QStringLiteral("nazwisko"), nazwisko->text().trimmed());
        z.setParam(QStringLiteral("imie"), imie->text().trimmed());
        const int id_f = wybrane_id(firma), sam = wybrane_id(samochod);
        z.setParam(QStringLiteral("id_f"), id_f > 0 ? QVariant(id_f) : QVariant());
        z.setParam(QStringLiteral("data_od"), jako_param(*data_pola(od)));
        z.setParam(QStringLiteral("data_do"), jako_param(*data_pola(do_)));
        z.setParam(QStringLiteral("sam"), sam > 0 ? QVariant(sam) : QVariant());
        z.setParam(QStringLiteral("id"), id);
        z.exec();
        return id > 0 ? int(id) : z.lastInsertId().toInt();
    };
    return f.uruchom(sprawdz, zapisz);
}
