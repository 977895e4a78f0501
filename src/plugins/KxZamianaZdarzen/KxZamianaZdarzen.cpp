// Entry points of the event-conversion library. The rule: an activity entered across
// midnight is split at midnight into two events of the same kind, so that each calendar day
// gets its own part; the distance is shared in proportion to the durations. Every other event
// stays as it is (an empty answer).

#include "plugins/KxZamianaZdarzen/KxZdarzenie.h"

#include <QtGlobal>

#include <cmath>

KxZdarzenie* KxZdarzenie::kopia(const IKxZdarzenie& z) {
    auto* k = new KxZdarzenie;
    k->set_id_t(z.get_id_t());
    k->set_czas_od(z.get_czas_od());
    k->set_czas_do(z.get_czas_do());
    k->set_km(z.get_km());
    k->set_czy_praca(z.get_czy_praca());
    k->set_kat_trw(z.get_kat_trw());
    k->set_podjazd(z.get_podjazd());
    k->set_pz_zespol(z.get_pz_zespol());
    k->set_out(z.get_out());
    k->set_slot(z.get_slot());
    k->set_dodatkowe1(z.get_dodatkowe1());
    k->set_czy_przerwa(z.get_czy_przerwa());
    k->set_dodatkowe2(z.get_dodatkowe2());
    return k;
}

extern "C" Q_DECL_EXPORT IKxZdarzenie* _NEW_KxZdarzenie() {
    return new KxZdarzenie;
}

extern "C" Q_DECL_EXPORT void _ZamienZdarzenie(KxZdarzenia& wynik, IKxZdarzenie* zdarzenie,
                                               int firma) {
    Q_UNUSED(firma); // the rule is the same for every company
    if (!zdarzenie) return;
    const double od = zdarzenie->get_czas_od();
    double do_ = zdarzenie->get_czas_do();
    // Times of day (no date part) are taken forward: an end at or before the start is on the
    // next day.
    if (do_ <= od) do_ += 1.0;
    const double polnoc = std::floor(od) + 1.0;
    // Ending exactly at midnight needs no split.
    if (!(do_ > polnoc + 1e-9)) return;

    const double dl = do_ - od;
    const double czesc = (polnoc - od) / dl;
    const double km = zdarzenie->get_km();
    const double km1 = std::floor(km * czesc + 0.5);
    const bool pora_dnia = od < 1.0;

    KxZdarzenie* przed = KxZdarzenie::kopia(*zdarzenie);
    przed->set_czas_do(polnoc);
    przed->set_km(km1);
    przed->set_kat_trw(zdarzenie->get_kat_trw() * czesc);

    KxZdarzenie* po = KxZdarzenie::kopia(*zdarzenie);
    po->set_czas_od(pora_dnia ? 0.0 : polnoc);
    po->set_czas_do(pora_dnia ? do_ - 1.0 : do_);
    po->set_km(km - km1);
    po->set_kat_trw(zdarzenie->get_kat_trw() * (1.0 - czesc));

    wynik.push_back(przed);
    wynik.push_back(po);
}
