// The whole reading of one chart.
#include "activity/OdczytTarczy.h"

#include "activity/ListaZdarzOkresy.h"
#include "analysis/AnalizaTarczy.h"
#include "analysis/Centrowanie.h"
#include "analysis/WejscieAnalizy.h"

namespace {

void ustaw_geometrie(analysis::AnalizaTarczy& an, const WejscieTarczy& we) {
    analysis::GeometriaTarczy& g = an.geometria();
    g.x0 = we.x0;
    g.y0 = we.y0;
    g.kat24 = we.kat24;
    g.polowa_obrazu = analysis::GeometriaTarczy::polowa_obrazu_dla(g.x0);
    g.typ = we.typ;
}

} // namespace

analysis::WejscieAnalizy wejscie_analizy(const WejscieTarczy& we) {
    analysis::WejscieAnalizy wa;
    wa.typ = we.typ;
    wa.szczeg = we.szczeg;
    wa.czytnik = we.czytnik;
    return wa;
}

float kat_startu(float kat24) {
    return kat24 == 0.0f ? 0.01f : kat24;
}

analysis::GeometriaTarczy zmierz_pierscien_tarczy(const host::Bitmap32& bitmapa,
                                                  const analysis::Kalibracja& kalibracja,
                                                  const WejscieTarczy& we) {
    analysis::AnalizaTarczy an(bitmapa, kalibracja);
    ustaw_geometrie(an, we);
    const analysis::WejscieAnalizy wa = wejscie_analizy(we);
    analysis::Centrowanie(an, wa).test_cent_km();
    return an.geometria();
}

OdczytTarczy odczytaj_tarcze(const host::Bitmap32& bitmapa, const analysis::Kalibracja& kalibracja,
                             const WejscieTarczy& we) {
    OdczytTarczy w;
    w.rozmiar = QSize(bitmapa.width(), bitmapa.height());

    analysis::AnalizaTarczy an(bitmapa, kalibracja);
    ustaw_geometrie(an, we);
    const analysis::GeometriaTarczy& g = an.geometria();

    w.lista = std::make_unique<Lista_zdarz>();
    Lista_zdarz& lista = *w.lista;
    lista.czy_szczeg = we.szczeg ? 1 : 0;
    lista.ustaw_kat24(we.kat24);
    ListaZdarzOkresy okresy(lista);

    const analysis::WejscieAnalizy wa = wejscie_analizy(we);
    const float a0 = we.kat_rozp != 0.0f ? we.kat_rozp : kat_startu(we.kat24);
    w.analiza = analysis::Odczyt(an, wa, okresy, 0, a0);
    w.geometria = g;
    if (w.analiza.przeanalizowano && w.analiza.promienie_km == 0)
        w.ostrzezenia << QStringLiteral(
            "no printed rings found where a chart has its distance ring: this does not look "
            "like a chart disc (a blank, solid or noisy picture?); the periods are not a reading "
            "of a chart");
    else if (w.analiza.przeanalizowano && w.analiza.promienie_km < kMinPromieniPierscienia)
        w.ostrzezenia << QStringLiteral(
                             "the printed distance ring was found on only %1 of 48 rays: the "
                             "picture may not hold a whole chart disc, or its centre is off by "
                             "more than a few pixels; check the periods")
                             .arg(w.analiza.promienie_km);

    lista.wypelnij_siatke(w.siatka);
    w.podsumowanie = pokaz_podsum(lista);
    const host::GetZmFn czytnik = we.czytnik;
    w.kontrola = Kontrola([czytnik](const QString& name, const QString& group) {
        return czytnik ? czytnik(name, group) : QVariant();
    });
    w.kontrola.kontroluj(lista, we.data, we.zaloga);
    return w;
}
