// The whole reading of one chart.
#include "activity/OdczytTarczy.h"

#include "activity/ListaZdarzOkresy.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/WejscieAnalizy.h"

float kat_startu(float kat24) {
    return kat24 == 0.0f ? 0.01f : kat24;
}

OdczytTarczy odczytaj_tarcze(const host::Bitmap32& bitmapa, const analysis::Kalibracja& kalibracja,
                             const WejscieTarczy& we) {
    OdczytTarczy w;
    w.rozmiar = QSize(bitmapa.width(), bitmapa.height());

    analysis::AnalizaTarczy an(bitmapa, kalibracja);
    analysis::GeometriaTarczy& g = an.geometria();
    g.x0 = we.x0;
    g.y0 = we.y0;
    g.kat24 = we.kat24;
    g.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(g.x0);

    w.lista = std::make_unique<Lista_zdarz>();
    Lista_zdarz& lista = *w.lista;
    lista.czy_szczeg = we.szczeg ? 1 : 0;
    lista.ustaw_kat24(we.kat24);
    ListaZdarzOkresy okresy(lista);

    analysis::WejscieAnalizy wa;
    wa.typ = we.typ;
    wa.szczeg = we.szczeg;
    wa.czytnik = we.czytnik;
    w.analiza = analysis::Odczyt(an, wa, okresy, 0, kat_startu(we.kat24));
    w.geometria = g;

    lista.wypelnij_siatke(w.siatka);
    w.podsumowanie = pokaz_podsum(lista);
    const host::GetZmFn czytnik = we.czytnik;
    w.kontrola = Kontrola([czytnik](const QString& name, const QString& group) {
        return czytnik ? czytnik(name, group) : QVariant();
    });
    w.kontrola.kontroluj(lista, we.data, we.zaloga);
    return w;
}
