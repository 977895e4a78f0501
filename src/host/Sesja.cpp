#include "host/Sesja.h"

#include "host/db/Query.h"

namespace host {

namespace {

void ustaw(Query& q, const QString& nazwa_dll, int id_, int id_u) {
    q.setParam(QStringLiteral("nazwa_dll"), nazwa_dll);
    q.setParam(QStringLiteral("id_"), id_);
    q.setParam(QStringLiteral("id_u"), id_u);
}

} // namespace

bool JestWierszSesji(const QString& nazwa_dll, int id_, int id_u) {
    Query q(QStringLiteral("select id_sesji from sesja where id_u = :id_u and nazwa_dll = "
                           ":nazwa_dll and id_ = :id_ limit 1"));
    ustaw(q, nazwa_dll, id_, id_u);
    q.open();
    return !q.Eof();
}

void ZapiszWierszSesji(const QString& nazwa_dll, int id_, int id_u) {
    if (id_ <= 0 || JestWierszSesji(nazwa_dll, id_, id_u)) return;
    Query q(QStringLiteral(
        "insert into sesja (nazwa_dll, id_, id_u) values (:nazwa_dll, :id_, :id_u)"));
    ustaw(q, nazwa_dll, id_, id_u);
    q.exec();
}

void UsunWierszSesji(const QString& nazwa_dll, int id_, int id_u) {
    Query q(QStringLiteral(
        "delete from sesja where id_u = :id_u and nazwa_dll = :nazwa_dll and id_ = :id_"));
    ustaw(q, nazwa_dll, id_, id_u);
    q.exec();
}

} // namespace host
