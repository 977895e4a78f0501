#include "chartwin/RekordTarczy.h"

#include "host/db/Query.h"

#include <cstdlib>

namespace {

// A row without the column reads as a null one. The host's row is its own query; the
// columns it holds are the host's choice.
QVariant pole(const host::Query& q, const char* nazwa) {
    try {
        return q.field(QLatin1String(nazwa));
    } catch (const host::DbError&) {
        return {};
    }
}

std::int32_t liczba(const host::Query& q, const char* nazwa) {
    bool ok = false;
    const int v = pole(q, nazwa).toInt(&ok);
    return ok ? v : 0;
}

double rzeczywista(const host::Query& q, const char* nazwa, double brak = 0.0) {
    bool ok = false;
    const double v = pole(q, nazwa).toDouble(&ok);
    return ok ? v : brak;
}

bool flaga(const host::Query& q, const char* nazwa) {
    return liczba(q, nazwa) != 0;
}

} // namespace

std::optional<RekordTarczy> RekordTarczy::wczytaj(std::int32_t idt) {
    host::Query q(QStringLiteral("select kat24, x0, y0, pocz_sr_godz, pv, kat_zak, czy_szczeg "
                                 "from tacho_analog where id_t = :id_t"));
    q.setParam(QStringLiteral("id_t"), idt);
    host::OpenQuery(q);
    if (q.Eof()) return std::nullopt;
    return z_wiersza(q);
}

RekordTarczy RekordTarczy::z_wiersza(const host::Query& q) {
    RekordTarczy r;
    r.kat24 = float(rzeczywista(q, "kat24"));
    r.x0 = liczba(q, "x0");
    r.y0 = liczba(q, "y0");
    r.pocz_sr_godz = liczba(q, "pocz_sr_godz");
    r.pv = liczba(q, "pv");
    r.kat_zak = rzeczywista(q, "kat_zak", kBrakKataZak);
    r.czy_szczeg = flaga(q, "czy_szczeg");
    return r;
}

WierszTarczy WierszTarczy::z_wiersza(const host::Query* wiersz) {
    WierszTarczy w;
    if (!wiersz || wiersz->Eof()) return w;
    const host::Query& q = *wiersz;
    w.rodzaj = liczba(q, "rodzaj");
    w.typ_dnia = liczba(q, "typ_dnia");
    w.kat_rozp = rzeczywista(q, "kat_rozp");
    if (!pole(q, "data").isNull()) w.data = q.asDateTime(QStringLiteral("data"));
    w.id_k = liczba(q, "id_k");
    w.id_konwojenta = liczba(q, "id_konwojenta");
    w.id_konwojenta2 = liczba(q, "id_konwojenta2");
    w.id_s = liczba(q, "id_s");
    w.status = liczba(q, "status");
    w.czy_reczna = liczba(q, "czy_reczna");
    w.km_pocz = liczba(q, "km_pocz");
    w.km_kon = liczba(q, "km_kon");
    w.km_obl = liczba(q, "km_obl");
    w.zespol = liczba(q, "zespol");
    w.ps = liczba(q, "ps");
    w.cyfrowy = liczba(q, "cyfrowy");
    w.adnotacje = pole(q, "adnotacje").toString();
    w.status_tacho = liczba(q, "status_tacho");
    w.nieczytelna = flaga(q, "nieczytelna");
    w.blad_obsl_t = flaga(q, "blad_obsl_t");
    w.niekompletne = liczba(q, "niekompletne");
    w.przerysowana = flaga(q, "przerysowana");
    w.brak_wr = flaga(q, "brak_wr");
    w.kilka_wykr = flaga(q, "kilka_wykr");
    w.nieprawidlowa = flaga(q, "nieprawidlowa");
    w.niezgodnosc_cz = flaga(q, "niezgodnosc_cz");
    w.wirtualne_przem = flaga(q, "wirtualne_przem");
    return w;
}

std::array<bool, 8> pola_niekompletne(std::int32_t n) {
    std::array<bool, 8> p{};
    for (int bit = 1; bit <= 7; ++bit)
        p[std::size_t(bit - 1)] = (n & (1 << bit)) != 0;
    p[7] = n >= 256;
    return p;
}

KlasaRozmiaru KlasaRozmiaru::dla_srodka(float x0) {
    constexpr int kPromien = 500;
    KlasaRozmiaru k;
    if (x0 < float(kPromien) * 9.0f / 10.0f)
        k = {1, 400, 800};
    else if (x0 > float(kPromien) * 6.0f / 5.0f)
        k = {2, 750, 1500};
    return k;
}

std::optional<KlasaRozmiaru> KlasaRozmiaru::dla_obrazu(int szer, int wys) {
    for (const KlasaRozmiaru k :
         {KlasaRozmiaru{0, 500, 1000}, KlasaRozmiaru{1, 400, 800}, KlasaRozmiaru{2, 750, 1500}}) {
        const int tol = k.srednica / 20;
        if (std::abs(szer - k.srednica) <= tol && std::abs(wys - k.srednica) <= tol) return k;
    }
    return std::nullopt;
}

QString KlasaRozmiaru::pusty_obraz() const {
    return klasa == 1   ? QStringLiteral("WOLNE_M")
           : klasa == 2 ? QStringLiteral("WOLNE_D")
                        : QStringLiteral("WOLNE");
}
