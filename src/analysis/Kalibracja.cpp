#include "analysis/Kalibracja.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <type_traits>
#include <variant>

namespace analysis {

namespace {

using Pole = std::variant<float Kalibracja::*, std::int32_t Kalibracja::*>;

struct Klucz {
    const char* tekst;
    Pole pole;
};

// The order of the file's documentation; a line can match at most one key because every key
// ends with "=" and none is a prefix of another.
const Klucz klucze_tab[] = {
    {"r=", &Kalibracja::r},
    {"r1=", &Kalibracja::r1},
    {"r4=", &Kalibracja::r4},
    {"r5=", &Kalibracja::r5},
    {"d5=", &Kalibracja::d5},
    {"rtest=", &Kalibracja::rtest},
    {"off_1p=", &Kalibracja::off_1p},
    {"off_2p=", &Kalibracja::off_2p},
    {"off_3p=", &Kalibracja::off_3p},
    {"off_4p=", &Kalibracja::off_4p},
    {"off_5p=", &Kalibracja::off_5p},
    {"kolka_km=", &Kalibracja::kolka_km},
    {"wysokosc=", &Kalibracja::wysokosc},
    {"szerokosc=", &Kalibracja::szerokosc},
    {"centralne=", &Kalibracja::centralne},
    {"rgorny_km=", &Kalibracja::rgorny_km},
    {"rdolny_km=", &Kalibracja::rdolny_km},
    {"delta_rg_km=", &Kalibracja::delta_rg_km},
    {"delta_rd_km=", &Kalibracja::delta_rd_km},
    {"delta_rs_km=", &Kalibracja::delta_rs_km},
    {"rsrodkowy_km=", &Kalibracja::rsrodkowy_km},
};

// Decimal integer with an optional sign; blanks around it are tolerated (editors leave them),
// anything else - a fraction, trailing text, an empty value, a number out of 32-bit range -
// is not an integer.
bool na_liczbe(const QString& tekst, std::int32_t& wynik) {
    bool ok = false;
    const int v = tekst.trimmed().toInt(&ok, 10);
    if (ok) wynik = v;
    return ok;
}

} // namespace

BladKalibracji::BladKalibracji(const QString& plik, int wiersz, const QString& klucz,
                               const QString& opis)
    : std::runtime_error(
          (wiersz > 0
               ? QStringLiteral("%1, line %2, key %3: %4")
                     .arg(QDir::toNativeSeparators(plik), QString::number(wiersz), klucz, opis)
               : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(plik), opis))
              .toStdString()),
      plik_(plik), wiersz_(wiersz), klucz_(klucz) {}

QStringList Kalibracja::klucze() {
    QStringList l;
    for (const Klucz& k : klucze_tab)
        l << QString::fromLatin1(k.tekst);
    return l;
}

void Kalibracja::ust_stalych(const QString& folder) {
    kolka_km = 0;
    centralne = 0;
    wczytaj_plik(QDir(folder).filePath(QString::fromLatin1(nazwa_pliku)));
}

void Kalibracja::wczytaj_plik(const QString& sciezka) {
    QFile f(sciezka);
    if (!f.open(QIODevice::ReadOnly))
        throw BladKalibracji(sciezka, 0, QString(),
                             QStringLiteral("cannot be read (%1)").arg(f.errorString()));
    QString tekst = QString::fromUtf8(f.readAll());
    if (tekst.startsWith(QChar(0xFEFF))) tekst.remove(0, 1);
    // Lines end with CR LF, LF or a lone CR; a final terminator opens no extra line.
    static const QRegularExpression koniec_wiersza(QStringLiteral("\r\n|\r|\n"));
    QStringList wiersze = tekst.split(koniec_wiersza);
    if (!wiersze.isEmpty() && wiersze.last().isEmpty()) wiersze.removeLast();
    wczytaj_wiersze(wiersze, sciezka);
}

void Kalibracja::wczytaj_wiersze(const QStringList& wiersze, const QString& plik) {
    for (int n = 0; n < wiersze.size(); ++n) {
        const QString& w = wiersze[n];
        for (const Klucz& k : klucze_tab) {
            const QLatin1String klucz(k.tekst);
            if (!w.startsWith(klucz, Qt::CaseSensitive)) continue;
            std::int32_t v = 0;
            if (!na_liczbe(w.mid(klucz.size()), v)) {
                const QString nazwa = QString(klucz).chopped(1);
                throw BladKalibracji(
                    plik, n + 1, nazwa,
                    QStringLiteral("value \"%1\" is not an integer").arg(w.mid(klucz.size())));
            }
            std::visit(
                [&](auto pole) {
                    using Typ = std::remove_reference_t<decltype(this->*pole)>;
                    this->*pole = static_cast<Typ>(v);
                },
                k.pole);
        }
    }
}

} // namespace analysis
