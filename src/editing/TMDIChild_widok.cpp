// Zooming the disc view: the zoom buttons and the mouse wheel over the form.

#include "chartwin/TMDIChild.h"

namespace {
constexpr double kKrokPowiekszenia = 1.25;
}

void TMDIChild::powiekszClick() {
    powiekszony = true;
    Image2->SetScale(Image2->Scale() * kKrokPowiekszenia);
}

void TMDIChild::pomClick() {
    powiekszony = true;
    Image2->SetScale(Image2->Scale() / kKrokPowiekszenia);
}

void TMDIChild::powrotClick() {
    powiekszony = false;
    dopasuj_widok();
}

void TMDIChild::KolkoMyszy(int delta) {
    // Whole notches only: half a notch up counts as down, as the wheel message was read.
    if (delta / 120 > 0)
        powiekszClick();
    else
        pomClick();
}
