#include "host/Naruszenia.h"

#include "host/db/Query.h"

namespace host {

std::vector<NaruszenieZatwierdzone> NaruszeniaZatwierdzone(int id_k, TDateTime od) {
    Query q(QStringLiteral(
        "select coalesce(ustawa, 2) as ustawa, data, data_do, skroc_wydluz, typ from naruszenia "
        "where zatwierdzone = 1 and id_k = :id_k and data >= :data and data < :data_do "
        "and (typ = 1 or typ = 4 or typ = 0) order by data"));
    q.setParam(QStringLiteral("id_k"), id_k);
    q.setParam(QStringLiteral("data"), od);
    q.setParam(QStringLiteral("data_do"), TDateTime(od.value + 1.0));
    q.open();
    std::vector<NaruszenieZatwierdzone> w;
    for (; !q.Eof(); q.Next())
        w.push_back({q.asInteger(QStringLiteral("typ")), q.asInteger(QStringLiteral("ustawa")),
                     q.asDateTime(QStringLiteral("data")), q.asDateTime(QStringLiteral("data_do")),
                     q.asInteger(QStringLiteral("skroc_wydluz"))});
    return w;
}

} // namespace host
