#pragma once
// The activity periods of one chart, kept sorted by start angle measured forward from the start
// of recording, with the geometry that ties disc angles to the clock.
//
// Operations by number (the numbers the chart window, the analysis and the save use):
//   1  create / destroy ............... Lista_zdarz(), ~Lista_zdarz()
//   2  set owner ...................... ustaw_okno
//   3  set kat24 ....................... ustaw_kat24, ustaw_kat24_przelicz (re-times periods)
//   4  set kat_rozp .................... ustaw_kat_rozp
//   5  set promien ..................... ustaw_promien
//   6  scale the centre ................ skaluj
//   7  add a period .................... dodaj_zdarzenie
//   8  add a loaded period ............. dodaj_zdarzenie_wczytane
//   9  load from the database .......... wczytaj_z_bazy
//  10  add a point to a period ......... dodaj_punkt
//  11  removal A (delete, merge) ....... usun_zdarzenie_A
//  12  removal B (end-hour command) .... usun_zdarzenie_B
//  13  merge with the successor ........ scal_z_nastepnym
//  14  delete the selected period ...... usun_zaznaczony
//  15  insert into the selected period . wstaw_w_zaznaczony
//  16  replace an activity ............. zamien_czynnosc
//  17  join across the start ........... polacz_przez_poczatek
//  18  mark everything OUT ............. wszystko_out
//  19  clear ........................... czysc
//  20  copy into another list .......... kopiuj_do
//  21  select by position .............. wybierz
//  22  position at an angle ............ pozycja_kata
//  23  total time of a code ............ czas_czynnosci (whole list / positions), czas_jazdy
//  24  distance over positions ......... km_w_zakresie
//  25  number of points ................ ile_punktow
//  26  podjazd / out counts ............ ile_podjazd_out
//  27  first and last driving .......... pierwsza_ostatnia_jazda
//  28  long rest present ............... czy_dlugi_odpoczynek
//  29  fill the period grid ............ wypelnij_siatke
//  30  draw the ring, hit test ......... rysuj_zdarzenia, rysuj_zdarzenia_wiersz,
//                                        rysuj_znaczniki, zaznacz_xy
//  31  draw / redetect points .......... rysuj_punkty, wykryj_punkty
//  32  drag a boundary ................. przeciagnij_granice
//  33  add a distance point by hand .... dodaj_punkt_recznie
//  also: sort (sortuj), moving misplaced points (przenies_punkty), the chart log (zapisz_log).

#include "activity/CzytnikKm.h"
#include "activity/IKxZdarzenie.h"
#include "activity/SiatkaZdarzen.h"
#include "activity/Zdarzenie.h"
#include "activity/lista_pkt.h"
#include "host/Bitmap32.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"

#include <QLibrary>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

// Angle of a mouse position around a centre as the disc view measures it: from atan of the
// slope, folded into 0..360 (90 or 270 straight below or above the centre).
double kat_myszy(double x, double y, double cx, double cy);

class Lista_zdarz {
public:
    static constexpr double kBrakKataZak = -1000000.0; // kat_zak: recording end not set
    static constexpr double kTolSortuDokladna = 0.0001;
    static constexpr double kTolSortuZgrubna = 0.12; // after loading

    // A handle to the event-conversion library (null when absent). Every list loads it;
    // a caller that creates many lists keeps one handle so that it stays loaded between them.
    static std::shared_ptr<QLibrary> biblioteka_zamiany();

