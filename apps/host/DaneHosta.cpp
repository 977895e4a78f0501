#include "DaneHosta.h"

#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/Ustawienia.h"
#include "host/db/Connection.h"
#include "host/db/DemoData.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

StanDanych przygotujDane(const OpcjeHosta& opcje) {
    StanDanych stan;
    if (!QDir().mkpath(opcje.dane))
        throw BladDanych(QStringLiteral("Cannot create the data folder %1")
                             .arg(QDir::toNativeSeparators(opcje.dane)));
    host::SetDataFolder(opcje.dane);
    host::InstallSettings(std::make_shared<host::Ustawienia>(
        QDir(opcje.dane).filePath(QStringLiteral("ustawienia.ini"))));
    if (opcje.jezyk != 0) host::SetLanguageId(opcje.jezyk);

    host::ConnectionParams p = opcje.baza;
    if (!opcje.serwer) {
        p = host::ConnectionParams{};
        p.backend = host::Backend::SQLite;
        p.database = host::DatabaseFileIn(opcje.dane);
        p.schemaUse = host::SchemaUse::Create;
        stan.plikBazy = p.database;
    }
    try {
        auto c = std::make_shared<host::Connection>(p);
        // A new data folder's database (no fleet, no charts) gets the demo data once; a shared
        // server is never filled with it.
        if (!opcje.serwer) stan.bazaNowa = host::db::FillDemoData(*c);
        stan.opisBazy = c->describe();
        host::InstallConnection(std::move(c));
    } catch (const host::DbError& e) {
        throw BladDanych(e.message);
    }
    return stan;
}
