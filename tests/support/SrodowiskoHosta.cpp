#include "SrodowiskoHosta.h"

#include "host/Biblioteki.h"
#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/Uprawnienia.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "host/db/Query.h"

std::shared_ptr<host::ScriptedDialogs> zainstalujSrodowiskoHosta() {
    host::SetExeFolder({});
    host::SetTranslationsFolder({});
    host::InstallSettings(std::make_shared<host::Ustawienia>(QString()));
    host::UsunUprawnienia();
    host::ConnectionParams p;
    p.backend = host::Backend::SQLite;
    p.database = QStringLiteral(":memory:");
    host::InstallConnection(std::make_shared<host::Connection>(p));
    auto dialogi = std::make_shared<host::ScriptedDialogs>();
    host::InstallDialogs(dialogi);
    return dialogi;
}

void usunSrodowiskoHosta() {
    host::InstallDialogs(nullptr);
    host::InstallConnection(nullptr);
    host::InstallSettings(nullptr);
    host::SetExeFolder({});
    host::SetDataFolder({});
}

int dodajTarczeReczna(const TarczaReczna& t) {
    const auto albo_null = [](int v) { return v ? QVariant(v) : QVariant(); };
    host::Query q(QStringLiteral("insert into tacho (data, id_k, typ_dnia, cyfrowy, id_s, km_kon, "
                                 "czy_reczna) values (:d, :k, :t, :c, :s, :km, 1)"));
    q.setParam(QStringLiteral("d"), host::TDateTime::fromDate(t.data));
    q.setParam(QStringLiteral("k"), albo_null(t.id_k));
    q.setParam(QStringLiteral("t"), t.typ_dnia);
    q.setParam(QStringLiteral("c"), t.cyfrowy);
    q.setParam(QStringLiteral("s"), albo_null(t.id_s));
    q.setParam(QStringLiteral("km"), t.km_kon);
    q.exec();
    const int idt = q.lastInsertId().toInt();
    host::ExecQuery(QStringLiteral("insert into tacho_analog (id_t) values (%1)").arg(idt));
    return idt;
}
