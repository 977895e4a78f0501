#include "host/FolderyDanych.h"

#include "host/HostContext.h"
#include "host/db/Query.h"

namespace host {

namespace {

QString jeden_tekst(const QString& sql, int id) {
    Query q(sql);
    q.setParam(QStringLiteral("id"), id);
    q.open();
    return q.Eof() ? QString() : q.asString(QStringLiteral("w")).trimmed();
}

} // namespace

QString Utnij_slashe_z_tylu(const QString& folder) {
    QString f = folder;
    while (f.endsWith(QLatin1Char('\\')) || f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f;
}

QString nazwa_kat_zywiec(const QString& sciezka_ob) {
    const QString f = Utnij_slashe_z_tylu(sciezka_ob);
    return f.isEmpty() ? DataFolder() : f;
}

QString old_nazwa_kat_zywiec(const QString& sciezka_ob) {
    return nazwa_kat_zywiec(sciezka_ob) + QStringLiteral("\\archiwum");
}

QString fima_kierowcy_z_id(int id_k) {
    return Utnij_slashe_z_tylu(jeden_tekst(
        QStringLiteral("select f.katalog as w from kierowca k join firma f on f.id_f = k.id_f "
                       "where k.id_k = :id"),
        id_k));
}

QString fima_sam_z_id(int id_s) {
    return Utnij_slashe_z_tylu(jeden_tekst(
        QStringLiteral("select f.katalog as w from samochod s join firma f on f.id_f = s.id_f "
                       "where s.id_s = :id"),
        id_s));
}

} // namespace host
