// Day summary.
#include "activity/Podsumowanie.h"

#include "host/KatyCzas.h"

#include <algorithm>
#include <cmath>

namespace {

// A label's "hh:nn": a time of day below a whole day; a whole day of one activity reads
// "24:00", not the "00:00" a clock would show.
QString hhnn(host::TDateTime t) {
    const QString tekst = host::FormatDateTime(QStringLiteral("hh:nn"), t);
    // Whole days as the formatting counts them, after rounding to the millisecond.
    const double ms = std::floor(t.value * 86400000.0 + 0.5);
    const int dni = int(std::floor(ms / 86400000.0));
    if (dni <= 0) return tekst;
    return QString::number(24 * dni + QStringView(tekst).left(2).toInt()) + tekst.mid(2);
}

// The time a label reads, "24:00" included.
double czas_etykiety(const QString& tekst) {
    const int dwukropek = int(tekst.indexOf(QLatin1Char(':')));
    const int godziny = QStringView(tekst).left(dwukropek).toInt();
    if (godziny < 24) return host::StrToTime(tekst);
    return godziny / 24 + host::StrToTime(QString::number(godziny % 24) + tekst.mid(dwukropek));
}

} // namespace

Podsumowanie pokaz_podsum(const Lista_zdarz& lista) {
    Podsumowanie p;
    const host::TDateTime jazda = lista.czas_czynnosci(kJazda);
    p.st_ja = hhnn(jazda);
    p.st_pr = hhnn(lista.czas_czynnosci(kPraca));
    p.st_za = hhnn(lista.czas_czynnosci(kDyzur));
    p.st_br = hhnn(lista.czas_czynnosci(kBrakDanych));

    if (jazda > 0.41666766666666666) {
        p.kolor_ja = Podsumowanie::kKolorPonad10;
        p.Image3 = true;
    } else if (jazda > 0.375001) {
        p.kolor_ja = Podsumowanie::kKolorPonad9;
    }

    p.suma_km =
        lista.czy_szczeg ? lista.punkty_tarczy->odleglosc() : lista.km_w_zakresie(0, lista.ile);
    double kat_jazdy = 0.0;
    for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast)
        if (z->czy_praca == kJazda) kat_jazdy += host::Roznica_katow(z->kat_od, z->kat_do);
    // 15 degrees of the disc are one hour.
    if (kat_jazdy > 0.0) p.predkosc = std::int64_t(double(p.suma_km) * 15.0 / kat_jazdy);

    // Rest is what the other labels leave of the day, as the labels read.
    const QString zero = QStringLiteral("00:00");
    if (p.st_ja == zero && p.st_pr == zero && p.st_za == zero) {
        p.st_po = QStringLiteral("23:59");
    } else {
        using host::StrToTime;
        const double reszta = StrToTime(QStringLiteral("23:59:59")) -
                              (czas_etykiety(p.st_br) + czas_etykiety(p.st_pr) +
                               czas_etykiety(p.st_za) + czas_etykiety(p.st_ja)) +
                              StrToTime(QStringLiteral("00:00:01"));
        // Labels rounded up can together pass a day: no rest then, not a clock gone round.
        p.st_po = hhnn(std::max(reszta, 0.0));
        if (p.st_po == QLatin1String("00:01")) p.st_po = zero;
    }
    return p;
}
