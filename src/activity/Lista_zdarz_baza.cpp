// Period list: loading a stored chart and moving points to the period they belong to.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"
#include "host/db/Query.h"

#include <optional>

namespace {

float kat_z_bazy(const host::Query& q) {
    return static_cast<float>(host::round_str(q.asFloat(QStringLiteral("kat")), 12));
}

// Whether the period's range, widened by tol on both sides, holds the angle (also one turn
// on or back).
bool obejmuje(const Zdarzenie& z, double kat, double tol) {
    const double od = z.kat_od - tol;
    const double do_ = (z.kat_do < z.kat_od ? z.kat_do + 360.0 : z.kat_do) + tol;
    for (double k : {kat, kat + 360.0, kat - 360.0})
        if (k >= od && k <= do_) return true;
    return false;
}

} // namespace

void Lista_zdarz::wczytaj_z_bazy(int id_tarczy) {
    host::Query q(QStringLiteral(
        "select p.pz_zespol, p.out, p.podjazd, p.km, p.czy_praca, p.czas_do, p.czas_od, "
        "p.id_tpz, pz.kat, pz.nr_paska, pz.promien from poz_zdarz p left join punkty_zdarz pz "
        "on pz.id_tpz = p.id_tpz where id_t= :id_t  order by p.id_tpz"));
    q.setParam(QStringLiteral("id_t"), id_tarczy);
    host::OpenQuery(q);
    std::optional<int> poprzedni;
    while (!q.Eof()) {
        const int id_tpz = q.asInteger(QStringLiteral("id_tpz"));
        if (!poprzedni || *poprzedni != id_tpz) {
            dodaj_zdarzenie_wczytane(
                q.asDateTime(QStringLiteral("czas_od")), q.asDateTime(QStringLiteral("czas_do")),
                q.asInteger(QStringLiteral("czy_praca")), q.asInteger(QStringLiteral("km")), id_tpz,
                q.asInteger(QStringLiteral("podjazd")), q.asInteger(QStringLiteral("out")),
                q.asInteger(QStringLiteral("pz_zespol")));
            poprzedni = id_tpz;
        }
        // The period just added is the first one: loaded periods go in front.
        if (!q.isNull(QStringLiteral("kat")))
            pierwszy->punkty->dodaj(kat_z_bazy(q), q.asInteger(QStringLiteral("nr_paska")),
                                    q.asInteger(QStringLiteral("promien")));
        q.Next();
    }
    q.close();
    sortuj(kTolSortuZgrubna);
    przenies_punkty();

    host::Query qt(
        QStringLiteral("select kat,nr_paska,promien from punkty_tacho where id_t = :id_t"));
    qt.setParam(QStringLiteral("id_t"), id_tarczy);
    host::OpenQuery(qt);
    while (!qt.Eof()) {
        if (!qt.isNull(QStringLiteral("kat")))
            punkty_tarczy->dodaj(kat_z_bazy(qt), qt.asInteger(QStringLiteral("nr_paska")),
                                 qt.asInteger(QStringLiteral("promien")));
        qt.Next();
    }
    qt.close();
}

void Lista_zdarz::przenies_punkty() {
    bool przeniesiono = false;
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (!z->punkty->pierwszy) continue;
        const auto [mn, mx] = z->punkty->zakres();
        if (z->czy_praca == kJazda && obejmuje(*z, mn, 0.6) && obejmuje(*z, mx, 0.6)) continue;
        Zdarzenie* cel = nullptr;
        for (double tol : {0.2, 0.4, 0.6}) {
            for (Zdarzenie* d = pierwszy; d && !cel; d = d->nast)
                if (d != z && d->czy_praca == kJazda && obejmuje(*d, mn, tol) &&
                    obejmuje(*d, mx, tol))
                    cel = d;
            if (cel) break;
        }
        if (!cel) continue;
        if (!cel->punkty2) cel->punkty2 = std::make_unique<lista_pkt>();
        z->punkty->kopiuj_do(*cel->punkty2);
        z->punkty->czysc();
        przeniesiono = true;
    }
    if (!przeniesiono) return;
    for (Zdarzenie* z = pierwszy; z; z = z->nast)
        if (z->punkty2) z->punkty = std::move(z->punkty2);
}
