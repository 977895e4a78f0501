#include "analysis/Odczyt.h"

#include "analysis/Centrowanie.h"
#include "analysis/OdczytKm.h"
#include "analysis/PomiarLiniiKm.h"

namespace analysis {

WynikOdczytu Odczyt(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie, ListaOkresow& lista,
                    int pomin_przes, float a0, int bez_analizy) {
    WynikOdczytu wynik;
    lista.ustaw_typ(wejscie.typ);
    analiza.geometria().typ = wejscie.typ;

    Centrowanie centrowanie(analiza, wejscie);
    if (bez_analizy != 0) {
        centrowanie.test_cent_km();
        return wynik;
    }
    wynik.promienie_km = centrowanie.test_cent_km();
    if (pomin_przes == 0) centrowanie.spr_przes();
    wynik.promienie_godz = centrowanie.test_centrowania();

    OdczytKm km(analiza, wejscie, lista);
    OdczytAktywnosci aktywnosc(analiza, wejscie, lista, km);
    aktywnosc.Odczyt_trybu_pracy(analiza.bitmapa(), a0);
    // The zig-zag's lines, measured where the activity trace shows driving, before it is read.
    analiza.geometria().linie_km = zmierz_linie_km(analiza, aktywnosc.zakresy_jazdy());
    aktywnosc.Odczyt_godzin_pracy();

    wynik.bez_zapisu = odcinki_bez_zapisu(analiza.bitmapa(), analiza.geometria());
    wynik.przeanalizowano = true;
    wynik.przekroczenia = aktywnosc.przekroczenia();
    wynik.etykiety_przekroczen = aktywnosc.etykiety_przekroczen();
    return wynik;
}

} // namespace analysis
