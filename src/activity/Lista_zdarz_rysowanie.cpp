// Period list: the activity ring on the disc view, the recording marks, the hit test and the
// distance points.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"
#include "host/Rysuj.h"

#include <QPainter>

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr host::TColor32 kKolorJazdy = host::Color32(223, 36, 55);
constexpr host::TColor32 kKolorPracy = host::Color32(238, 134, 30);
constexpr host::TColor32 kKolorDyzuru = host::Color32(227, 224, 87);
constexpr host::TColor32 kKolorPostoju = host::Color32(123, 191, 242);
constexpr host::TColor32 kKolorBrakuJasny = host::Color32(255, 255, 255);
constexpr host::TColor32 kKolorBraku = host::Color32(200, 200, 200);
constexpr host::TColor32 kKolorZaznaczenia = host::Color32(0, 0, 210);
constexpr host::TColor32 kKolorRozp = host::Color32(73, 132, 54);
constexpr host::TColor32 kKolorZak = host::Color32(63, 81, 173);
constexpr host::TColor32 kKolorPoludnia = host::Color32(127, 127, 127);

void kopiuj_skan(host::Bitmap32& cel, const host::Bitmap32& skan) {
    if (&cel == &skan || skan.empty()) return;
    // The view still sharing the scan's pixels is already a copy of it (the first drawing on
    // it makes its own).
    if (std::as_const(cel).image().constBits() == skan.image().constBits()) return;
    if (cel.width() == skan.width() && cel.height() == skan.height()) {
        cel.Draw(0, 0, skan);
        return;
    }
    QPainter p(&cel.image());
    p.drawImage(QRect(0, 0, cel.width(), cel.height()), skan.image());
}

} // namespace

// Angle of a mouse position around a centre, as the disc view measures it.
double kat_myszy(double x, double y, double cx, double cy) {
    double a;
    if (x == cx)
        a = y > cy ? 90.0 : 270.0;
    else
        a = std::atan((y - cy) / (x - cx)) * 180.0 / M_PI;
    if (a < 0.0) a += 360.0;
    if (x < cx) a += 180.0;
    if (a >= 360.0) a -= 360.0;
    return a;
}

host::TColor32 Lista_zdarz::kolor_zdarzenia(const Zdarzenie& z, int& cieniowanie) const {
    cieniowanie = 0;
    host::TColor32 k;
    switch (z.czy_praca) {
    case kJazda:
        k = kKolorJazdy;
        break;
    case kPraca:
        k = kKolorPracy;
        break;
    case kDyzur:
        k = kKolorDyzuru;
        break;
    case kPostoj:
        if (z.pz_zespol == kZnakBrakDanych) {
            k = opcja_szara ? kKolorBrakuJasny : kKolorBraku;
        } else {
            k = kKolorPostoju;
            cieniowanie = opcja_szara ? 0 : 1;
        }
        break;
    default: // no data, with or without its mark
        k = opcja_szara ? kKolorBrakuJasny : kKolorBraku;
        break;
    }
    return &z == zaznaczony ? kKolorZaznaczenia : k;
}

void Lista_zdarz::rysuj_zdarzenia() {
    if (!okno || !obraz) return;
    kopiuj_skan(*okno, *obraz);
    godz_rozp = host::KatNaGodz(kat_rozp, kat24);
    for (const Zdarzenie* z = pierwszy; z; z = z->nast) {
        int cieniowanie = 0;
        const host::TColor32 k = kolor_zdarzenia(*z, cieniowanie);
        // A period ending where it starts covers the whole disc.
        const double koniec = z->kat_do <= z->kat_od ? z->kat_do + 360.0 : z->kat_do;
        host::Rysuj_cwiartka(*okno, x0, y0, promien, z->kat_od, koniec, k,
                             z->pz_zespol == kZnakReczny ? 1 : 0, styl, cieniowanie,
                             z == zaznaczony ? 125 : 120);
    }
    rysuj_znaczniki(*okno);
}

void Lista_zdarz::rysuj_zdarzenia_wiersz(int wiersz) {
    zaznaczony = nullptr;
    if (wiersz >= 0)
        for (Zdarzenie* z = pierwszy; z; z = z->nast)
            if (z->nr == wiersz) zaznaczony = z;
    rysuj_zdarzenia();
}

