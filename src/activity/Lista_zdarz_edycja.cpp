// Period list: editing on the disc picture (inserting into a period, dragging a boundary,
// adding a distance point by hand).
#include "activity/Lista_zdarz.h"

#include "host/Dialogi.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Rysuj.h"

#include <cmath>

namespace {

constexpr double kMinuta = 0.25; // one minute of chart clock, degrees

void bez_punktow(Zdarzenie& z) {
    z.punkty->czysc();
    if (z.czy_praca == kJazda) z.km = 0;
}

} // namespace

int Lista_zdarz::wstaw_w_zaznaczony(double x, double y, int c, double w, int przyciagaj) {
    Zdarzenie* S = zaznaczony;
    if (!S) return 0;
    const int kod = c == kBrakDanych ? kPostoj : c;
    const int znak = c == kBrakDanych ? kZnakBrakDanych : kZnakReczny;
    // S's range taken forward, so that angles past 0 compare with it.
    const double s_od = S->kat_od;
    const double s_do = S->kat_do <= s_od ? S->kat_do + 360.0 : S->kat_do;
    auto rozwin = [&](double a) {
        if (a < s_od && s_do > 360.0) a += 360.0;
        if (a >= 360.0 && s_do < 360.0) a -= 360.0;
        return a;
    };
    const int kod_S = S->czy_praca;
    const int znak_S = S->pz_zespol;
    const int podjazd_S = S->podjazd;
    const int out_S = S->out;

    if (!obraz) {
        // No picture: split S at angle x.
        const double a = rozwin(x);
        if (!(a > s_od && a < s_do)) return 0;
        S->kat_od = a;
        S->czas_od = host::KatNaGodz(a, kat24);
        if (S->pz_zespol == kZnakBrakDanych) S->pz_zespol = 0;
        if (!czy_szczeg) bez_punktow(*S);
        // S is not touched after this: adding re-sorts the list by swapping contents.
        dodaj_zdarzenie(s_od, a, kod_S, 0, podjazd_S, out_S, znak_S, nullptr, 0, 0);
        zaznaczony = nullptr;
        rysuj_zdarzenia();
        return 1;
    }

    const double a = rozwin(host::XYNaKat(x, y, x0, y0));
    double od = a - w;
    bool bez_przodu = false;
    if (od <= s_od) {
        if (!przyciagaj) return 0;
        od = s_od;
        bez_przodu = true;
    }
    double do_ = od + 2.0 * w;
    if (!(do_ < s_do)) {
        if (!przyciagaj) return 0;
        do_ = s_do;
        od = do_ - 2.0 * w;
    }
    // Remainders under a minute are not kept: the stretch takes them over.
    if (od - s_od < kMinuta) bez_przodu = true;
    const bool bez_tylu = s_do - do_ < kMinuta;
    if (bez_przodu && bez_tylu) return 0;
    if (bez_przodu) od = s_od;
    if (bez_tylu) do_ = s_do;

    if (bez_tylu) {
        S->kat_do = od;
        S->czas_do = host::KatNaGodz(host::Katdo360(od), kat24);
        if (!czy_szczeg) bez_punktow(*S);
        dodaj_zdarzenie(od, do_, kod, 0, 0, 0, znak, nullptr, 0, 1);
    } else {
        S->kat_od = do_;
        S->czas_od = host::KatNaGodz(do_, kat24);
        if (!czy_szczeg) bez_punktow(*S);
        if (!bez_przodu)
            dodaj_zdarzenie(s_od, od, kod_S, 0, podjazd_S, out_S, znak_S, nullptr, 0, 0);
        dodaj_zdarzenie(od, do_, kod, 0, 0, 0, znak, nullptr, 0, 1);
    }
    if (bez_przodu || bez_tylu) scal_rowne_sasiednie(true);
    zaznaczony = nullptr;
    rysuj_zdarzenia();
    return 1;
}

void Lista_zdarz::zastosuj_granice(double a, bool znaczniki, bool puszczony) {
    Zdarzenie* B = granica;
    Zdarzenie* P = B->poprz ? B->poprz : ostatni;
    const double rozpietosc = bez_dociagania ? 359.75 : 359.99;
    auto oznacz = [&](Zdarzenie& z) {
        if (znaczniki && z.pz_zespol != kZnakBrakDanych) z.pz_zespol = kZnakReczny;
    };

    if (zaczyna_sie_na_kat_zak(*B) || (B == pierwszy && bez_dociagania == 1)) kat_zak = a;
    B->kat_od = a;
    B->czas_od = host::KatNaGodz(a, kat24);
    oznacz(*B);
    if (B->kat_do - B->kat_od > 360.0) B->kat_do -= 360.0;

    if (B == pierwszy) {
        kat_rozp = a > 360.0 ? a - 360.0 : a;
        Zdarzenie* L = ostatni;
        if (pierwszy == ostatni || bez_dociagania == 1) {
            L->kat_do = host::Katdo360(kat_rozp + rozpietosc);
            if (kat_zak != kBrakKataZak) kat_zak = L->kat_do;
        } else {
            // A released drag leaves the last period ending just before the new start.
            L->kat_do = puszczony ? host::Katdo360(a - 0.01) : a;
        }
        L->czas_do = host::KatNaGodz(host::Katdo360(L->kat_do), kat24);
        oznacz(*L);
    } else {
        P->kat_do = a;
        P->czas_do = host::KatNaGodz(host::Katdo360(a), kat24);
        oznacz(*P);
    }
    if (!czy_szczeg) {
        bez_punktow(*B);
        bez_punktow(*P);
    }
}

