// Refreshing the distance points from the scan.

#include "chartwin/TMDIChild.h"

#include "activity/lista_pkt.h"

void TMDIChild::Pokalistepunktw1Click() {
    if (!lista) return;
    zap1->setEnabled(true);
    zap_zam->setEnabled(true);
    if (szczeg->isChecked()) {
        lista->wykryj_punkty();
    } else {
        // The correction view shows the clean scan again, without the old points.
        Image4->Bitmap() = Image1->Bitmap();
        if (Zdarzenie* z = lista->zaznaczony; z && z->czy_praca == kJazda)
            lista->wykryj_punkty_okresu(*z);
    }
    lista->zmiana = 1;
    wypelnij_zdarz_grid();
    pokaz_podsumowanie();
    lista->rysuj_punkty(Image4->Bitmap(), srodek_x, srodek_y, czytnik_ust);
    Image4->Changed();
}