void Lista_zdarz::rysuj_znaczniki(host::Bitmap32& cel) {
    if (pierwszy) kat_rozp = pierwszy->kat_od;
    auto znacznik = [&](double kat, host::TColor32 k) {
        const auto [x, y] = punkt_na_tarczy(kat, promien, x0, y0);
        host::Rysuj_kolo(cel, x, y, 4, k);
        host::Rysuj_linie(cel, x0, y0, x, y, 1, k);
    };
    znacznik(kat_rozp, kKolorRozp);
    if (kat_zak != kBrakKataZak) znacznik(kat_zak, kKolorZak);
    const auto [x, y] = punkt_na_tarczy(kat24 + 180.0, promien, x0, y0);
    host::Rysuj_linie(cel, x0, y0, x, y, 1, kKolorPoludnia);
}

void Lista_zdarz::rysuj_promien(double a, host::TColor32 k) {
    if (!okno || !obraz) return;
    const auto [x, y] = punkt_na_tarczy(a, promien, x0, y0);
    host::Rysuj_linie(*okno, x0, y0, x, y, 1, k);
}

int Lista_zdarz::zaznacz_xy(int x, int y) {
    const double a = kat_myszy(x, y, x0, y0);
    const long long dx = x - x0;
    const long long dy = y - y0;
    zaznaczony = nullptr;
    granica = nullptr;
    if (dx * dx + dy * dy <= static_cast<long long>(promien) * promien) {
        for (Zdarzenie* z = pierwszy; z; z = z->nast) {
            if (!zaznaczony && host::Czy_w_zakr(z->kat_od, a, z->kat_do)) zaznaczony = z;
            if (!granica &&
                (std::fabs(z->kat_od - a) < 1.0 || std::fabs(z->kat_od - a - 360.0) < 1.0 ||
                 std::fabs(z->kat_od - a + 360.0) < 1.0))
                granica = z;
        }
    }
    rysuj_zdarzenia();
    return zaznaczony ? zaznaczony->nr : -1;
}

void Lista_zdarz::rysuj_punkty(host::Bitmap32& cel, double cx, double cy, host::GetZmFn czytnik) {
    rysunek_punktow(cx, cy, czytnik)(cel);
}

std::function<void(host::Bitmap32&)> Lista_zdarz::rysunek_punktow(double cx, double cy,
                                                                  host::GetZmFn czytnik) {
    // One path per list, each drawn on its own, in the order of the periods.
    std::vector<QPainterPath> kola;
    if (czy_szczeg) {
        punkty_tarczy->kola(kola.emplace_back(), cx, cy, czytnik);
    } else {
        for (Zdarzenie* z = pierwszy; z; z = z->nast)
            if (z->punkty->pierwszy) z->punkty->kola(kola.emplace_back(), cx, cy, czytnik);
    }
    return [kola = std::move(kola)](host::Bitmap32& cel) {
        for (const QPainterPath& k : kola)
            lista_pkt::rysuj_kola(cel, k);
    };
}

int Lista_zdarz::wybierz_punkt(host::Bitmap32& cel, int x, int y, double cx, double cy,
                               host::GetZmFn czytnik) {
    mysz_x = x;
    mysz_y = y;
    if (czy_szczeg) return punkty_tarczy->trafienie(cel, x, y, cx, cy, czytnik);
    int wynik = 0;
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->punkty->trafienie(cel, x, y, cx, cy, czytnik)) {
            wynik = 1;
            zaznaczony_km = z;
        }
    }
    return wynik;
}

int Lista_zdarz::wykryj_punkty() {
    if (!czytnik_km_) return -1;
    if (!czy_szczeg) return zaznaczony_km ? wykryj_punkty_okresu(*zaznaczony_km) : -1;
    pierwsza_ostatnia_jazda();
    if (kat_jazdy_od == kat_jazdy_do) return -1; // no driving on the chart
    punkty_tarczy->czysc();
    const int n = czytnik_km_->czytaj_punkty(*punkty_tarczy, kat_jazdy_od, kat_jazdy_do);
    punkty_tarczy->edytowana = 1;
    zmiana = 1;
    return n;
}

int Lista_zdarz::wykryj_punkty_okresu(Zdarzenie& z) {
    if (!czytnik_km_) return -1;
    z.punkty->czysc();
    const int n = czytnik_km_->czytaj_punkty(*z.punkty, z.kat_od, z.kat_do);
    z.punkty->edytowana = 1;
    zmiana = 1;
    return n;
}
