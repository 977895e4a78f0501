// Period list: removing, merging, re-typing and joining periods.
#include "activity/Lista_zdarz.h"

#include "host/KatyCzas.h"

namespace {

bool oba_lub_zaden_brak_danych(const Zdarzenie& a, const Zdarzenie& b) {
    return (a.pz_zespol == kZnakBrakDanych) == (b.pz_zespol == kZnakBrakDanych);
}

// P takes C's end and C's place in the chain.
void przejmij_koniec(Zdarzenie& p, const Zdarzenie& c) {
    p.kat_do = c.kat_do;
    p.czas_do = c.czas_do;
}

// N takes C's start.
void przejmij_poczatek(Zdarzenie& n, const Zdarzenie& c) {
    n.kat_od = c.kat_od;
    n.czas_od = c.czas_od;
}

} // namespace

void Lista_zdarz::usun_zdarzenie_A(int p, int scal) {
    Zdarzenie* c = na_pozycji(p);
    if (!c) return;
    Zdarzenie* P = c->poprz;
    Zdarzenie* N = c->nast;
    // A period starting where the recording ends is the filler after it, not a neighbour.
    if (N && zaczyna_sie_na_kat_zak(*N)) N = nullptr;

    Zdarzenie* urosly = nullptr;
    bool scalono_trzy = false;
    if (P && N && P->czy_praca == N->czy_praca && oba_lub_zaden_brak_danych(*P, *N) && scal) {
        P->km += N->km;
        przejmij_koniec(*P, *N);
        odlacz(N);
        delete N;
        scalono_trzy = true;
        urosly = P;
    } else if (P) {
        // The higher activity wins the freed stretch; on equal codes the predecessor.
        if (N && P->czy_praca < N->czy_praca && scal) {
            przejmij_poczatek(*N, *c);
            urosly = N;
        } else {
            przejmij_koniec(*P, *c);
            urosly = P;
        }
    } else if (N) {
        przejmij_poczatek(*N, *c);
        urosly = N;
    } else {
        return; // neither neighbour: the period stays
    }
    odlacz(c);
    delete c;
    biezacy = urosly;

    // The grown period's points no longer describe its stretch; the window reads them again.
    // A merge keeps the summed distance until then.
    if (!czy_szczeg) {
        urosly->punkty->czysc();
        if (!scalono_trzy && urosly->czy_praca == kJazda) urosly->km = 0;
    } else if (scal) {
        punkty_tarczy->czysc();
    }

    if (!pierwszy) {
        ostatni = nullptr;
    } else if (pierwszy == ostatni) {
        pelna_tarcza(*pierwszy);
    }
    sortuj(kTolSortuDokladna);
}

void Lista_zdarz::usun_zdarzenie_B(int p) {
    Zdarzenie* c = na_pozycji(p);
    if (!c) return;
    Zdarzenie* P = c->poprz;
    Zdarzenie* N = c->nast;

    Zdarzenie* urosly = nullptr;
    if (P && N && P->czy_praca == N->czy_praca) {
        przejmij_koniec(*P, *N);
        odlacz(N);
        delete N;
        urosly = P;
    } else if (P) {
        // The lower activity wins the freed stretch; on equal codes the predecessor.
        if (!N || P->czy_praca <= N->czy_praca) {
            przejmij_koniec(*P, *c);
            urosly = P;
        } else {
            przejmij_poczatek(*N, *c);
            urosly = N;
        }
    } else if (N) {
        przejmij_poczatek(*N, *c);
        urosly = N;
    } else {
        return;
    }
    odlacz(c);
    delete c;
    biezacy = urosly;

    if (!pierwszy) {
        ostatni = nullptr;
    } else if (pierwszy == ostatni) {
        pelna_tarcza(*pierwszy);
    }
    sortuj(kTolSortuDokladna);
}

int Lista_zdarz::scal_z_nastepnym(int p, int scal) {
    if (p >= ile) return 0;
    Zdarzenie* z = na_pozycji(p);
    if (!z || !z->nast) return 0;
    z->czas_do = z->nast->czas_do;
    usun_zdarzenie_A(z->nr + 1, scal);
    return 1;
}

void Lista_zdarz::usun_zaznaczony() {
    if (!zaznaczony) return;
    usun_zdarzenie_A(zaznaczony->nr, 1);
    zaznaczony = nullptr;
    rysuj_zdarzenia();
}

void Lista_zdarz::scal_rowne_sasiednie(bool z_brakiem_danych) {
    int p = 0;
    while (p < ile) {
        Zdarzenie* z = na_pozycji(p);
        Zdarzenie* n = z->nast;
        if (!n) break;
        const bool rowne = z->czy_praca == n->czy_praca && !zaczyna_sie_na_kat_zak(*n) &&
                           (!z_brakiem_danych || oba_lub_zaden_brak_danych(*z, *n));
        const int przed = ile;
        if (rowne) scal_z_nastepnym(p, 0);
        if (!rowne || ile == przed) ++p;
    }
}

void Lista_zdarz::zamien_czynnosc(int c) {
    for (Zdarzenie* z = pierwszy; z; z = z->nast)
        if (z->czy_praca == c) z->czy_praca = kPostoj;
    scal_rowne_sasiednie(false);
}

void Lista_zdarz::polacz_przez_poczatek(int tylko_jazda) {
    if (ile < 1) return;
    if (ostatni->czy_praca != pierwszy->czy_praca) return;
    if (tylko_jazda && pierwszy->czy_praca != kJazda) return;
    Zdarzenie* o = ostatni;
    odlacz(o);
    pierwszy->kat_od = o->kat_od;
    pierwszy->czas_od = o->czas_od;
    kat_rozp = o->kat_od;
    if (kat_rozp > 360.0) kat_rozp -= 360.0;
    delete o;
    if (!czy_szczeg && pierwszy->czy_praca == kJazda) {
        pierwszy->punkty->czysc();
        pierwszy->km = 0;
    }
    if (pierwszy == ostatni) pelna_tarcza(*pierwszy);
    przenumeruj();
}

void Lista_zdarz::wszystko_out() {
    for (Zdarzenie* z = pierwszy; z; z = z->nast) {
        if (z->out != 1) zmiana = 1;
        z->out = 1;
    }
}
