// Period list: life cycle, setters, adding with conversion, sorting and copying.
#include "activity/Lista_zdarz.h"

#include "host/Biblioteki.h"
#include "host/KatyCzas.h"

#include <cmath>
#include <vector>

std::shared_ptr<QLibrary> Lista_zdarz::biblioteka_zamiany() {
    return host::LoadLibrary_main(QStringLiteral("dane\\Korvix\\KxZamianaZdarzen.dll"));
}

Lista_zdarz::Lista_zdarz() : punkty_tarczy(std::make_unique<lista_pkt>()) {
    biblioteka = biblioteka_zamiany();
    if (biblioteka) {
        NEW_Zdarzenie =
            reinterpret_cast<NEW_KxZdarzenie_fn>(biblioteka->resolve("_NEW_KxZdarzenie"));
        if (host::GetZm(QStringLiteral("KxZamianaZdarzenDaneAnalogowe"), QStringLiteral("KX"))
                .toBool())
            ZamienZdarzenie =
                reinterpret_cast<ZamienZdarzenie_fn>(biblioteka->resolve("_ZamienZdarzenie"));
    }
}

Lista_zdarz::~Lista_zdarz() {
    czysc();
    // The events' code lives in the library: release them before it goes.
    oryginalne.clear();
    ZamienZdarzenie = nullptr;
    NEW_Zdarzenie = nullptr;
    biblioteka.reset();
}

void Lista_zdarz::ustaw_okno(host::Bitmap32* okno_, const host::Bitmap32* obraz_) {
    okno = okno_;
    obraz = obraz_;
}

void Lista_zdarz::ustaw_kat24(double kat) {
    kat24 = kat;
}

void Lista_zdarz::ustaw_kat24_przelicz(double kat) {
    kat24 = kat;
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        z->czas_od = host::KatNaGodz(z->kat_od, kat24);
        z->czas_do = host::KatNaGodz(z->kat_do, kat24);
    }
}

void Lista_zdarz::ustaw_kat_rozp(double kat) {
    kat_rozp = kat;
    if (kat_rozp >= 360.0) kat_rozp -= 360.0;
}

void Lista_zdarz::ustaw_promien(int r) {
    promien = r;
}

void Lista_zdarz::skaluj(int cx, int cy, int szer, int wys) {
    // The reference size of the scan is told by its centre alone.
    const int d = cx < 450 ? 800 : (cx > 600 ? 1500 : 1000);
    x0 = cx * szer / d;
    y0 = cy * wys / d;
}

void Lista_zdarz::dolacz_na_poczatek(Zdarzenie* z) {
    z->poprz = nullptr;
    z->nast = pierwszy;
    if (pierwszy)
        pierwszy->poprz = z;
    else
        ostatni = z;
    pierwszy = z;
    ++ile;
    biezacy = z;
}

void Lista_zdarz::odlacz(Zdarzenie* z) {
    if (z->poprz)
        z->poprz->nast = z->nast;
    else
        pierwszy = z->nast;
    if (z->nast)
        z->nast->poprz = z->poprz;
    else
        ostatni = z->poprz;
    z->poprz = z->nast = nullptr;
    --ile;
    for (Zdarzenie** wsk : {&granica, &zaznaczony, &zaznaczony_km, &biezacy})
        if (*wsk == z) *wsk = nullptr;
}

bool Lista_zdarz::konwertuj(Zdarzenie& z, std::deque<std::unique_ptr<Zdarzenie>>& wynik) {
    std::unique_ptr<IKxZdarzenie> e = zrob_zdarzenie(z, NEW_Zdarzenie);
    if (!e) return false;
    KxZdarzenia zwrocone;
    ZamienZdarzenie(zwrocone, e.get(),
                    host::GetZm(QStringLiteral("aktywna_firma"), QStringLiteral("ALL")).toInt());
    std::vector<std::unique_ptr<IKxZdarzenie>> nowe;
    for (IKxZdarzenie* n : zwrocone)
        if (n) nowe.emplace_back(n);
    if (nowe.empty()) return false;

    e->set_kat_trw(z.kat_trw());
    oryginalne.push_back(std::move(e));

    // The replacements share the entered stretch in proportion to their durations. Both the
    // durations and the stretch are taken forward across midnight / angle 0.
    double dl_czasu = z.czas_do - z.czas_od;
    if (dl_czasu <= 0.0) dl_czasu += 1.0;
    const double dl_kata = z.kat_trw();
    double od = z.kat_od;
    for (size_t i = 0; i < nowe.size(); ++i) {
        auto n = std::make_unique<Zdarzenie>(*nowe[i]);
        n->pz_zespol = kZnakReczny;
        n->kat_od = od;
        if (i + 1 == nowe.size()) {
            n->kat_do = z.kat_do;
        } else {
            double d = nowe[i]->get_czas_do() - nowe[i]->get_czas_od();
            if (d < 0.0) d += 1.0;
            n->kat_do = od + d / dl_czasu * dl_kata;
        }
        od = n->kat_do;
        wynik.push_back(std::move(n));
    }
    return true;
}

void Lista_zdarz::dodaj_zdarzenie(double kat_od, double kat_do, int czy_praca, int km, int podjazd,
                                  int out, int pz_zespol, const lista_pkt* punkty,
                                  [[maybe_unused]] int czy_przerwa, int zamiana) {
    // A new period carries no break mark: the rule check sets it.
    auto z =
        std::make_unique<Zdarzenie>(0, kat_od, kat_do, czy_praca, km, podjazd, out, 0, pz_zespol);
    z->czas_od = host::KatNaGodz(kat_od, kat24);
    z->czas_do = host::KatNaGodz(host::Katdo360(kat_do), kat24);
    if (punkty) punkty->kopiuj_do(*z->punkty);

    std::deque<std::unique_ptr<Zdarzenie>> wynik;
    if (!(zamiana && ZamienZdarzenie && konwertuj(*z, wynik))) wynik.push_back(std::move(z));
    for (auto& n : wynik)
        dolacz_na_poczatek(n.release());
    sortuj(kTolSortuDokladna);
}

