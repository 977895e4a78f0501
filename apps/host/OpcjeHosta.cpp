#include "OpcjeHosta.h"

#include <QCommandLineParser>
#include <QStandardPaths>
#include <QUrl>

QString domyslnyFolderDanych() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/tacho");
}

bool parsujAdresBazy(const QString& adres, host::ConnectionParams& wynik, QString& blad) {
    const QUrl url(adres, QUrl::StrictMode);
    const QString schemat = url.scheme().toLower();
    const QString baza = url.path().mid(1);
    if (!url.isValid() ||
        (schemat != QLatin1String("postgresql") && schemat != QLatin1String("postgres"))) {
        blad = QStringLiteral("--db: expected postgresql://user@host:port/database, got \"%1\"")
                   .arg(adres);
        return false;
    }
    if (url.host().isEmpty() || baza.isEmpty() || baza.contains(QLatin1Char('/'))) {
        blad = QStringLiteral("--db: \"%1\" names no server or no database").arg(adres);
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

bool parsujOpcjeHosta(const QStringList& argumenty, OpcjeHosta& wynik, QString& blad,
                      QString* pomoc) {
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral("Tacho: analogue tachograph charts of a fleet, one window per chart."));
    const QCommandLineOption help = p.addHelpOption();
    const QCommandLineOption dane(
        QStringLiteral("data"), QStringLiteral("Data folder (settings, images, SQLite database)."),
        QStringLiteral("DIR"));
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("Shared PostgreSQL database instead of the data "
                                               "folder's SQLite file."),
                                QStringLiteral("postgresql://user@host:port/db"));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language of the texts for this run: pl or en."),
                                  QStringLiteral("pl|en"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Add the demo charts to a database that holds no chart yet."));
    p.addOptions({dane, db, lang, demo});
    if (!p.parse(argumenty)) {
        blad = p.errorText();
        return false;
    }
    if (p.isSet(help)) {
        if (pomoc) *pomoc = p.helpText();
        return true;
    }
    if (!p.positionalArguments().isEmpty()) {
        blad = QStringLiteral("Unexpected argument: %1").arg(p.positionalArguments().first());
        return false;
    }
    wynik = OpcjeHosta{};
    wynik.dane = p.isSet(dane) ? p.value(dane) : domyslnyFolderDanych();
    if (wynik.dane.trimmed().isEmpty()) {
        blad = QStringLiteral("No data folder: give one with --data DIR");
        return false;
    }
    wynik.demo = p.isSet(demo);
    if (p.isSet(db)) {
        if (!parsujAdresBazy(p.value(db), wynik.baza, blad)) return false;
        wynik.serwer = true;
    }
    if (p.isSet(lang)) {
        const QString l = p.value(lang).toLower();
        if (l == QLatin1String("pl"))
            wynik.jezyk = 1;
        else if (l == QLatin1String("en"))
            wynik.jezyk = 2;
        else {
            blad = QStringLiteral("--lang: pl or en, not \"%1\"").arg(p.value(lang));
            return false;
        }
    }
    return true;
}
