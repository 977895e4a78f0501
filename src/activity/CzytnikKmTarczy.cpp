#include "activity/CzytnikKmTarczy.h"

#include "activity/lista_pkt.h"
#include "analysis/ListaOkresow.h"
#include "analysis/OdczytKm.h"
#include "host/KatyCzas.h"

namespace {

// One driving period over a given point list: all the zig-zag reader needs to read a range
// into that list. Every position, the chart-wide one included, names the same list.
class JedenOkres final : public analysis::ListaOkresow {
public:
    JedenOkres(lista_pkt& punkty, double kat_od, double kat_do) : punkty_(punkty) {
        okres_.kat_od = kat_od;
        okres_.kat_do = kat_do;
        okres_.czy_praca = 2;
    }

    int ile() const override { return 0; }
    double kat_rozp() const override { return okres_.kat_od; }
    bool szczegolowa() const override { return false; }
    void ustaw_typ(int) override {}
    void ustaw_kat_rozp(double) override {}
    void ustaw_kat24(double) override {}
    void dodaj_okres(double, double, int) override {}
    analysis::OkresOdczytu okres(int) const override { return okres_; }
    void ustaw_kat_do(int, double kat) override { okres_.kat_do = kat; }
    void ustaw_km(int, int km) override { okres_.km = km; }
    void usun_okres(int, int) override {}
    void polacz_przez_poczatek(int) override {}
    void pierwsza_ostatnia_jazda(double& od, double& do_) override {
        od = okres_.kat_od;
        do_ = okres_.kat_do;
    }
    int pozycja_kata(double) const override { return 0; }

    void dodaj_punkt(int, float kat, int typ, int promien) override {
        punkty_.dodaj(kat, typ, promien);
    }
    int ile_punktow(int) const override { return punkty_.ile; }
    bool pierwszy_punkt(int, analysis::PunktOdczytu& p) const override {
        if (!punkty_.pierwszy) return false;
        p = {punkty_.pierwszy->kat, punkty_.pierwszy->nr_paska, punkty_.pierwszy->promien};
        return true;
    }
    bool ostatni_punkt(int, analysis::PunktOdczytu& p) const override {
        if (!punkty_.ostatni) return false;
        p = {punkty_.ostatni->kat, punkty_.ostatni->nr_paska, punkty_.ostatni->promien};
        return true;
    }
    void usun_duplikaty(int, double kat_od, double kat_do) override {
        punkty_.usun_duplikaty(kat_od, kat_do);
    }
    void czysc_punkty(int) override { punkty_.czysc(); }
    void ustaw_zmiana() override {}

private:
    lista_pkt& punkty_;
    analysis::OkresOdczytu okres_;
};

} // namespace

int CzytnikKmTarczy::czytaj_punkty(lista_pkt& punkty, double kat_od, double kat_do) {
    const double od = host::Katdo360(kat_od);
    const double do_ = host::Katdo360(kat_do);
    JedenOkres okres(punkty, od, do_);
    analysis::OdczytKm odczyt(an_, we_, okres);
    const analysis::Kalibracja& k = an_.kalibracja();
    return odczyt.ile_pikow(static_cast<float>(od), static_cast<float>(do_), k.delta_rg_km,
                            k.rgorny_km);
}
