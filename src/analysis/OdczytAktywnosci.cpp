// Activity reader: from the sample table to the chart's periods.
#include "analysis/OdczytAktywnosci.h"

#include "analysis/Czynnosc.h"
#include "host/KatyCzas.h"

#include <QString>

#include <cmath>

namespace analysis {

namespace {

// Activity code of a class; no data for a class that names none (no period is made of it).
int kod_klasy(float c) {
    if (c >= 10.0f && c <= 12.0f) return kJazda;
    if (c >= 7.0f && c <= 9.0f) return kPraca;
    if (c >= 4.0f && c <= 6.0f) return kDyzur;
    if (c > 0.0f && c <= 3.0f) return kPostoj;
    return kBrakDanych;
}

// Length of a period in degrees, forward across 360.
double dlugosc(const OkresOdczytu& o) {
    double koniec = o.kat_do;
    if (koniec < o.kat_od) koniec += 360.0;
    return std::fabs(koniec - o.kat_od);
}

} // namespace

OdczytAktywnosci::OdczytAktywnosci(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie,
                                   ListaOkresow& lista, OdczytKm& odczyt_km)
    : an_(analiza), we_(wejscie), lista_(lista), km_(odczyt_km), probki_(ile_probek_max) {}

int OdczytAktywnosci::ile_probek() const {
    int n = 0;
    while (n < ile_probek_max && probki_[n].kat != 0.0f)
        ++n;
    return n;
}

std::vector<std::pair<float, float>> OdczytAktywnosci::zakresy_jazdy() const {
    std::vector<std::pair<float, float>> w;
    const int n = ile_probek();
    for (int k = 0; k < n; ++k) {
        if (kod_klasy(probki_[k].klasa) != kJazda) continue;
        const int od = k;
        while (k + 1 < n && kod_klasy(probki_[k + 1].klasa) == kJazda)
            ++k;
        w.emplace_back(probki_[od].kat, probki_[k].kat);
    }
    return w;
}

void OdczytAktywnosci::czytaj_km(int p) {
    const OkresOdczytu o = lista_.okres(p);
    const Kalibracja& k = an_.kalibracja();
    km_.ile_pikow(static_cast<float>(host::Katdo360(o.kat_od)),
                  static_cast<float>(host::Katdo360(o.kat_do)), k.delta_rg_km, k.rgorny_km);
}

int OdczytAktywnosci::Odczyt_godzin_pracy() {
    const bool szczeg = we_.szczeg;
    lista_.ustaw_kat24(an_.geometria().kat24);
    dodaj_okresy();
    if (!szczeg && lista_.ile() >= 0) usun_krotkie_przerwy_w_dyzurze();
    if (lista_.ile() >= 0) usun_ponizej_minimum();
    if (!szczeg) usun_jazde_bez_punktow();
    lista_.polacz_przez_poczatek(1);

    double jazda_od = 0.0;
    double jazda_do = 0.0;
    if (szczeg) {
        lista_.pierwsza_ostatnia_jazda(jazda_od, jazda_do);
    } else if (lista_.ile() >= 0) {
        if (lista_.okres(0).czy_praca == kJazda) czytaj_km(0);
        if (lista_.okres(lista_.ile()).czy_praca == kJazda) czytaj_km(lista_.ile());
    }

    if (lista_.ile() >= 0) {
        // A list that closes on itself would read as one point in time; keep the ends apart.
        const int ostatni = lista_.ile();
        const OkresOdczytu o = lista_.okres(ostatni);
        if (lista_.okres(0).kat_od == o.kat_do) lista_.ustaw_kat_do(ostatni, o.kat_do - 0.01);
    }

    if (lista_.ile() < 0) {
        // Nothing readable: the whole disc is rest.
        lista_.dodaj_okres(lista_.kat_rozp(), lista_.kat_rozp() + 359.9, kPostoj);
    } else if (szczeg) {
        const Kalibracja& k = an_.kalibracja();
        km_.ile_pikow(static_cast<float>(host::Katdo360(jazda_od)),
                      static_cast<float>(host::Katdo360(jazda_do)), k.delta_rg_km, k.rgorny_km);
    }

    oznacz_przekroczenia();
    return 1;
}

// Runs of equal classes become periods, each boundary half-way between the two samples that
// differ. The last run ends at its last sample.
void OdczytAktywnosci::dodaj_okresy() {
    const int n = ile_probek();
    for (int k = 0; k < n;) {
        int m = k + 1;
        while (m < n && probki_[m].klasa == probki_[k].klasa)
            ++m;
        const float od = k == 0 ? probki_[0].kat : (probki_[k - 1].kat + probki_[k].kat) / 2.0f;
        const float do_ = m < n ? (probki_[m - 1].kat + probki_[m].kat) / 2.0f : probki_[m - 1].kat;
        const int kod = kod_klasy(probki_[k].klasa);
        if (kod != kBrakDanych) {
            const double a = host::Katdo360(od);
            const double b = host::Katdo360(do_);
            lista_.dodaj_okres(a, b, kod);
            if (kod == kJazda && !we_.szczeg) {
                const Kalibracja& kal = an_.kalibracja();
                km_.ile_pikow(static_cast<float>(a), static_cast<float>(b), kal.delta_rg_km,
                              kal.rgorny_km);
            }
        }
        k = m;
    }
}

// A short rest or work between two stretches of availability is the availability line
// broken, not a real period (under 10 minutes).
void OdczytAktywnosci::usun_krotkie_przerwy_w_dyzurze() {
    for (int i = 0; i <= lista_.ile();) {
        const OkresOdczytu o = lista_.okres(i);
        const bool usun = (o.czy_praca == kPostoj || o.czy_praca == kPraca) && dlugosc(o) < 2.5 &&
                          i > 0 && i < lista_.ile() && lista_.okres(i - 1).czy_praca == kDyzur &&
                          lista_.okres(i + 1).czy_praca == kDyzur;
        if (!usun) {
            ++i;
            continue;
        }
        const int przed = lista_.ile();
        lista_.usun_okres(i, 1);
        if (lista_.ile() == przed) ++i; // a lone period stays where it is
    }
}

int OdczytAktywnosci::minimum_minut(int czy_praca) const {
    const bool jazda = czy_praca == kJazda;
    if (!we_.czytnik) return jazda ? 2 : 3;
    return we_
        .czytnik(jazda ? QStringLiteral("min_zd_po") : QStringLiteral("min_zd_pr"),
                 QStringLiteral("KX"))
        .toInt();
}

template <typename Usun, typename Po>
void OdczytAktywnosci::usun_okresy(Usun usun, Po po_usunieciu) {
    for (int i = 0; i <= lista_.ile();) {
        if (!usun(i, lista_.okres(i))) {
            ++i;
            continue;
        }
        const int przed = lista_.ile();
        lista_.usun_okres(i, 1);
        if (lista_.ile() == przed) {
            ++i;
            continue;
        }
        po_usunieciu(i);
    }
}

void OdczytAktywnosci::usun_ponizej_minimum() {
    // The two minima read once for the pass, not once per period.
    const int min_jazdy = minimum_minut(kJazda), min_innych = minimum_minut(kPraca);
    usun_okresy(
        [&](int, const OkresOdczytu& o) {
            return dlugosc(o) * 4.0 < (o.czy_praca == kJazda ? min_jazdy : min_innych);
        },
        [&](int i) {
            // The neighbours that took the stretch have lost their points; read them again.
            if (we_.szczeg) return;
            if (i > 0 && lista_.okres(i - 1).czy_praca == kJazda) czytaj_km(i - 1);
            if (i <= lista_.ile() && lista_.okres(i).czy_praca == kJazda) czytaj_km(i);
        });
}

// Driving without any distance is a misread line; slivers of other activities are noise.
void OdczytAktywnosci::usun_jazde_bez_punktow() {
    usun_okresy(
        [&](int i, const OkresOdczytu& o) {
            return o.czy_praca == kJazda ? lista_.ile_punktow(i) == 0
                                         : std::fabs(o.kat_do - o.kat_od) < 0.5;
        },
        [&](int i) {
            if (i <= lista_.ile() && lista_.okres(i).czy_praca == kJazda) czytaj_km(i);
        });
}

} // namespace analysis
