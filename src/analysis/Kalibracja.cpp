#include "analysis/Kalibracja.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <iterator>
#include <type_traits>
#include <variant>

namespace analysis {

namespace {

using Pole = std::variant<float Kalibracja::*, std::int32_t Kalibracja::*>;

// The range of a key comes from the geometry the file describes (docs/calibration.md): a
// 123 mm disc at 300 dpi, edge at about 727 px, distance band 240..332 px, hour ring from
// 362 px, in a bitmap of half size 400..750. A value outside it cannot describe a chart, and
// the readers would look for the rings in empty paper and report an empty day as read.
struct Klucz {
    const char* tekst;
    Pole pole;
    std::int32_t od, do_;
    bool wymagany; // read by the analysis; the others are stored only or have a default
};

// The order of the file's documentation; a line can match at most one key because every key
// ends with "=" and none is a prefix of another.
const Klucz klucze_tab[] = {
    {"r=", &Kalibracja::r, 600, 800, false},
    {"r1=", &Kalibracja::r1, 300, 420, false},
    {"r4=", &Kalibracja::r4, 200, 300, false},
    {"r5=", &Kalibracja::r5, 300, 360, false},
    {"d5=", &Kalibracja::d5, 20, 90, false},
    {"rtest=", &Kalibracja::rtest, 100, 727, true},
    {"off_1p=", &Kalibracja::off_1p, 1, 70, true},
    {"off_2p=", &Kalibracja::off_2p, 1, 70, true},
    {"off_3p=", &Kalibracja::off_3p, 1, 70, true},
    {"off_4p=", &Kalibracja::off_4p, 1, 70, true},
    {"off_5p=", &Kalibracja::off_5p, 1, 70, true},
    {"kolka_km=", &Kalibracja::kolka_km, 0, 1, false},
    {"wysokosc=", &Kalibracja::wysokosc, 800, 1500, true},
    {"szerokosc=", &Kalibracja::szerokosc, 800, 1500, true},
    {"centralne=", &Kalibracja::centralne, 0, 1, false},
    {"rgorny_km=", &Kalibracja::rgorny_km, 301, 360, true},
    {"rdolny_km=", &Kalibracja::rdolny_km, 230, 300, true},
    {"delta_rg_km=", &Kalibracja::delta_rg_km, 1, 15, true},
    {"delta_rd_km=", &Kalibracja::delta_rd_km, 1, 15, true},
    {"delta_rs_km=", &Kalibracja::delta_rs_km, 1, 30, false},
    {"rsrodkowy_km=", &Kalibracja::rsrodkowy_km, 259, 330, false},
};

QString nazwa(const Klucz& k) {
    return QString::fromLatin1(k.tekst).chopped(1);
}

QString zakres(const Klucz& k) {
    return QStringLiteral("%1..%2").arg(k.od).arg(k.do_);
}

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
    bool podany[std::size(klucze_tab)] = {};
    for (int n = 0; n < wiersze.size(); ++n) {
        const QString& w = wiersze[n];
        for (std::size_t i = 0; i < std::size(klucze_tab); ++i) {
            const Klucz& k = klucze_tab[i];
            const QLatin1String klucz(k.tekst);
            if (!w.startsWith(klucz, Qt::CaseSensitive)) continue;
            std::int32_t v = 0;
            if (!na_liczbe(w.mid(klucz.size()), v))
                throw BladKalibracji(
                    plik, n + 1, nazwa(k),
                    QStringLiteral("value \"%1\" is not an integer").arg(w.mid(klucz.size())));
            if (v < k.od || v > k.do_)
                throw BladKalibracji(
                    plik, n + 1, nazwa(k),
                    QStringLiteral("value %1 is out of range (%2)").arg(v).arg(zakres(k)));
            podany[i] = true;
            std::visit(
                [&](auto pole) {
                    using Typ = std::remove_reference_t<decltype(this->*pole)>;
                    this->*pole = static_cast<Typ>(v);
                },
                k.pole);
        }
    }
    QStringList brak;
    QString pierwszy;
    for (std::size_t i = 0; i < std::size(klucze_tab); ++i) {
        if (!klucze_tab[i].wymagany || podany[i]) continue;
        if (pierwszy.isEmpty()) pierwszy = nazwa(klucze_tab[i]);
        brak << QStringLiteral("%1 (%2)").arg(nazwa(klucze_tab[i]), zakres(klucze_tab[i]));
    }
    if (brak.size() == 1)
        throw BladKalibracji(plik, 0, pierwszy,
                             QStringLiteral("key %1 is missing").arg(brak.front()));
    if (!brak.isEmpty())
        throw BladKalibracji(
            plik, 0, pierwszy,
            QStringLiteral("keys missing: %1").arg(brak.join(QStringLiteral(", "))));
    // The distance lines lie one outside the other; the zig-zag's band lies between the first
    // and the last, so out of order they would describe no band at all.
    const std::int32_t off[] = {off_1p, off_2p, off_3p, off_4p, off_5p};
    for (int n = 1; n < 5; ++n)
        if (off[n] <= off[n - 1])
            throw BladKalibracji(plik, 0, QStringLiteral("off_%1p").arg(n + 1),
                                 QStringLiteral("off_1p..off_5p must rise from the inner line to "
                                                "the outer, but off_%1p is %2 and off_%3p %4")
                                     .arg(n)
                                     .arg(off[n - 1])
                                     .arg(n + 1)
                                     .arg(off[n]));
}

} // namespace analysis
