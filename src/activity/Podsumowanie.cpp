// Day summary.
#include "activity/Podsumowanie.h"

#include "host/KatyCzas.h"

#include <cmath>

namespace {

// A label shows the total as a clock would: "hh:nn" of the day fraction, so a whole day of one
// activity reads "00:00" there. The minute totals beside the labels keep the true length.
QString hhnn(host::TDateTime t) {
    return host::CzasHHNN(t);
}

int minuty(host::TDateTime t) {
    return int(std::llround(t.value * 1440.0));
}

} // namespace

Podsumowanie pokaz_podsum(const Lista_zdarz& lista) {
    Podsumowanie p;
    const host::TDateTime jazda = lista.czas_czynnosci(kJazda);
    p.st_ja = hhnn(jazda);
    const host::TDateTime praca = lista.czas_czynnosci(kPraca);
    const host::TDateTime dyzur = lista.czas_czynnosci(kDyzur);
    const host::TDateTime brak = lista.czas_czynnosci(kBrakDanych);
    p.st_pr = hhnn(praca);
    p.st_za = hhnn(dyzur);
    p.st_br = hhnn(brak);
    p.min_ja = minuty(jazda);
    p.min_pr = minuty(praca);
    p.min_za = minuty(dyzur);
    p.min_br = minuty(brak);

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
        const double reszta =
            StrToTime(QStringLiteral("23:59:59")) -
            (StrToTime(p.st_br) + StrToTime(p.st_pr) + StrToTime(p.st_za) + StrToTime(p.st_ja)) +
            StrToTime(QStringLiteral("00:00:01"));
        p.st_po = hhnn(reszta);
        if (p.st_po == QLatin1String("00:01")) p.st_po = zero;
    }
    return p;
}
