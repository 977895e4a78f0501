#include "host/Slowniki.h"

#include "host/Dialogi.h"
#include "host/Resstrings.h"
#include "host/db/Query.h"

#include <algorithm>
#include <vector>

namespace host {

namespace {

struct Parametr {
    int id_sp;
    QString nazwa;
};

// The dictionary's parameters, "nazwa" first.
std::vector<Parametr> parametry(const QString& typ) {
    Query q(QStringLiteral("select s2p.id_sp, p.nazwa from slownik s"
                           " inner join slownik2parametry s2p on s2p.id_slow = s.id_slow"
                           " inner join slowparametry p on p.id_parametru = s2p.id_parametru"
                           " where s.typ_slownika = :typ order by s2p.id_sp"));
    q.setParam(QStringLiteral("typ"), typ);
    std::vector<Parametr> wynik;
    for (q.open(); !q.Eof(); q.Next()) {
        Parametr p{q.asInteger(QStringLiteral("id_sp")), q.asString(QStringLiteral("nazwa"))};
        if (p.nazwa == QLatin1String("nazwa"))
            wynik.insert(wynik.begin(), p);
        else
            wynik.push_back(p);
    }
    return wynik;
}

int nastepna_grupa(const std::vector<Parametr>& p) {
    int grupa = 0;
    for (const Parametr& x : p) {
        Query q(QStringLiteral("select max(grupa) as g from slowwartosci where id_sp = :id_sp"));
        q.setParam(QStringLiteral("id_sp"), x.id_sp);
        q.open();
        grupa = std::max(grupa, q.asInteger(QStringLiteral("g")));
    }
    return grupa + 1;
}

} // namespace

int OpenRamka(const QString& typ_slownika, QWidget* owner) {
    const std::vector<Parametr> p = parametry(typ_slownika);
    if (p.empty() || p.front().nazwa != QLatin1String("nazwa")) {
        InfoBox(LoadResstrings(QStringLiteral("Resstrings_IDS_brak_slownika")).arg(typ_slownika),
                MB_OK, owner);
        return 0;
    }
    QStringList wartosci;
    for (const Parametr& x : p) {
        const QString w =
            InputBox(LoadResstrings(QStringLiteral("Resstrings_IDS_slownik_nowa_pozycja"))
                         .arg(typ_slownika, x.nazwa),
                     owner, QString())
                .trimmed();
        if (w.isEmpty() && wartosci.isEmpty()) return 0; // no name: nothing to add
        wartosci << w;
    }
    Connection& db = GetConnection();
    db.BeginTrans();
    try {
        const int grupa = nastepna_grupa(p);
        int id_nazwy = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            Query q(QStringLiteral("insert into slowwartosci (id_sp, grupa, wartosc)"
                                   " values (:id_sp, :grupa, :wartosc)"));
            q.setParam(QStringLiteral("id_sp"), p[i].id_sp);
            q.setParam(QStringLiteral("grupa"), grupa);
            q.setParam(QStringLiteral("wartosc"), wartosci[int(i)]);
            q.exec();
            if (i == 0) id_nazwy = q.lastInsertId().toInt();
        }
        db.CommitTrans();
        return id_nazwy;
    } catch (...) {
        db.RollbackTrans();
        throw;
    }
}

Query StatusyTarczy(int id_jezyka) {
    Query q(QStringLiteral("select s1.id, s1.wartosc, s1.grupa, s1.nazwa_parametru\n"
                           "from VListaPozSlownika s1\n"
                           "where s1.typ_slownika='tarcza_status' and s1.id_jezyka=:id_jezyka  "
                           "and nazwa_parametru = 'nazwa'\n"
                           "order by s1.wartosc"));
    q.setParam(QStringLiteral("id_jezyka"), id_jezyka);
    return q;
}

} // namespace host
