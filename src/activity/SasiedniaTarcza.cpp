#include "activity/SasiedniaTarcza.h"

#include "host/db/Query.h"

bool tarcza_cyfrowa(int cyfrowy) {
    return cyfrowy != 0 && cyfrowy != 4;
}

std::optional<SasiedniaTarcza> sasiednia_tarcza(int id_k, host::TDateTime dzien, int id_tarczy,
                                                bool poprzednia, int id_jezyka) {
    const QString warunek =
        poprzednia ? QStringLiteral("(data < :data or (data = :data1 and id_t < :id_t1)) and "
                                    "(typ_dnia not in (1,2,3) or (cyfrowy > 0 and cyfrowy <> 4)) "
                                    "order by data DESC, id_t DESC")
                   : QStringLiteral("(data > :data or (data = :data1 and id_t > :id_t1)) and "
                                    "(typ_dnia not in (1,2,3) or (cyfrowy > 0 and cyfrowy <> 4)) "
                                    "order by data, id_t");
    host::Query q(
        QStringLiteral("select id_k, nazwisko_imie, nazwa, id_t, cyfrowy, typ_dnia, wartosc, data, "
                       "nr_rej\n"
                       "from vlistatacho\n"
                       "where id_jezyka = :id_jezyka and id_t <> :id_t and id_k = :id_k and \n") +
        warunek + QStringLiteral("\nlimit 2"));
    q.setParam(QStringLiteral("id_jezyka"), id_jezyka);
    q.setParam(QStringLiteral("id_k"), id_k);
    q.setParam(QStringLiteral("data"), dzien);
    q.setParam(QStringLiteral("data1"), dzien);
    q.setParam(QStringLiteral("id_t"), id_tarczy);
    q.setParam(QStringLiteral("id_t1"), id_tarczy);
    q.open();
    if (q.Eof()) return std::nullopt;
    SasiedniaTarcza s;
    s.id_t = q.asInteger(QStringLiteral("id_t"));
    s.cyfrowy = q.asInteger(QStringLiteral("cyfrowy"));
    const double dzien_wiersza = q.asFloat(QStringLiteral("data"));
    q.Next();
    if (!q.Eof() && q.asFloat(QStringLiteral("data")) == dzien_wiersza &&
        tarcza_cyfrowa(q.asInteger(QStringLiteral("cyfrowy"))) != tarcza_cyfrowa(s.cyfrowy)) {
        s.drugi_id_t = q.asInteger(QStringLiteral("id_t"));
        s.drugi_cyfrowy = q.asInteger(QStringLiteral("cyfrowy"));
    }
    return s;
}
