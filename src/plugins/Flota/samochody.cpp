// The host's vehicle record editor over table samochod.

#include "FormularzFloty.h"

#include "host/db/Query.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

extern "C" Q_DECL_EXPORT std::int32_t _EdytujRekord(QWidget* owner, std::int32_t id) {
    FormularzFloty f(owner, tekst("samochod"));
    auto* nr_rej = f.pole<QLineEdit>("nr_rej");
    auto* marka = f.pole<QLineEdit>("marka");
    QComboBox* firma = f.lista(
        "firma", QStringLiteral("select id_f as id, nazwa as tekst from firma order by nazwa"));
    auto* maly = f.pole<QCheckBox>("maly");
    if (id > 0) {
        host::Query q(
            QStringLiteral("select nr_rej, marka, id_f, czy_maly from samochod where id_s = :id"));
        q.setParam(QStringLiteral("id"), id);
        q.open();
        if (q.Eof()) return 0;
        nr_rej->setText(q.asString(QStringLiteral("nr_rej")));
        marka->setText(q.asString(QStringLiteral("marka")));
        wybierz_id(firma, q.asInteger(QStringLiteral("id_f")));
        maly->setChecked(q.asInteger(QStringLiteral("czy_maly")) != 0);
    }
    return f.uruchom(
        [&] { return nr_rej->text().trimmed().isEmpty() ? tekst("brak_nr_rej") : QString(); },
        [&] {
            host::Query z(
                id > 0 ? QStringLiteral("update samochod set nr_rej = :nr_rej, marka = :marka, "
                                        "id_f = :id_f, czy_maly = :czy_maly where id_s = :id")
                       : QStringLiteral("insert into samochod (nr_rej, marka, id_f, czy_maly) "
                                        "values (:nr_rej, :marka, :id_f, :czy_maly)"));
            z.setParam(QStringLiteral("nr_rej"), nr_rej->text().trimmed());
            z.setParam(QStringLiteral("marka"), marka->text().trimmed());
            const int id_f = wybrane_id(firma);
            z.setParam(QStringLiteral("id_f"), id_f > 0 ? QVariant(id_f) : QVariant());
            z.setParam(QStringLiteral("czy_maly"), maly->isChecked() ? 1 : 0);
            z.setParam(QStringLiteral("id"), id);
            z.exec();
            return id > 0 ? int(id) : z.lastInsertId().toInt();
        });
}
