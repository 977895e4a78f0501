#pragma once
// Lista_zdarz as the readers of the analysis see it.

#include "activity/Lista_zdarz.h"
#include "analysis/ListaOkresow.h"

class ListaZdarzOkresy final : public analysis::ListaOkresow {
public:
    explicit ListaZdarzOkresy(Lista_zdarz& lista) : l_(lista) {}

    int ile() const override { return l_.ile; }
    double kat_rozp() const override { return l_.kat_rozp; }
    bool szczegolowa() const override { return l_.czy_szczeg != 0; }

    void ustaw_typ(int typ_tarczy) override { l_.typ_tarczy = typ_tarczy; }
    void ustaw_kat_rozp(double kat) override { l_.ustaw_kat_rozp(kat); }
    void ustaw_kat24(double kat) override { l_.ustaw_kat24(kat); }
    void dodaj_okres(double kat_od, double kat_do, int czy_praca) override;
    analysis::OkresOdczytu okres(int p) const override;
    void ustaw_kat_do(int p, double kat) override;
    void ustaw_km(int p, int km) override;
    void usun_okres(int p, int scal) override { l_.usun_zdarzenie_A(p, scal); }
    void polacz_przez_poczatek(int tylko_jazda) override { l_.polacz_przez_poczatek(tylko_jazda); }
    void pierwsza_ostatnia_jazda(double& od, double& do_) override;
    int pozycja_kata(double kat) const override { return l_.pozycja_kata(kat); }

    void dodaj_punkt(int p, float kat, int typ, int promien) override;
    int ile_punktow(int p) const override;
    bool pierwszy_punkt(int p, analysis::PunktOdczytu& punkt) const override;
    bool ostatni_punkt(int p, analysis::PunktOdczytu& punkt) const override;
    void usun_duplikaty(int p, double kat_od, double kat_do) override;
    void czysc_punkty(int p) override;

    void ustaw_zmiana() override { l_.zmiana = 1; }

private:
    lista_pkt* punkty(int p) const;

    Lista_zdarz& l_;
};