void Lista_zdarz::dodaj_zdarzenie_wczytane(host::TDateTime czas_od, host::TDateTime czas_do,
                                           int czy_praca, int km, int id_tpz, int podjazd, int out,
                                           int pz_zespol) {
    const double od = host::CzasNaKat(czas_od, kat24);
    const double do_ = host::CzasNaKat(czas_do, kat24);
    auto z =
        std::make_unique<Zdarzenie>(id_tpz, od, do_, czy_praca, km, podjazd, out, 0, pz_zespol);
    z->czas_od = host::KatNaGodz(od, kat24);
    z->czas_do = host::KatNaGodz(do_, kat24);
    dolacz_na_poczatek(z.release());
}

void Lista_zdarz::dodaj_punkt(int p, float kat, int nr_paska, int promien_) {
    if (Zdarzenie* z = wybierz(p)) z->punkty->dodaj(kat, nr_paska, promien_);
}

int Lista_zdarz::sortuj(double t) {
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->kat_od >= 360.0 && z->kat_do >= 360.0) {
            z->kat_od = host::Katdo360(z->kat_od);
            z->kat_do = host::Katdo360(z->kat_do);
        } else if (z->kat_do < z->kat_od && z->kat_od >= 360.0) {
            z->kat_od = host::Katdo360(z->kat_od);
        }
    }
    double rozp = kat_rozp;
    while (rozp >= 360.0)
        rozp -= 360.0;
    // Bubble passes: equal starts keep their order. A pass that moved nothing leaves every
    // later pass nothing to do, so a list in order costs one pass and a period added at the
    // head of an ordered list (as dodaj_zdarzenie does) two.
    const auto klucz = [rozp, t](const Zdarzenie& z) {
        return z.kat_od <= rozp - t ? z.kat_od + 360.0 : z.kat_od;
    };
    int przebiegi = 0;
    bool zamieniono = true;
    for (int przebieg = 0; przebieg < ile && zamieniono; ++przebieg) {
        zamieniono = false;
        ++przebiegi;
        // The key of the period at a; after a swap that period moves on with it.
        double sa = pierwszy ? klucz(*pierwszy) : 0.0;
        for (Zdarzenie* a = pierwszy; a && a->nast; a = a->nast) {
            Zdarzenie* b = a->nast;
            const double sb = klucz(*b);
            if (sa > sb) {
                a->zamien(*b);
                zamieniono = true;
            } else {
                sa = sb;
            }
        }
    }
    przenumeruj();
    return przebiegi;
}

void Lista_zdarz::przenumeruj() {
    int nr = 0;
    for (Zdarzenie* z = pierwszy; z; z = z->nast)
        z->nr = nr++;
    ile = nr - 1;
}

void Lista_zdarz::czysc() {
    Zdarzenie* z = pierwszy;
    while (z) {
        Zdarzenie* n = z->nast;
        delete z;
        z = n;
    }
    pierwszy = ostatni = granica = zaznaczony = zaznaczony_km = biezacy = nullptr;
    ile = -1;
}

int Lista_zdarz::kopiuj_do(Lista_zdarz& cel) const {
    if (&cel == this) return pierwszy ? 1 : 0;
    cel.czysc();
    cel.x0 = x0;
    cel.y0 = y0;
    cel.kat24 = kat24;
    cel.kat_rozp = kat_rozp;
    cel.godz_rozp = godz_rozp;
    cel.kat_zak = kat_zak;
    cel.czy_szczeg = czy_szczeg;
    cel.klasa_rozmiaru = klasa_rozmiaru;
    cel.zmiana = zmiana;
    cel.styl = styl;
    cel.bez_dociagania = bez_dociagania;
    if (!pierwszy) return 0;
    for (const Zdarzenie* z = pierwszy; z; z = z->nast)
        cel.dodaj_zdarzenie(z->kat_od, z->kat_do, z->czy_praca, z->km, z->podjazd, z->out,
                            z->pz_zespol, czy_szczeg ? nullptr : z->punkty.get(), z->czy_przerwa,
                            0);
    if (czy_szczeg) punkty_tarczy->kopiuj_do(*cel.punkty_tarczy);
    return 1;
}

Zdarzenie* Lista_zdarz::na_pozycji(int p) const {
    Zdarzenie* z = pierwszy;
    while (z && z->nr != p && z->nast)
        z = z->nast;
    return z;
}

Zdarzenie* Lista_zdarz::wybierz(int p) {
    biezacy = na_pozycji(p);
    return biezacy;
}

bool Lista_zdarz::zaczyna_sie_na_kat_zak(const Zdarzenie& z) const {
    return std::fabs(z.kat_od - kat_zak) <= 1e-7;
}

void Lista_zdarz::pelna_tarcza(Zdarzenie& z) {
    z.kat_do = host::Katdo360(z.kat_od + 359.99);
    z.czas_do = z.czas_od - 1.0 / 86400.0;
    if (z.czas_do <= 0.0) z.czas_do = z.czas_do + 1.0;
}

void Lista_zdarz::zapisz_log(const QString& tekst) {
    // The chart log is kept by the step lines' callers only for their order; nothing is
    // written (the host product keeps no analogue-chart log file).
    Q_UNUSED(tekst);
}
