#include "activity/lista_pkt.h"

#include "host/Rysuj.h"
#include "host/db/Query.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr host::TColor32 kCzerwony = host::Color32(255, 0, 0);
constexpr host::TColor32 kNiebieski = host::Color32(0, 0, 255);

void zamien_wartosci(lista_pkt_node& a, lista_pkt_node& b) {
    std::swap(a.nr_paska, b.nr_paska);
    std::swap(a.kat, b.kat);
    std::swap(a.promien, b.promien);
}

} // namespace

std::pair<int, int> punkt_na_tarczy(double kat, double r, double x0, double y0) {
    const double rad = kat * M_PI / 180.0;
    return {static_cast<int>(std::cos(rad) * r + x0 + 0.5),
            static_cast<int>(std::sin(rad) * r + y0 + 0.5)};
}

lista_pkt::~lista_pkt() {
    czysc();
}

void lista_pkt::dodaj(float kat, std::int32_t nr_paska, std::int32_t promien) {
    if (ile > 10000) ile = 0;
    auto* w = new lista_pkt_node;
    w->kat = kat;
    w->nr_paska = nr_paska;
    w->promien = promien;
    w->poprz = ostatni;
    if (ostatni)
        ostatni->nast = w;
    else
        pierwszy = w;
    ostatni = w;
    sortuj(ile); // the count before this node, as the bubble passes expect
    ++ile;
    zmiana = 1;
}

void lista_pkt::sortuj() {
    sortuj(ile);
}

void lista_pkt::sortuj(int c) {
    // c scans of c exchange steps leave the first c + 1 nodes in ascending order, a node never
    // passing an equal one. Moving each of them back past the greater ones before it gives
    // that same order, in one pass when the nodes are already in order (as they are when a
    // point is added) instead of c * c steps.
    int k = 0;
    for (lista_pkt_node* w = pierwszy ? pierwszy->nast : nullptr; w && k < c; w = w->nast, ++k)
        for (lista_pkt_node* v = w; v->poprz && v->poprz->kat > v->kat; v = v->poprz)
            zamien_wartosci(*v->poprz, *v);
    biezacy = pierwszy;
}

void lista_pkt::usun_wezel(lista_pkt_node* w) {
    if (w->poprz)
        w->poprz->nast = w->nast;
    else
        pierwszy = w->nast;
    if (w->nast)
        w->nast->poprz = w->poprz;
    else
        ostatni = w->poprz;
    if (wybrany == w) wybrany = nullptr;
    delete w;
    --ile;
    zmiana = 1;
    biezacy = pierwszy;
}

int lista_pkt::usun_biezacy() {
    if (biezacy) usun_wezel(biezacy);
    return 0;
}

int lista_pkt::usun_wybrany() {
    if (!wybrany) return 0;
    biezacy = wybrany;
    usun_biezacy();
    wybrany = nullptr;
    return 1;
}

void lista_pkt::czysc() {
    lista_pkt_node* w = pierwszy;
    while (w) {
        lista_pkt_node* n = w->nast;
        delete w;
        w = n;
    }
    pierwszy = ostatni = biezacy = wybrany = nullptr;
    ile = 0;
}

void lista_pkt::kopiuj_do(lista_pkt& cel) const {
    if (&cel == this) return;
    cel.czysc();
    for (const lista_pkt_node* w = pierwszy; w; w = w->nast)
        cel.dodaj(w->kat, w->nr_paska, w->promien);
}

std::pair<float, float> lista_pkt::zakres() const {
    if (!pierwszy) return {-1.0f, -1.0f};
    return {pierwszy->kat, ostatni->kat};
}

bool lista_pkt::krok_naprzod() {
    biezacy = pierwszy ? pierwszy->nast : nullptr;
    return biezacy != nullptr;
}

bool lista_pkt::krok_wstecz() {
    biezacy = ostatni ? ostatni->poprz : nullptr;
    return biezacy != nullptr;
}

int lista_pkt::odleglosc() const {
    int km = 0;
    for (const lista_pkt_node* w = pierwszy ? pierwszy->nast : nullptr; w; w = w->nast)
        km += std::abs(w->poprz->nr_paska - w->nr_paska) + 1;
    return km;
}

