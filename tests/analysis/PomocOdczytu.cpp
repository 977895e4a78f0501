#include "PomocOdczytu.h"

#include "host/KatyCzas.h"

#include <cmath>

int ListaTestowa::pozycja_kata(double kat) const {
    if (okresy.empty()) return -1;
    for (std::size_t i = 0; i < okresy.size(); ++i)
        if (host::Czy_w_zakr(okresy[i].o.kat_od, kat, okresy[i].o.kat_do)) return int(i);
    return ile();
}

// Of two neighbours on the same line the one nearer the middle of the period stays.
void ListaTestowa::usun_duplikaty(int p, double od, double do_) {
    auto& l = punkty(p);
    const double koniec = do_ < od ? do_ + 360.0 : do_;
    const double srodek = (od + koniec) / 2.0;
    for (std::size_t i = 0; i + 1 < l.size();) {
        if (l[i].typ != l[i + 1].typ) {
            ++i;
            continue;
        }
        double kn = l[i + 1].kat;
        if (kn < od) kn += 360.0;
        l.erase(l.begin() + long(kn <= srodek ? i + 1 : i));
    }
}

TarczaTestowa::TarczaTestowa(int rozmiar, float ring, float kat24)
    : bmp(rozmiar, rozmiar, host::clWhite32) {
    an = std::make_unique<analysis::AnalizaTarczy>(bmp, QCoreApplication::applicationDirPath());
    auto& g = an->geometria();
    g.x0 = g.y0 = rozmiar / 2.0f;
    g.kat24 = kat24;
    g.pocz_sr_godz = 362;
    g.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(g.x0);
    float a0 = kat24 + 210.0f;
    if (a0 > 360.0f) a0 -= 360.0f;
    for (int i = 0; i < analysis::GeometriaTarczy::ile_promieni_km; ++i) {
        float kat = float(int(i * 7.5 + a0));
        if (kat > 360.0f) kat -= 360.0f;
        g.promienie_km[std::size_t(i)] = {kat, ring, 0.0f, 0.0f};
    }
    for (int j = 0; j < analysis::GeometriaTarczy::ile_delta_h; ++j) {
        int kat = int(j * 5 + kat24);
        if (kat > 360) kat -= 360;
        g.delta_h[std::size_t(j)] = {kat, 0};
    }
}

analysis::Piksel TarczaTestowa::czern(double kat, double r) {
    const analysis::Piksel p = an->geometria().punkt(kat, r);
    bmp.SetPixelS(p.x, p.y, host::clBlack32);
    return p;
}

void TarczaTestowa::promien(double kat, int r1, int r2) {
    for (int r = r1; r <= r2; ++r)
        czern(kat, r);
}

void TarczaTestowa::wycinek(double kat1, double kat2, double r1, double r2) {
    const double cx = an->geometria().x0, cy = an->geometria().y0;
    for (int y = int(cy - r2) - 1; y <= int(cy + r2) + 1; ++y) {
        for (int x = int(cx - r2) - 1; x <= int(cx + r2) + 1; ++x) {
            const double r = std::hypot(x - cx, y - cy);
            if (r < r1 || r >= r2) continue;
            const double kat = host::Katdo360(std::atan2(y - cy, x - cx) * 180.0 / M_PI);
            const bool w = kat1 <= kat2 ? (kat >= kat1 && kat < kat2) : (kat >= kat1 || kat < kat2);
            if (w) bmp.SetPixelS(x, y, host::clBlack32);
        }
    }
}
