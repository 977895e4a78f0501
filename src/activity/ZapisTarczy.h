#pragma once
// Saving one chart: the header checks, then the chart row, its speed-trace ranges, the picture,
// the periods with their points, the special points and the change notices in one transaction
// on the host connection. No widgets: the chart window fills NaglowekTarczy from its controls
// and shows what the result says.

#include "activity/Lista_zdarz.h"
#include "activity/rozladunek.h"
#include "host/Bitmap32.h"
#include "host/TDateTime.h"

#include <QString>

#include <optional>
#include <vector>

// One speed-trace range of the chart (table pv).
struct ZakresPv {
    double kat_p = 0.0;
    double kat_k = 0.0;
    int widoczny = 1;
};

// The six figures that tell whether the periods changed since the chart was opened.
struct FiguryZdarzen {
    int jazda = 0, praca = 0, dyzur = 0; // minutes
    int punkty = 0, podjazd = 0, out = 0;
    bool operator==(const FiguryZdarzen&) const = default;
};
FiguryZdarzen figury_zdarzen(const Lista_zdarz& lista);
// "04:30,01:15,00:45,00:00,212[,podjazd,out]", or empty when the chart existed and its
// figures equal those recorded at opening.
QString zdarz_podsum(const Lista_zdarz& lista, const std::optional<FiguryZdarzen>& przy_otwarciu);

// The header values of the chart window, as the save stores them.
struct NaglowekTarczy {
    int id_tarczy = 0;     // 0 for a chart not stored yet
    bool istnieje = false; // the chart row existed when the window opened it
    host::TDateTime data;  // chart date
    QString kierowca;      // driver and vehicle as shown, for the log lines
    QString pojazd;
    int id_k = 0;          // driver (0 none)
    int id_k_zapisany = 0; // driver the stored periods are registered with
    int id_s = 0;          // vehicle
    int id_konwojenta = 0, id_konwojenta2 = 0;
    std::optional<int> km_pocz, km_kon; // odometer; none when the field is empty
    int km_obl = 0;                     // distance from the periods
    int rodzaj = 0, typ_dnia = 0, status = 0, ps = 0, zespol = 0, cyfrowy = 0;
    std::optional<int> status_tacho;
    QString status_tarczy; // text of the status field; the abroad text marks every period OUT
    QString adnotacje, adnotacje_mod, nazwa_pliku;
    int x0 = 0, y0 = 0, pocz_sr_godz = 0;
    // Defect marks of the chart.
    int nieczytelna = 0, blad_obsl_t = 0, niekompletne = 0, przerysowana = 0, brak_wr = 0,
        kilka_wykr = 0, nieprawidlowa = 0, niezgodnosc_cz = 0, wirtualne_przem = 0;
    int czy_zaswiadczenie = 0, czy_reczna = 0;
    std::optional<host::TDateTime> dzien_kal;
    std::optional<int> przes_utc, wer_km, id_nrk;
    int id_u = 0; // current user
    std::vector<ZakresPv> pv;
    const host::Bitmap32* obraz = nullptr;             // the scan; no picture is written without it
    QString katalog_obrazow;                           // image folder
    std::optional<FiguryZdarzen> figury_przy_otwarciu; // of a chart that existed
};

// The image folder of the settings: sciezka_ob with "Image" appended.
QString katalog_obrazow();

// Other charts of the same persons (the driver and co-drivers, in any seat), the chart itself
// left out: with working time overlapping [od, do_) and dated within a day of it (po_dacie
// false), or of the chart's own date (po_dacie true).
std::vector<int> inne_tarcze_osob(const NaglowekTarczy& n, bool po_dacie, host::TDateTime od = {},
                                  host::TDateTime do_ = {});

// The header checks before a save (date, start hour, driver, vehicle, co-drivers, absences,
// overlapping charts, image folder). Messages and questions go through host::InfoBox; the
// result is empty when the save may go on, else the key of the message or question that
// stopped it.
// Other charts of the same persons that the user, refusing to save beside them, asked to
// see: the window opens them.
struct TarczaDoOtwarcia {
    int id_t = 0;
    int cyfrowy = 0;
};
QString sprawdz_przed_zapisem(const NaglowekTarczy& n, const Lista_zdarz& lista,
                              std::vector<TarczaDoOtwarcia>* do_otwarcia = nullptr);

struct WynikZapisu {
    bool zapisano = false;
    int id_tarczy = 0;         // the chart key (new for a chart stored for the first time)
    QString klucz_bledu;       // Resstrings_IDS_Rekord_usuniety / _Nie_zap_tacho when not saved
    QString ostrzezenie;       // the picture could not be written; the chart was saved
    int koniec_nastepnego = 0; // a working period ends on the next day
};

// Runs the writes of one save in one transaction on the host connection. On any failure
// everything is rolled back, no picture file of this save is left, the list and the points
// keep the user's data (their keys as before) and the message is shown with host::InfoBox.
class ZapisTarczy {
public:
    ZapisTarczy(const NaglowekTarczy& naglowek, Lista_zdarz& lista,
                const lista_rozladunkow& punkty_specjalne);
    WynikZapisu zapisz();

private:
    void log(const QString& tekst) { lista_.zapisz_log(tekst); }
    QString ogon() const;
    // The stored row and the crew partner, before any write. Empty when the save goes on,
    // else the key of what stopped it (the user's refusal, or the row gone meanwhile).
    QString sprawdz_zespol();
    void zapisz_tacho(const QString& podsum, WynikZapisu& w);
    void zapisz_pv(int id_tarczy);
    void zapisz_komunikacje(int id_tarczy);

    const NaglowekTarczy& n_;
    Lista_zdarz& lista_;
    const lista_rozladunkow& punkty_;
};
