#pragma once
// Points picked on the distance (zig-zag) trace: one list per driving period, or one for the
// whole of a detailed chart. Nodes stay ordered by ascending angle; the distance in km follows
// from the band numbers of consecutive points.

#include "host/Bitmap32.h"
#include "host/Ustawienia.h"

#include <QPainterPath>

#include <cstdint>
#include <utility>

struct lista_pkt_node {
    lista_pkt_node* poprz = nullptr;
    lista_pkt_node* nast = nullptr;
    std::int32_t nr_paska = 0; // trace band 1..5
    float kat = 0.0f;          // degrees on the disc
    std::int32_t promien = 0;  // distance from the disc centre, pixels
};

class lista_pkt {
public:
    std::int32_t ile = 0;       // number of nodes
    std::int32_t edytowana = 0; // 1 once the points were redetected from the picture
    std::int32_t zmiana = 0;    // 1 after any insertion or removal
    lista_pkt_node* pierwszy = nullptr;
    lista_pkt_node* ostatni = nullptr;
    lista_pkt_node* biezacy = nullptr; // cursor
    lista_pkt_node* wybrany = nullptr; // node picked by the last hit test
    std::int32_t rozmiar_pkt = -1;     // cached "samochod" setting; -1 until read

    lista_pkt() = default;
    ~lista_pkt();
    lista_pkt(const lista_pkt&) = delete;
    lista_pkt& operator=(const lista_pkt&) = delete;

    // Appends a node and sorts. A count above 10000 is reset to 0 first (the sort then leaves
    // the runaway list as it is).
    void dodaj(float kat, std::int32_t nr_paska, std::int32_t promien);
    // Bubble sort by ascending angle, exchanging node values; the cursor goes to the first node.
    void sortuj();
    // Removes the cursor node; the cursor goes to the first node. Returns 0.
    int usun_biezacy();
    // Removes the node of the last hit test: 1 when there was one, else 0.
    int usun_wybrany();
    void czysc();
    // Replaces the target's nodes with copies of this list's nodes.
    void kopiuj_do(lista_pkt& cel) const;
    // First and last angle (the smallest and largest), or (-1, -1) when empty.
    std::pair<float, float> zakres() const;
    // Cursor to the node after the first / before the last; whether such a node exists.
    bool krok_naprzod();
    bool krok_wstecz();

    // Sum over consecutive points of |band difference| + 1.
    int odleglosc() const;
    // The same, counting only steps whose point lies in a1..a2 (+0.3) and whose predecessor
    // lies strictly within a1-0.3..a2.
    int odleglosc_w(double a1, double a2) const;

    // Circles of every point added to wielokat (host Kolo) and drawn over the picture in red.
    void rysuj(host::Bitmap32& obraz, QPainterPath& wielokat, double x0, double y0,
               host::GetZmFn czytnik);
    // The circles alone, as rysuj adds them to wielokat; rysuj_kola draws such a path.
    void kola(QPainterPath& wielokat, double x0, double y0, host::GetZmFn czytnik);
    static void rysuj_kola(host::Bitmap32& obraz, const QPainterPath& wielokat);
    // Draws every point (blue when within 5 pixels of the mouse, red otherwise); the last point
    // hit becomes wybrany. 1 when any point was hit.
    int trafienie(host::Bitmap32& obraz, int x, int y, double x0, double y0, host::GetZmFn czytnik);
    // Of two neighbours in the same band one goes: the successor when it lies in the first half
    // of the period kat_od..kat_do, else the node itself.
    void usun_duplikaty(double kat_od, double kat_do);

    // Inserts the points into punkty_zdarz / punkty_tacho on the host connection while blad is
    // 0; a database failure sets blad to 1. 1 when there was nothing to write, else 0.
    int zapisz_punkty_zdarz(int id_tpz, int& blad) const;
    int zapisz_punkty_tacho(int id_tarczy, int& blad) const;

    // Point radius on the pictures: 4 when the "samochod" setting reads 0, else 3.
    int promien_kola(host::GetZmFn czytnik);

private:
    void sortuj(int c);
    void usun_wezel(lista_pkt_node* w);
};

// Pixel of a point at angle kat (degrees) and radius r around (x0, y0), rounded half up.
std::pair<int, int> punkt_na_tarczy(double kat, double r, double x0, double y0);
