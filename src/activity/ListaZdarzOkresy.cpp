#include "activity/ListaZdarzOkresy.h"

#include "host/KatyCzas.h"

void ListaZdarzOkresy::dodaj_okres(double kat_od, double kat_do, int czy_praca) {
    l_.dodaj_zdarzenie(kat_od, kat_do, czy_praca);
}

analysis::OkresOdczytu ListaZdarzOkresy::okres(int p) const {
    analysis::OkresOdczytu o;
    if (const Zdarzenie* z = l_.na_pozycji(p)) {
        o.kat_od = z->kat_od;
        o.kat_do = z->kat_do;
        o.czy_praca = z->czy_praca;
        o.km = z->km;
    }
    return o;
}

void ListaZdarzOkresy::ustaw_kat_do(int p, double kat) {
    if (Zdarzenie* z = l_.na_pozycji(p)) {
        z->kat_do = kat;
        z->czas_do = host::KatNaGodz(host::Katdo360(kat), l_.kat24);
    }
}

void ListaZdarzOkresy::ustaw_km(int p, int km) {
    if (Zdarzenie* z = l_.na_pozycji(p)) z->km = km;
}

void ListaZdarzOkresy::pierwsza_ostatnia_jazda(double& od, double& do_) {
    l_.pierwsza_ostatnia_jazda();
    od = l_.kat_jazdy_od;
    do_ = l_.kat_jazdy_do;
}

lista_pkt* ListaZdarzOkresy::punkty(int p) const {
    if (p < 0) return l_.punkty_tarczy.get();
    const Zdarzenie* z = l_.na_pozycji(p);
    return z ? z->punkty.get() : nullptr;
}

void ListaZdarzOkresy::dodaj_punkt(int p, float kat, int typ, int promien) {
    if (lista_pkt* l = punkty(p)) l->dodaj(kat, typ, promien);
}

int ListaZdarzOkresy::ile_punktow(int p) const {
    const lista_pkt* l = punkty(p);
    return l ? l->ile : 0;
}

bool ListaZdarzOkresy::pierwszy_punkt(int p, analysis::PunktOdczytu& punkt) const {
    const lista_pkt* l = punkty(p);
    if (!l || !l->pierwszy) return false;
    punkt = {l->pierwszy->kat, l->pierwszy->nr_paska, l->pierwszy->promien};
    return true;
}

bool ListaZdarzOkresy::ostatni_punkt(int p, analysis::PunktOdczytu& punkt) const {
    const lista_pkt* l = punkty(p);
    if (!l || !l->ostatni) return false;
    punkt = {l->ostatni->kat, l->ostatni->nr_paska, l->ostatni->promien};
    return true;
}

void ListaZdarzOkresy::usun_duplikaty(int p, double kat_od, double kat_do) {
    if (lista_pkt* l = punkty(p)) l->usun_duplikaty(kat_od, kat_do);
}

void ListaZdarzOkresy::czysc_punkty(int p) {
    if (lista_pkt* l = punkty(p)) l->czysc();
}
