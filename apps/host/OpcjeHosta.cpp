#include "OpcjeHosta.h"

#include "cli/CommandLine.h"
#include "host/HostContext.h"

#include <QCoreApplication>
#include <QUrl>

bool parsujAdresBazy(const QString& adres, host::ConnectionParams& wynik, QString& blad) {
    const QUrl url(adres, QUrl::StrictMode);
    // Messages show the address without its password.
    const QString pokaz =
        url.isValid() ? url.toString(QUrl::RemovePassword) : QStringLiteral("(not a URL)");
    const QString schemat = url.scheme().toLower();
    const QString baza = url.path().mid(1);
    if (!url.isValid() ||
        (schemat != QLatin1String("postgresql") && schemat != QLatin1String("postgres"))) {
        blad = QStringLiteral("--db: expected postgresql://user@host:port/database, not %1")
                   .arg(pokaz);
        return false;
    }
    if (url.host().isEmpty() || baza.isEmpty() || baza.contains(QLatin1Char('/'))) {
        blad = QStringLiteral("--db: %1 names no server or no database").arg(pokaz);
        return false;
    }
    wynik = host::ConnectionParams{};
    wynik.backend = host::Backend::PostgreSQL;
    wynik.host = url.host();
    wynik.port = url.port(5432);
    wynik.user = url.userName();
    wynik.password = url.password();
    wynik.database = baza;
    wynik.schemaUse = host::SchemaUse::Create;
    return true;
}

std::optional<int> parsujOpcjeHosta(const QStringList& argumenty, OpcjeHosta& wynik,
                                    QTextStream& out, QTextStream& err) {
    cli::CommandLine cl(
        QStringLiteral("tacho-host"),
        QStringLiteral("tacho-host [--data DIR] [--db postgresql://user@host:port/db] "
                       "[--lang pl|en] [--demo]"),
        QStringLiteral("Analogue tachograph charts of a fleet: the chart list and one window "
                       "per chart."));
    QCommandLineParser& p = cl.parser();
    cl.addVersion(QCoreApplication::applicationVersion());
    const auto dane = cl.option(QStringLiteral("data"),
                                QStringLiteral("Data folder (settings, images, SQLite database)."),
                                QStringLiteral("DIR"));
    const auto db = cl.option(
        QStringLiteral("db"),
        QStringLiteral("Shared PostgreSQL database instead of the data folder's SQLite file."),
        QStringLiteral("postgresql://user@host:port/db"));
    const auto lang = cl.option(
        QStringLiteral("lang"),
        QStringLiteral("Language of the texts: pl or en (stored as the language setting)."),
        QStringLiteral("pl|en"));
    const auto demo =
        cl.option(QStringLiteral("demo"),
                  QStringLiteral("Add the demo charts to a database that holds no chart yet."));
    if (const auto koniec = cl.parse(argumenty, out, err)) return koniec;
    wynik = OpcjeHosta{};
    wynik.dane = p.isSet(dane) ? p.value(dane) : host::DefaultDataFolder();
    if (wynik.dane.trimmed().isEmpty())
        return cl.error(QStringLiteral("no data folder: give one with --data DIR"), err);
    wynik.demo = p.isSet(demo);
    if (p.isSet(db)) {
        QString blad;
        if (!parsujAdresBazy(p.value(db), wynik.baza, blad)) return cl.error(blad, err);
        wynik.serwer = true;
        // The demo charts name a demo fleet that a shared server does not hold.
        if (wynik.demo)
            return cl.error(QStringLiteral("--demo belongs to the data folder's own database, "
                                           "not to a shared server (--db)"),
                            err);
    }
    if (p.isSet(lang)) {
        const QString l = p.value(lang).toLower();
        if (l == QLatin1String("pl"))
            wynik.jezyk = 1;
        else if (l == QLatin1String("en"))
            wynik.jezyk = 2;
        else
            return cl.error(QStringLiteral("--lang takes pl or en, not %1").arg(p.value(lang)),
                            err);
    }
    return std::nullopt;
}
