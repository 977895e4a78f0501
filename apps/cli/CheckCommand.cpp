#include "CheckCommand.h"

#include "CommandLine.h"
#include "activity/KontrolaJson.h"
#include "host/Resstrings.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

int runCheckCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    cli::CommandLine cl(QStringLiteral("tacho check"),
                        QStringLiteral("tacho check FILE [--lang pl|en]"),
                        QStringLiteral("Checks a day given as JSON against the driving-time rules "
                                       "and prints the findings as JSON (- reads the standard "
                                       "input)."));
    QCommandLineParser& p = cl.parser();
    const auto lang =
        cl.option(QStringLiteral("lang"), QStringLiteral("Language of the findings: pl or en."),
                  QStringLiteral("pl|en"));
    cl.addArguments(QStringLiteral("FILE"), QStringLiteral("The day file, or -."), {});
    if (const auto done = cl.parse(args, out, err)) return *done;

    const QStringList pliki = p.positionalArguments();
    if (pliki.isEmpty()) return cl.error(QStringLiteral("a day file is needed"), err);
    if (pliki.size() > 1)
        return cl.error(QStringLiteral("one day file at a time, not %1").arg(pliki.size()), err);
    const QString plik = pliki.first();
    const QString jezyk = p.value(lang);
    if (jezyk == QLatin1String("pl"))
        host::SetLanguageId(host::kJezykPolski);
    else if (jezyk == QLatin1String("en"))
        host::SetLanguageId(host::kJezykAngielski);
    else if (!jezyk.isEmpty())
        return cl.error(QStringLiteral("--lang takes pl or en, not %1").arg(jezyk), err);

    // A pipe or device given by name would block the reading; "-" reads one deliberately.
    const QFileInfo info(plik);
    if (plik != QLatin1String("-") && info.exists() && !info.isFile() && !info.isDir()) {
        err << "tacho check: " << plik
            << " is not a regular file (a pipe, socket or device); give - to read the "
               "standard input\n";
        return cli::kUsageError;
    }
    QFile f;
    const bool otwarty = plik == QLatin1String("-")
                             ? f.open(stdin, QIODevice::ReadOnly)
                             : (f.setFileName(plik), f.open(QIODevice::ReadOnly));
    if (!otwarty) {
        err << "tacho check: cannot read " << plik << ": " << f.errorString() << '\n';
        return cli::kUsageError;
    }
    const QByteArray tekst = f.readAll();

    Lista_zdarz lista;
    DzienKontroli dzien;
    QString blad;
    if (!wczytaj_dzien(tekst, lista, dzien, blad)) {
        err << "tacho check: " << plik << ": " << blad << '\n';
        return cli::kUsageError;
    }
    QJsonObject wynik = sprawdz_dzien(lista, dzien);
    wynik.insert(QLatin1String("file"), plik);
    out << QJsonDocument(wynik).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}