    // --- fields -------------------------------------------------------------------------
    std::shared_ptr<QLibrary> biblioteka; // event-conversion library, null when absent
    ZamienZdarzenie_fn ZamienZdarzenie = nullptr;
    NEW_KxZdarzenie_fn NEW_Zdarzenie = nullptr;
    // Entered periods that the conversion replaced, as entered; the save writes them.
    std::deque<std::unique_ptr<IKxZdarzenie>> oryginalne;
    Zdarzenie* pierwszy = nullptr;
    Zdarzenie* ostatni = nullptr;
    Zdarzenie* granica = nullptr;          // period whose start is under the mouse (within 1 deg)
    Zdarzenie* zaznaczony = nullptr;       // selected period
    Zdarzenie* zaznaczony_km = nullptr;    // driving period picked for point editing
    Zdarzenie* biezacy = nullptr;          // cursor of every walk
    host::Bitmap32* okno = nullptr;        // disc view bitmap the ring is painted on
    const host::Bitmap32* obraz = nullptr; // the clean scan; drawing is skipped without it
    host::TColor32 kolor = host::Color32(250, 160, 0, 255);
    std::int32_t x0 = 0, y0 = 0; // disc centre in disc-view pixels
    std::int32_t mysz_x = 0, mysz_y = 0;
    std::int32_t promien = 0;       // radius of the activity ring
    float kat_przeciagania = -1.0f; // boundary being dragged, -1 when none
    std::int32_t przesunieto = 0;   // 1 when the last drag moved a boundary
    std::int32_t ile = -1;          // number of periods minus one
    double kat24 = 0.0;             // disc angle of 00:00
    double kat_rozp = 0.0;          // start of recording, below 360
    host::TDateTime godz_rozp;      // time of day of kat_rozp, filled when drawing
    double kat_zak = kBrakKataZak;  // end of recording
    std::int32_t czy_szczeg = 0;    // detailed chart: points in punkty_tarczy, not per period
    double kat_jazdy_od = 0.0, kat_jazdy_do = 0.0;
    std::unique_ptr<lista_pkt> punkty_tarczy;
    std::int32_t typ_tarczy = 0;          // chart kind (the window's typy selection)
    std::int32_t klasa_rozmiaru = 0;      // size class of the disc: 0 normal, 1 small, 2 large
    std::int32_t zmiana = 0;              // changed since loaded or saved
    const host::Bitmap32* styl = nullptr; // marker picture of hand-entered periods
    std::int32_t rozmiar_pkt = -1;        // cached point-size setting
    std::uint8_t opcja_szara = 0;         // light shades for rest and no data
    std::uint8_t bez_dociagania = 0;      // the save keeps the last period's end as it is
    std::int32_t wynik_zapisu = 0;        // last PZapPozZdarz return value
    // How many of oryginalne are already stored in poz_zdarz_org; the save moves it on only
    // after its transaction committed (zapisane_oryginalne_po_zapisie).
    std::size_t zapisane_oryginalne = 0;
    // Outputs of the rule check, reset at the start of each check: continuous-driving stretches
    // over the limit, and of those the ones followed by a break shorter than 45 minutes.
    std::int32_t ile_jazda_ciagla = 0;
    std::int32_t ile_przerwa_krotka = 0;

    // --- 1 --------------------------------------------------------------------------------
    Lista_zdarz();
    ~Lista_zdarz();
    Lista_zdarz(const Lista_zdarz&) = delete;
    Lista_zdarz& operator=(const Lista_zdarz&) = delete;

    // --- setting up (2-6) -----------------------------------------------------------------
    void ustaw_okno(host::Bitmap32* okno, const host::Bitmap32* obraz);
    void ustaw_kat24(double kat);
    void ustaw_kat24_przelicz(double kat);
    void ustaw_kat_rozp(double kat);
    void ustaw_promien(int r);
    void skaluj(int cx, int cy, int szer, int wys);
    // The distance reader used by wykryj_punkty; not owned, may be null.
    void ustaw_czytnik_km(CzytnikKm* czytnik) { czytnik_km_ = czytnik; }

    // --- filling (7-10) -------------------------------------------------------------------
    void dodaj_zdarzenie(double kat_od, double kat_do, int czy_praca, int km = 0, int podjazd = 0,
                         int out = 0, int pz_zespol = 0, const lista_pkt* punkty = nullptr,
                         int czy_przerwa = 0, int zamiana = 0);
    void dodaj_zdarzenie_wczytane(host::TDateTime czas_od, host::TDateTime czas_do, int czy_praca,
                                  int km, int id_tpz, int podjazd, int out, int pz_zespol);
    // Database failures propagate as host::DbError.
    void wczytaj_z_bazy(int id_tarczy);
    void dodaj_punkt(int p, float kat, int nr_paska, int promien);

    // --- changing (11-20) -----------------------------------------------------------------
    void usun_zdarzenie_A(int p, int scal);
    void usun_zdarzenie_B(int p);
    int scal_z_nastepnym(int p, int scal);
    void usun_zaznaczony();
    // With a picture attached (x, y) is the mouse position and a stretch of code c, w degrees
    // either side, is inserted; without one x is the angle at which the selected period is
    // split. 1 when the list changed, 0 when there was no room.
    int wstaw_w_zaznaczony(double x, double y, int c, double w, int przyciagaj);
    void zamien_czynnosc(int c);
    void polacz_przez_poczatek(int tylko_jazda);
    void wszystko_out();
    void czysc();
    int kopiuj_do(Lista_zdarz& cel) const;

