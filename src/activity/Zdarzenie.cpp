#include "activity/Zdarzenie.h"

#include "host/KatyCzas.h"

#include <utility>

Zdarzenie::Zdarzenie()
    : punkty(std::make_unique<lista_pkt>()), czas_od(host::StrToTime(QStringLiteral("00:00:00"))),
      czas_do(czas_od) {}

Zdarzenie::Zdarzenie(int id_tpz_, double kat_od_, double kat_do_, int czy_praca_, int km_,
                     int podjazd_, int out_, int czy_przerwa_, int pz_zespol_)
    : punkty(std::make_unique<lista_pkt>()), kat_od(kat_od_), kat_do(kat_do_), km(km_),
      czy_praca(czy_praca_), czy_przerwa(czy_przerwa_), podjazd(podjazd_), out(out_),
      pz_zespol(pz_zespol_), id_tpz(id_tpz_) {}

Zdarzenie::Zdarzenie(const IKxZdarzenie& z) : Zdarzenie() {
    czas_od = z.get_czas_od();
    czas_do = z.get_czas_do();
    km = static_cast<std::int32_t>(z.get_km());
    czy_praca = z.get_czy_praca();
    podjazd = z.get_podjazd();
    pz_zespol = z.get_pz_zespol();
    out = z.get_out();
    czy_przerwa = z.get_czy_przerwa();
}

Zdarzenie::~Zdarzenie() = default;

void Zdarzenie::zamien(Zdarzenie& inny) {
    std::swap(punkty, inny.punkty);
    std::swap(czas_od, inny.czas_od);
    std::swap(czas_do, inny.czas_do);
    std::swap(kat_od, inny.kat_od);
    std::swap(kat_do, inny.kat_do);
    std::swap(km, inny.km);
    std::swap(czy_praca, inny.czy_praca);
    std::swap(czy_przerwa, inny.czy_przerwa);
    std::swap(podjazd, inny.podjazd);
    std::swap(out, inny.out);
    std::swap(pz_zespol, inny.pz_zespol);
    std::swap(id_tpz, inny.id_tpz);
}

double Zdarzenie::kat_trw() const {
    return ::kat_trw(kat_od, kat_do);
}

bool Zdarzenie::caly_dzien() const {
    return host::Katdo360(kat_do) == host::Katdo360(kat_od);
}

double kat_trw(double kat_od, double kat_do) {
    const double d = kat_do - kat_od;
    return kat_do > kat_od ? d : d + 360.0;
}

QString nazwa_czynnosci(int czy_praca) {
    switch (czy_praca) {
    case kBrakDanych:
        return QStringLiteral("no data");
    case kPostoj:
        return QStringLiteral("rest");
    case kPraca:
        return QStringLiteral("other work");
    case kJazda:
        return QStringLiteral("driving");
    case kDyzur:
        return QStringLiteral("availability");
    default:
        return QStringLiteral("code %1").arg(czy_praca);
    }
}

int km_do_zapisu(int km) {
    return km < 0 || km > 32767 ? 0 : km;
}

std::unique_ptr<IKxZdarzenie> zrob_zdarzenie(const Zdarzenie& z, NEW_KxZdarzenie_fn nowe) {
    if (!nowe) return nullptr;
    std::unique_ptr<IKxZdarzenie> e(nowe());
    if (!e) return nullptr;
    // The order of the setters is the library's contract.
    e->set_id_t(0);
    e->set_slot(0);
    e->set_czas_od(z.czas_od);
    e->set_czas_do(z.czas_do);
    e->set_kat_trw(0.0);
    e->set_km(static_cast<double>(z.km));
    e->set_czy_praca(static_cast<std::int16_t>(z.czy_praca));
    e->set_dodatkowe1(0);
    e->set_podjazd(static_cast<std::int16_t>(z.podjazd));
    e->set_pz_zespol(static_cast<std::int16_t>(z.pz_zespol));
    e->set_out(static_cast<std::int16_t>(z.out));
    e->set_czy_przerwa(static_cast<std::int16_t>(z.czy_przerwa));
    e->set_dodatkowe2(0);
    return e;
}
