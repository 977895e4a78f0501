#include "CheckCommand.h"

#include "activity/KontrolaJson.h"
#include "host/Resstrings.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace {

constexpr int kUsage = 2;

const char* const kUsageText = "usage: tacho check FILE [--lang pl|en]\n";

} // namespace

int runCheckCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString plik;
    QString jezyk;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--lang") && i + 1 < args.size()) {
            jezyk = args[++i];
        } else if (a.startsWith(QLatin1String("--lang="))) {
            jezyk = a.mid(7);
        } else if (plik.isEmpty() && (a == QLatin1String("-") || !a.startsWith(QLatin1Char('-')))) {
            plik = a;
        } else {
            err << "tacho check: unexpected argument " << a << '\n' << kUsageText;
            return kUsage;
        }
    }
    if (plik.isEmpty()) {
        err << "tacho check: a day file is needed\n" << kUsageText;
        return kUsage;
    }
    if (jezyk == QLatin1String("pl"))
        host::SetLanguageId(host::kJezykPolski);
    else if (jezyk == QLatin1String("en"))
        host::SetLanguageId(host::kJezykAngielski);
    else if (!jezyk.isEmpty()) {
        err << "tacho check: --lang takes pl or en\n";
        return kUsage;
    }

    // A pipe or device given by name would block the reading; "-" reads one deliberately.
    const QFileInfo info(plik);
    if (plik != QLatin1String("-") && info.exists() && !info.isFile() && !info.isDir()) {
        err << "tacho check: " << plik
            << " is not a regular file (a pipe, socket or device); give - to read the "
               "standard input\n";
        return kUsage;
    }
    QFile f;
    const bool otwarty = plik == QLatin1String("-")
                             ? f.open(stdin, QIODevice::ReadOnly)
                             : (f.setFileName(plik), f.open(QIODevice::ReadOnly));
    if (!otwarty) {
        err << "tacho check: cannot read " << plik << ": " << f.errorString() << '\n';
        return kUsage;
    }
    const QByteArray tekst = f.readAll();

    Lista_zdarz lista;
    DzienKontroli dzien;
    QString blad;
    if (!wczytaj_dzien(tekst, lista, dzien, blad)) {
        err << "tacho check: " << plik << ": " << blad << '\n';
        return kUsage;
    }
    QJsonObject wynik = sprawdz_dzien(lista, dzien);
    wynik.insert(QLatin1String("file"), plik);
    out << QJsonDocument(wynik).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}
