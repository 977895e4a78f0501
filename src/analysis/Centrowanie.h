#pragma once
// Where the printed rings of a disc really lie in the analysis bitmap. Three measuring steps,
// run in this order before the traces are read:
//
//   test_cent_km      the lower edge of the distance band on 49 rays (7.5 degrees apart from
//                     kat24 + 210), disturbed rays flagged and repaired by interpolation; for
//                     stepped charts (kind 2) also the upper edge on 73 rays (5 degrees apart
//                     from kat24), which gives the upper-edge offset table;
//   spr_przes         the centre moved to the mean midpoint of opposite ring points;
//   test_centrowania  the inner radius of the dark hour ring, pocz_sr_godz.
//
// All three search outward along a ray with the arc darkness test and stop at a fixed limit,
// so a picture without rings still terminates: every ray then ends at its limit. When the
// calibration's kolka_km is 1 or more the measured points are drawn as small circles on the
// correction-view bitmap (blue for measured points, red for repaired rays).

#include "analysis/AnalizaTarczy.h"
#include "analysis/GeometriaTarczy.h"
#include "analysis/WejscieAnalizy.h"

#include "host/Bitmap32.h"

#include <span>

namespace analysis {

class Centrowanie {
public:
    static constexpr host::TColor32 kolor_pomiaru = 0xFF0000FFu;    // blue
    static constexpr host::TColor32 kolor_zaklocenia = 0xFFFF0000u; // red

    // The marks go to wejscie.korekta, or, when that is null, to the analysis's own marker
    // bitmap; without either nothing is drawn.
    Centrowanie(AnalizaTarczy& analiza, const WejscieAnalizy& wejscie);

    // Fills the distance-ring table and, for chart kind 2 only, the upper-edge offset table
    // (cleared for every other kind). Returns the number of the 48 distinct rays on which the
    // ring was met as an edge inside the search window (not ink from its start on): a picture
    // that is no chart finds it on few.
    int test_cent_km();
    // Moves the centre to the mean midpoint of the opposite ray pairs (i, i + 24) whose rays
    // are both undisturbed, plus the half pixel of the rounding convention; unchanged when no
    // pair qualifies. The ring table is not measured again.
    void spr_przes();
    // Measures the hour ring on 48 rays and sets pocz_sr_godz (never above 375). Returns the
    // number of rays on which a ring more than 8 pixels wide was found.
    int test_centrowania();

    // The flagging and repair of a ray table, shared by both fans (n + 1 entries, the last
    // one on the same angle as the first). A ray is flagged when its radius jumps by 2 pixels
    // or more and stays flagged until more rays have passed since the last good one than the
    // accumulated jump is large; entry 0 takes the flag of entry n.
    static void oznacz_zaklocone(std::span<PromienKm> t);
    // Flagged rays are replaced by the linear interpolation between the last good ray before
    // and the next good one after them (across the end of the table when none follows);
    // entry n then repeats entry 0.
    static void napraw_zaklocone(std::span<PromienKm> t);

private:
    int zmierz_pierscien_km();
    void zmierz_gorna_krawedz();
    void znacznik(float kat, float r, int promien, host::TColor32 kolor) const;

    AnalizaTarczy& an_;
    const WejscieAnalizy& we_;
    host::Bitmap32* znaczniki_;
};

} // namespace analysis
