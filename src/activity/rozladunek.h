#pragma once
// Special points of a chart's route: loading, unloading and border crossing.

#include "host/TDateTime.h"

#include <QString>

#include <vector>

// Kinds of special point (typ).
constexpr int kPrzejscieGraniczne = 0;
constexpr int kZaladunek = 1;
constexpr int kRozladunek = 2;

struct rozladunek {
    host::TDateTime data;  // date and time of the point
    double kat = 0.0;      // position on the disc, degrees
    int stan_licznika = 0; // odometer reading, km
    int typ = kPrzejscieGraniczne;
    float tonaz = 0.0f;  // only for a point that carries a load
    QString kod_ladunku; // only for a point that carries a load
    int id_adr = 0;      // key of the place in "miasto"; 0 or less: no place
    QString miasto;      // place name, read through the join, never written

    bool ma_ladunek() const { return typ == kZaladunek || typ == kRozladunek; }
    bool ma_miejsce() const { return id_adr > 0; }
};

// The chart's special points in their order, with the selected one (-1 none).
class lista_rozladunkow {
public:
    int ile() const { return static_cast<int>(punkty_.size()); }
    bool pusta() const { return punkty_.empty(); }
    const rozladunek& operator[](int i) const { return punkty_.at(static_cast<size_t>(i)); }
    rozladunek& operator[](int i) { return punkty_.at(static_cast<size_t>(i)); }

    void dodaj(const rozladunek& r) { punkty_.push_back(r); }
    // Removes point i; the selection follows the points that stay.
    void usun(int i);
    // Removes the selected point; false when none is selected.
    bool usun_wybrany();
    void czysc();
    // Selects the first point whose angle lies in [od, do_] (ends included) and returns it, or
    // -1 with the selection cleared. A range reaching below 0 or past 360 wraps round the disc.
    int wybierz(double od, double do_);
    void kopiuj_do(lista_rozladunkow& cel) const;
    // Dates every point for the chart day: its time of day from its angle; a time before the
    // chart's start (the chart ran past midnight) falls on the next day.
    void przelicz_czasy(double dzien, double kat24, double kat_startu);

    // Stores the points of chart id_t on the host connection through PZapPktSpec, after
    // deleting the chart's stored points when zastap is set. A point without a load stores
    // null tonnage and cargo code, one without a place a null place. DbError propagates.
    void zapisz(int id_tarczy, bool zastap) const;
    // Replaces the list with the stored points of chart id_t, angles from the time of day
    // against kat24, in the order they were stored. DbError propagates.
    void wczytaj(int id_tarczy, double kat24);

    int wybrany = -1;

    auto begin() const { return punkty_.begin(); }
    auto end() const { return punkty_.end(); }

private:
    std::vector<rozladunek> punkty_;
};