int lista_pkt::odleglosc_w(double a1, double a2) const {
    if (a2 < a1) a2 += 360.0;
    int km = 0;
    for (const lista_pkt_node* w = pierwszy ? pierwszy->nast : nullptr; w; w = w->nast) {
        double k = w->kat;
        double kp = w->poprz->kat;
        if (k >= 360.0) k -= 360.0;
        if (kp >= 360.0) kp -= 360.0;
        if (k < a1) k += 360.0;
        if (kp < a1 - 0.3) kp += 360.0;
        if (k >= a1 && k <= a2 + 0.3 && kp > a1 - 0.3 && kp < a2)
            km += std::abs(w->poprz->nr_paska - w->nr_paska) + 1;
    }
    return km;
}

int lista_pkt::promien_kola(host::GetZmFn czytnik) {
    if (rozmiar_pkt == -1 && czytnik)
        rozmiar_pkt = czytnik(QStringLiteral("samochod"), QStringLiteral("KX")).toInt();
    return rozmiar_pkt == 0 ? 4 : 3;
}

void lista_pkt::rysuj(host::Bitmap32& obraz, QPainterPath& wielokat, double x0, double y0,
                      host::GetZmFn czytnik) {
    kola(wielokat, x0, y0, czytnik);
    rysuj_kola(obraz, wielokat);
}

void lista_pkt::kola(QPainterPath& wielokat, double x0, double y0, host::GetZmFn czytnik) {
    const int r = promien_kola(czytnik);
    for (const lista_pkt_node* w = pierwszy; w; w = w->nast) {
        const auto [x, y] = punkt_na_tarczy(w->kat, w->promien, x0, y0);
        host::Kolo(wielokat, x, y, r);
    }
}

void lista_pkt::rysuj_kola(host::Bitmap32& obraz, const QPainterPath& wielokat) {
    host::Rysuj_wielokat(obraz, wielokat, kCzerwony);
}

int lista_pkt::trafienie(host::Bitmap32& obraz, int x, int y, double x0, double y0,
                         host::GetZmFn czytnik) {
    const int r = promien_kola(czytnik);
    int wynik = 0;
    wybrany = nullptr;
    for (lista_pkt_node* w = pierwszy; w; w = w->nast) {
        const auto [px, py] = punkt_na_tarczy(w->kat, w->promien, x0, y0);
        const int dx = px - x;
        const int dy = py - y;
        if (dx * dx + dy * dy < 25) {
            host::Rysuj_kolo(obraz, px, py, r, kNiebieski);
            wybrany = w;
            wynik = 1;
        } else {
            host::Rysuj_kolo(obraz, px, py, r, kCzerwony);
        }
    }
    return wynik;
}

void lista_pkt::usun_duplikaty(double kat_od, double kat_do) {
    const double koniec = kat_do < kat_od ? kat_do + 360.0 : kat_do;
    const double srodek = (kat_od + koniec) / 2.0;
    lista_pkt_node* w = pierwszy;
    while (w && w->nast) {
        lista_pkt_node* n = w->nast;
        if (w->nr_paska != n->nr_paska) {
            w = n;
            continue;
        }
        double kn = n->kat;
        if (kn < kat_od) kn += 360.0;
        if (kn <= srodek) {
            usun_wezel(n); // w survives and meets its new successor
        } else {
            usun_wezel(w);
            w = n;
        }
    }
}

namespace {

int zapisz_punkty(const lista_pkt& lista, const QString& sql, const QString& klucz, int id,
                  int& blad) {
    if (!lista.pierwszy || id == 0) return 1;
    try {
        host::Query q(sql);
        for (const lista_pkt_node* w = lista.pierwszy; w && blad == 0; w = w->nast) {
            q.setParam(QStringLiteral("kat"), static_cast<double>(w->kat));
            q.setParam(QStringLiteral("nr_paska"), w->nr_paska);
            q.setParam(QStringLiteral("promien"), w->promien);
            q.setParam(klucz, id);
            host::ExecQuery(q);
        }
    } catch (const std::exception&) {
        blad = 1;
    }
    return 0;
}

} // namespace

int lista_pkt::zapisz_punkty_zdarz(int id_tpz, int& blad) const {
    return zapisz_punkty(*this,
                         QStringLiteral("insert into punkty_zdarz(kat,nr_paska,promien,id_tpz) "
                                        "values(:kat,:nr_paska,:promien,:id_tpz)"),
                         QStringLiteral("id_tpz"), id_tpz, blad);
}

int lista_pkt::zapisz_punkty_tacho(int id_tarczy, int& blad) const {
    return zapisz_punkty(*this,
                         QStringLiteral(" insert into punkty_tacho (kat,nr_paska,promien,id_t) "
                                        "Values(:kat,:nr_paska,:promien,:id_t) "),
                         QStringLiteral("id_t"), id_tarczy, blad);
}
