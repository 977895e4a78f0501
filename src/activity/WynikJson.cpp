// Periods, summary, check and readings as JSON.
#include "activity/WynikJson.h"

#include "host/KatyCzas.h"

namespace {

QString hhnn(host::TDateTime t) {
    return host::CzasHHNN(host::Zaokragl_Xm(t, 1, 0, 0.0));
}

// Points of a period: its own list, or on a detailed chart the chart's points within it.
int punkty_w(const Lista_zdarz& lista, const Zdarzenie& z) {
    if (!lista.czy_szczeg) return z.punkty->ile;
    int n = 0;
    for (const lista_pkt_node* p = lista.punkty_tarczy->pierwszy; p; p = p->nast)
        if (host::Czy_w_zakr(z.kat_od, p->kat, z.kat_do)) ++n;
    return n;
}

QJsonArray bez_zapisu_json(const std::vector<analysis::OdcinekBezZapisu>& v, double kat24) {
    QJsonArray a;
    for (const analysis::OdcinekBezZapisu& o : v)
        a.append(QJsonObject{
            {QLatin1String("od"), hhnn(host::KatNaGodz(o.kat_od, kat24))},
            // A whole day without ink ends where it starts: 24:00, not a clock's 00:00.
            {QLatin1String("do"), o.minuty >= 24 * 60 ? QStringLiteral("24:00")
                                                      : hhnn(host::KatNaGodz(o.kat_do, kat24))}});
    return a;
}

} // namespace

QJsonArray okresy_json(const Lista_zdarz& lista) {
    QJsonArray a;
    for (const Zdarzenie* z = lista.pierwszy; z; z = z->nast) {
        a.append(QJsonObject{{QLatin1String("nr"), z->nr},
                             {QLatin1String("czy_praca"), z->czy_praca},
                             {QLatin1String("kat_od"), z->kat_od},
                             {QLatin1String("kat_do"), z->kat_do},
                             {QLatin1String("czas_od"), hhnn(z->czas_od)},
                             {QLatin1String("czas_do"), hhnn(z->czas_do)},
                             {QLatin1String("km"), z->km},
                             {QLatin1String("points"), punkty_w(lista, *z)},
                             {QLatin1String("czy_przerwa"), z->czy_przerwa}});
    }
    return a;
}

QJsonObject podsumowanie_json(const Podsumowanie& p) {
    return {{QLatin1String("jazda"), p.st_ja},
            {QLatin1String("praca"), p.st_pr},
            {QLatin1String("dyzur"), p.st_za},
            {QLatin1String("brak"), p.st_br},
            {QLatin1String("postoj"), p.st_po},
            {QLatin1String("km"), qint64(p.suma_km)},
            {QLatin1String("v"), qint64(p.predkosc)},
            {QLatin1String("ostrzezenie"), p.Image3},
            {QLatin1String("minuty"), QJsonObject{{QLatin1String("jazda"), p.min_ja},
                                                  {QLatin1String("praca"), p.min_pr},
                                                  {QLatin1String("dyzur"), p.min_za},
                                                  {QLatin1String("brak"), p.min_br}}}};
}

QJsonObject kontrola_json(const Lista_zdarz& lista, const Kontrola& kontrola) {
    return {{QLatin1String("result"), kontrola.wynik},
            {QLatin1String("ile_jazda_ciagla"), lista.ile_jazda_ciagla},
            {QLatin1String("ile_przerwa_krotka"), lista.ile_przerwa_krotka},
            {QLatin1String("findings"), QJsonArray::fromStringList(kontrola.lista_bledow)}};
}

QJsonObject odczyt_json(const OdczytTarczy& o) {
    const Lista_zdarz& lista = *o.lista;
    const analysis::GeometriaTarczy& g = o.geometria;
    return {{QLatin1String("size"), QJsonArray{o.rozmiar.width(), o.rozmiar.height()}},
            {QLatin1String("x0"), double(g.x0)},
            {QLatin1String("y0"), double(g.y0)},
            {QLatin1String("kat24"), double(g.kat24)},
            {QLatin1String("pocz_sr_godz"), g.pocz_sr_godz},
            {QLatin1String("kat_rozp"), lista.kat_rozp},
            {QLatin1String("kat_zak"), lista.kat_zak == Lista_zdarz::kBrakKataZak
                                           ? QJsonValue(QJsonValue::Null)
                                           : QJsonValue(lista.kat_zak)},
            {QLatin1String("periods"), okresy_json(lista)},
            {QLatin1String("summary"), podsumowanie_json(o.podsumowanie)},
            {QLatin1String("check"), kontrola_json(lista, o.kontrola)},
            {QLatin1String("no_trace"), bez_zapisu_json(o.analiza.bez_zapisu, g.kat24)},
            {QLatin1String("warnings"), QJsonArray::fromStringList(o.ostrzezenia)}};
}