int Lista_zdarz::przeciagnij_granice(int x, int y, bool puszczony) {
    Zdarzenie* B = granica;
    if (!B) return 0;
    Zdarzenie* P = B->poprz ? B->poprz : ostatni;
    const double p_od = P->kat_od;
    const double b_do = B->kat_do;

    double a = host::XYNaKat(x, y, x0, y0);
    if (ile > 1) {
        // Keep the boundary at least a minute inside P's start .. B's end.
        if (!host::Czy_w_zakr(p_od, a, b_do)) {
            const double koniec = b_do <= p_od ? b_do + 360.0 : b_do;
            double m = (p_od + koniec) / 2.0 - 180.0; // middle of the arc outside the span
            if (m < 0.0) m += 360.0;
            a = host::Czy_w_zakr(b_do, a, m) ? b_do - kMinuta : p_od + kMinuta;
        } else if (host::Roznica_katow(p_od, a) < kMinuta) {
            a = p_od + kMinuta;
        } else if (host::Roznica_katow(a, b_do) < kMinuta) {
            a = b_do - kMinuta;
        }
        a = host::Katdo360(a);
    }

    if (!puszczony) {
        kat_przeciagania = static_cast<float>(a);
        przesunieto = 1;
        const bool wolno = pierwszy == ostatni || (host::Roznica_katow(p_od, a) >= kMinuta &&
                                                   host::Roznica_katow(a, b_do) >= kMinuta);
        if (wolno) zastosuj_granice(a, true, false);
        rysuj_zdarzenia();
        rysuj_promien(a, host::Color32(0, 0, 210));
        return wolno ? 1 : 0;
    }

    kat_przeciagania = -1.0f;
    if (!(pierwszy == ostatni || (a != B->kat_od && a != p_od))) return 0;
    const bool pierwsza = B == pierwszy;
    zastosuj_granice(a, false, true);
    rysuj_zdarzenia();
    return pierwsza ? 1 : 0;
}

int Lista_zdarz::dodaj_punkt_recznie(host::Bitmap32& cel, double cx, double cy, int x, int y,
                                     float r0, host::GetZmFn czytnik) {
    const double dx = x - cx;
    const double dy = y - cy;
    const int r = static_cast<int>(std::sqrt(dx * dx + dy * dy));
    double a = kat_myszy(x, y, cx, cy);
    if (!(r > 255 && r < 330)) return 0;

    Zdarzenie* z = nullptr;
    if (czy_szczeg) {
        if (a < kat_rozp) a += 360.0;
    } else {
        zaznaczony_km = nullptr;
        for (Zdarzenie* q = pierwszy; q && !zaznaczony_km; q = q->nast)
            if (q->czy_praca == kJazda && host::Czy_w_zakr(q->kat_od, a, q->kat_do))
                zaznaczony_km = q;
        if (!zaznaczony_km) {
            host::ShowMessage(
                host::LoadResstrings(QStringLiteral("Resstrings_IDS_ListaPNieDodamPkt")));
            return 0;
        }
        z = zaznaczony_km;
    }

    if (rozmiar_pkt == -1 && czytnik)
        rozmiar_pkt = czytnik(QStringLiteral("samochod"), QStringLiteral("KX")).toInt();
    host::Rysuj_kolo(cel, x, y, rozmiar_pkt == 0 ? 4 : 3, host::Color32(255, 0, 0));

    // Band edges of the distance trace above its base radius, and the band under the click.
    const int e1 = static_cast<int>(r0 + 8);
    const int e2 = static_cast<int>(r0 + 19);
    const int e3 = static_cast<int>(r0 + 30);
    const int e4 = static_cast<int>(r0 + 42);
    const int e5 = static_cast<int>(r0 + 54);
    const int m1 = (e1 + e2) / 2;
    const int m2 = (e2 + e3) / 2;
    const int m3 = (e3 + e4) / 2;
    const int m4 = (e4 + e5) / 2;
    const int nr_paska = r < m1 ? 1 : r < m2 ? 2 : r < m3 ? 3 : r < m4 ? 4 : 5;

    if (z) {
        const bool przez_360 = z->kat_do < z->kat_od;
        if ((przez_360 && a < z->kat_do + 1.0) ||
            (a < z->kat_od - 1.0 && a > z->kat_od - 1.0 - 360.0))
            a += 360.0;
        z->punkty->dodaj(static_cast<float>(a), nr_paska, r);
        z->punkty->edytowana = 1;
    } else {
        punkty_tarczy->dodaj(static_cast<float>(a), nr_paska, r);
    }
    rysuj_punkty(cel, cx, cy, czytnik);
    zmiana = 1;
    return 1;
}