    // --- queries (21-28) ------------------------------------------------------------------
    Zdarzenie* wybierz(int p);
    int pozycja_kata(double a) const;
    host::TDateTime czas_czynnosci(int c) const;
    host::TDateTime czas_czynnosci(int c, int p1, int p2) const;
    host::TDateTime czas_jazdy(int p1, int p2) const { return czas_czynnosci(kJazda, p1, p2); }
    std::int64_t km_w_zakresie(int p1, int p2) const; // wide: a sum of many periods
    int ile_punktow() const;
    void ile_podjazd_out(int& ile_podjazd, int& ile_out) const;
    void pierwsza_ostatnia_jazda();
    int czy_dlugi_odpoczynek() const;

    // --- display (29-33) ------------------------------------------------------------------
    void wypelnij_siatke(SiatkaZdarzen& siatka);
    // Paints the clean scan and the ring on okno, keeping the selection.
    void rysuj_zdarzenia();
    // The same with the period of row nr wiersz selected (none when below 0).
    void rysuj_zdarzenia_wiersz(int wiersz);
    void rysuj_znaczniki(host::Bitmap32& cel);
    // Hit test of a disc-view position: selects the period under it; its nr, or -1.
    int zaznacz_xy(int x, int y);
    void rysuj_punkty(host::Bitmap32& cel, double cx, double cy, host::GetZmFn czytnik);
    // The same drawing with the points as they are now, to be done later on any bitmap.
    std::function<void(host::Bitmap32&)> rysunek_punktow(double cx, double cy,
                                                         host::GetZmFn czytnik);
    // Hit test of the distance points at a picture position; 1 when one was picked.
    int wybierz_punkt(host::Bitmap32& cel, int x, int y, double cx, double cy,
                      host::GetZmFn czytnik);
    // Reads the points of zaznaczony_km (or of the whole chart) again; their number, or -1
    // when there is no reader or nothing to read.
    int wykryj_punkty();
    // Reads the points of one driving period again over its range; their number, or -1
    // without a reader.
    int wykryj_punkty_okresu(Zdarzenie& z);
    // Live form: 1 when the boundary moved. Released form: 1 when the start of recording
    // moved.
    int przeciagnij_granice(int x, int y, bool puszczony);
    // 1 when a point was added.
    int dodaj_punkt_recznie(host::Bitmap32& cel, double cx, double cy, int x, int y, float r0,
                            host::GetZmFn czytnik);

    // --- saving -------------------------------------------------------------------------
    // Writes the periods of chart id_tarczy dated data on the host connection (inside the
    // caller's transaction): deletes what is replaced, then each period through PZapPozZdarz
    // with its speed record, the points of driving periods or of the detailed chart and the
    // entered periods the conversion replaced. Angles and times are rounded to whole minutes
    // in place. przepisz 0 keeps the stored periods (a chart that existed and whose list is
    // unchanged): only the driver of their speed records moves from id_k_stary to id_k_nowy
    // and the points are written again. A failure sets blad to 1, logs and stops; nothing is
    // thrown. Returns 1 when a working period (code above 0) ends on the day after data.
    int zapisz_zdarzenia(int id_tarczy, int istniala, host::TDateTime data, int& blad, int przepisz,
                         int id_k_stary, int id_k_nowy);
    // The entered periods written by the save that just committed count as stored.
    std::size_t oryginalne_do_zapisu() const { return oryginalne.size() - zapisane_oryginalne; }

    // --- shared ---------------------------------------------------------------------------
    // Orders the periods by start angle counted forward from kat_rozp (a start within the
    // tolerance before kat_rozp counts as at it), equal starts in their present order, and
    // numbers them. Answers the passes made over the list: 1 when it was in order.
    int sortuj(double tolerancja = kTolSortuDokladna);
    void przenies_punkty();
    // The chart log: the step lines are accepted and not written anywhere.
    void zapisz_log(const QString& tekst);

    int liczba() const { return ile + 1; }
    Zdarzenie* na_pozycji(int p) const; // like wybierz, without moving the cursor
    bool zaczyna_sie_na_kat_zak(const Zdarzenie& z) const;

private:
    void dolacz_na_poczatek(Zdarzenie* z);
    void odlacz(Zdarzenie* z);
    void pelna_tarcza(Zdarzenie& z);
    void przenumeruj();
    void scal_rowne_sasiednie(bool z_brakiem_danych);
    void zastosuj_granice(double a, bool znaczniki, bool puszczony);
    void rysuj_promien(double a, host::TColor32 kolor);
    host::TColor32 kolor_zdarzenia(const Zdarzenie& z, int& cieniowanie) const;
    bool konwertuj(Zdarzenie& z, std::deque<std::unique_ptr<Zdarzenie>>& wynik);

    CzytnikKm* czytnik_km_ = nullptr;
};
