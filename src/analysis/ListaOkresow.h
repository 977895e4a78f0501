#pragma once
// What the readers need of a chart's period list. The analysis fills and trims the list through
// this interface only, so that it does not depend on the records layer; the activity layer
// adapts its period list to it (activity/ListaZdarzOkresy.h).
//
// Positions are 0-based in list order. Position -1 in the point operations means the
// chart-wide point list of a detailed chart.

namespace analysis {

struct OkresOdczytu {
    double kat_od = 0.0;
    double kat_do = 0.0;
    int czy_praca = 0; // a Czynnosc code
    int km = 0;
};

struct PunktOdczytu {
    float kat = 0.0f;
    int typ = 0; // band / point type 1..5
    int promien = 0;
};

class ListaOkresow {
public:
    virtual ~ListaOkresow() = default;

    virtual int ile() const = 0; // number of periods minus one; -1 when empty
    virtual double kat_rozp() const = 0;
    virtual bool szczegolowa() const = 0;

    virtual void ustaw_typ(int typ_tarczy) = 0;
    virtual void ustaw_kat_rozp(double kat) = 0; // folded below 360 by the list
    virtual void ustaw_kat24(double kat) = 0;
    // A period of the given code, every other value 0; the list keeps its sort order.
    virtual void dodaj_okres(double kat_od, double kat_do, int czy_praca) = 0;
    virtual OkresOdczytu okres(int p) const = 0; // beyond the list: the last period
    virtual void ustaw_kat_do(int p, double kat) = 0;
    virtual void ustaw_km(int p, int km) = 0;
    // Removal of the period at p; neighbours take its stretch (merge flag as given).
    virtual void usun_okres(int p, int scal) = 0;
    // A period of the same code on both sides of the start of recording becomes one.
    virtual void polacz_przez_poczatek(int tylko_jazda) = 0;
    // Start of the first and end of the last driving period; both 0 without driving.
    virtual void pierwsza_ostatnia_jazda(double& od, double& do_) = 0;
    // Position of the first period whose range holds the angle, the last one when none does,
    // -1 on an empty list.
    virtual int pozycja_kata(double kat) const = 0;

    // Distance points of the period at p (or the chart-wide list for -1).
    virtual void dodaj_punkt(int p, float kat, int typ, int promien) = 0;
    virtual int ile_punktow(int p) const = 0;
    virtual bool pierwszy_punkt(int p, PunktOdczytu& punkt) const = 0; // smallest angle
    virtual bool ostatni_punkt(int p, PunktOdczytu& punkt) const = 0;  // largest angle
    virtual void usun_duplikaty(int p, double kat_od, double kat_do) = 0;
    virtual void czysc_punkty(int p) = 0;

    virtual void ustaw_zmiana() = 0; // the list changed since it was loaded or saved
};

} // namespace analysis
