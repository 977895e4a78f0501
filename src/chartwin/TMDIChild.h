#pragma once
// The window that holds one chart. Its controls come from TMDIChild.ui and are members named
// as in the form (zdarz_grid, Image2, PageControl ...). The handlers live beside the
// subsystem they belong to: lifecycle and layout here (TMDIChild_*.cpp), the disc view in
// editing/, the host protocol in module/. A later layer fills a handler by defining it in
// its own file; the declarations below are the window's whole surface.

#include "activity/Lista_zdarz.h"
#include "activity/OdczytTarczy.h"
#include "activity/ZapisTarczy.h"
#include "activity/rozladunek.h"
#include "analysis/GeometriaTarczy.h"
#include "analysis/Kalibracja.h"
#include "analysis/OdczytAktywnosci.h"
#include "chartwin/TOknoKXMDIChild.h"
#include "host/Ustawienia.h"
#include "module/TarczaZArkusza.h"
#include "ui_TMDIChild.h"

#include <QLibrary>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QButtonGroup;
struct WierszTarczy;

namespace host {
class Query;
}

// Module-wide: blue rest colour of the period list, from the "KX" setting kolor_odpocz_nieb.
extern bool kolor_odpocz_nieb;

class TMDIChild : public TOknoKXMDIChild, public Ui::TMDIChild {
    Q_OBJECT
public:
    // Throws analysis::BladKalibracji when ust_tacho.ini cannot be read.
    TMDIChild(QWidget* owner, bool mdi_child);
    ~TMDIChild() override;

    // --- operations the host calls (slot order of TOknoKXMDIChild) ----------------------
    kx::HostTag GetTag() const override { return tag_hosta; }
    void SetTag(kx::HostTag tag) override { tag_hosta = tag; }
    bool CzyTarcza(int idt) const override { return id_tarczy == idt; }
    void UstawDate(int a, int b) override;
    kx::KxRekordHosta* RekordHosta() const override { return rekord_hosta; }
    bool CzyZmieniony() const override;

    // --- state (names as the window's description gives them) ----------------------------
    bool mdi_child = false;
    bool powiekszony = false; // disc view zoomed: no automatic fit on resize
    std::int32_t wartosc_hosta = 0;
    kx::HostTag tag_hosta = 0;
    std::int32_t id_tarczy = 0;
    std::int32_t domyslna_klasa = 2; // default size class 1..3
    float kat24 = 0.0f;              // reference angle
    float srodek_x = 0.0f, srodek_y = 0.0f;
    std::int32_t pocz_sr_godz = 0;
    std::unique_ptr<Lista_zdarz> lista;        // the chart's periods
    std::unique_ptr<Lista_zdarz> lista_cofnij; // undo copy
    std::unique_ptr<lista_rozladunkow> punkty_spec;
    std::unique_ptr<lista_rozladunkow> punkty_spec_cofnij;
    std::int32_t rodzaj_dnia = 0, typ_tarczy = 0;
    std::int32_t stan_zalogi = 0;
    std::int32_t ladowanie = 0; // 1 while filling controls, 2 while defaults are applied
    std::int32_t promien_nom = 500, srednica_nom = 1000;
    std::int32_t czas_podany = 0;
    std::int32_t tryb_otwarcia = 0;
    std::int32_t id_kier_kopii = -1;
    std::int32_t wczytana = 0; // chart read from the database
    std::int32_t zmieniony = 0;
    std::int32_t typ_dnia_tag = 0; // typ_dnia of the stored chart (the window's tag)
    std::shared_ptr<QLibrary> biblioteka_dane;
    std::shared_ptr<QLibrary> biblioteka_ust;
    host::GetZmFn czytnik_ust = nullptr; // settings reader, null without UstDll
    std::shared_ptr<QLibrary> biblioteka_shared;
    int (*czytnik_jezyka)() = nullptr;
    std::vector<analysis::PrzekroczeniePredkosci> przekroczenia; // speed-excess list
    QString brak_naruszen_tekst;
    QString naglowek_bledow;
    std::uint8_t pocz_po_najdl_odp = 0;
    std::uint8_t bez_samochodu = 0, bez_kierowcy = 0, bez_potwierdzenia = 0;
    kx::KxRekordHosta* rekord_hosta = nullptr;
    QString plik_zrodlowy;
    std::int32_t ile_zamknij = 0;
    std::uint8_t zapis_nieudany = 0;
    std::uint8_t pytanie_przy_zamknieciu = 0;
    std::int32_t wysokosc_panelu_bledow = 0;  // measured when the panel first shows
    std::int32_t nr_skanu = 0;                // the host record's scan index, for the period list
    std::unique_ptr<QLabel> okno_podpowiedzi; // hint window
    analysis::Kalibracja kalibracja;
    // The chart's geometry as the last reading measured it (centre, kat24, the distance-ring
    // tables): every reading fills it, a chart opened with its stored periods too (its ring
    // only), so that distance readings on the chart use its own ring.
    analysis::GeometriaTarczy geometria_tarczy;
    // Marker pictures of loading, unloading and border crossing, and the bitmap list.
    host::Bitmap32 zalad, rozlad, slupek;
    std::vector<host::Bitmap32> Bitmap32List1;
    QButtonGroup* poziomy_grupa = nullptr;
    QButtonGroup* rt_grupa = nullptr;
    QMenu* PopUP_Image2 = nullptr;
    QMenu* im4_pop = nullptr;
    QMenu* zdarz_pop = nullptr;

    // --- lifecycle -------------------------------------------------------------------------
    void AfterConstruction();
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    bool FormCloseQuery(); // true: the window may close
    void FormDestroy();
    void FormClick() {}
    void FormMouseEnter();
    void PageControlChange();
    void PageControlDrawTab();
    void lista_naruszen(); // approved infringements of the chart's day into lista_bledow

    // --- host protocol (module/) -----------------------------------------------------------
    void zamknij_po_zapisie(); // zap_zamClick
    void Button6Click();
    void wyczysc();                                // ChildCzysc
    void odswiez_bufor(kx::KxRekordHosta* rekord); // OdswiezBuf
    // Ustaw_Child: the open-chart row, the chart id, mode and caption; then the opening.
    void ustaw(std::int32_t tryb_modulu, std::int32_t idt, const QString& podpis,
               host::Query* wiersz);
    void wpisz_wiersz_sesji(std::int32_t idt);
    // OtworzChild's cut-out: the disc's square box of side 2 * promien from the sheet,
    // turned about its centre by obrot degrees.
    // OtworzChild: the disc cut from the sheet, turned upright and numbered on the sheet, the
    // header values it came with; pokaz shows the window between the two, zamknij closes it
    // when the host asked for that.
    void otworz_z_arkusza(const kx::TarczaZArkusza& t, std::int32_t tryb_modulu,
                          const std::function<void()>& pokaz, const std::function<void()>& zamknij);
    static host::Bitmap32 wytnij_tarcze(const host::Bitmap32& arkusz, const kx::KxRect& zrodlo,
                                        int promien, double obrot);

    // --- commands other layers define ----------------------------------------------------
    void zap1Click();         // save (saving); leaves zap1 enabled when it did not complete
    void bUsunZamknijClick(); // delete the stored chart and close; stays open on failure
    void kontrolujClick();    // rule check
    void powiekszClick();     // disc view zoom (editing/)
    void pomClick();
    void powrotClick();
    void KolkoMyszy(int delta); // wheel on the form: one notch up zooms in, otherwise out
    void dopasuj_widok();       // fit the disc view into its place
    void Ustawgodzin24Click();
    // Opening a chart: the rest of Ustaw_Child, and the reading of a stored chart without
    // periods. Nothing to do until charts open.
    void otworz_tarcze(std::int32_t idt, host::Query* wiersz);
    void analizuj_tarcze();
    // What the window knows of the chart before a reading: centre, angles, kind, date, crew.
    WejscieTarczy wejscie_tarczy() const;

    // --- opening a chart (chartwin/TMDIChild_otwarcie.cpp, TMDIChild_odczyt.cpp) -------------
    // Set when the chart could not be opened: the window asked to be closed and is not shown.
    bool otwarcie_nieudane = false;
    std::int32_t czy_reczna = 0;     // chart added by hand: no scan looked for
    std::int32_t klasa_rozmiaru = 0; // 0 normal, 1 small (800 px), 2 large (1500 px)
    std::int32_t bez_analizy = 0;    // stored periods: the reading keeps them
    std::int32_t wynik_kontroli = 0; // last rule check: 1 when a rule is broken
    QLabel* Image3 = nullptr;        // warning picture of the summary: driving above 10 h
    // After a reading (or with the stored periods): the list's pictures, the grid, the disc
    // view's scale, the summary, the ring with centre marks and distance points, the check.
    void pokaz_odczyt();
    // The disc view redrawn: scan, ring of periods (the list's selection kept), distance
    // points, centre mark, special points.
    void rysuj_tarcze();
    void pokaz_podsumowanie();
    void wypelnij_zdarz_grid();

    // --- header data (chartwin/TMDIChild_naglowek.cpp) ---------------------------------------
    // A null nadawca is a call from code (opening a chart), not from the user: some handlers
    // then skip what only a user's change does.
    void data_tachoChange(QObject* nadawca);
    void data_tachoCloseUp();
    void kierowcaChange(QObject* nadawca);
    void kierowcaCloseUp();
    void konwojentSelect();
    void nr_rejSelect();
    void nr_rejChange();
    void nr_rejCloseUp();
    void km_od_Change();
    void km_doChange();
    void km_od_Click();
    void km_doClick();
    void km_doEnter();
    void km_od_Exit();
    void roznica_kmChange();
    void zalogaClick();
    void typyClick();
    void cb_statusClick(QObject* nadawca);
    void cb_statusSelect(); // recount of the ticked error boxes, and the chart changed
    // The ticked error boxes counted into the caption of the error panel button; returns the
    // count.
    int policz_bledy();
    void slownik_statusClick();
    void slownik_adnotClick();
    void adnotacjeChange();
    void BlueButton_dodaj_adnotClick();
    void dodaj_kierClick();
    void edytuj_kierClick();
    void dodaj_samClick();
    void edytuj_samClick();
    void znajdz_dzien_f(QObject* nadawca); // previous / next chart of the driver
    // Operations the opening calls: the driver boxes for the chart date, the vehicle box,
    // and both odometer readings written as decimal text.
    void wypelnij_kierowcow(const QDate& data);
    void wypelnij_samochody();
    void ustaw_licznik(std::int32_t km_pocz, std::int32_t km_kon);
    // The stored chart's driver, co-drivers and vehicle (0 = none), kept by the opening: the
    // refilled boxes keep them even when the lists' filters leave them out.
    // The module's own handle to its file, held by a window the module opened itself; given
    // back after the window is gone.
    std::shared_ptr<QLibrary> modul_okna;
    std::int32_t id_k_tarczy = 0, id_konwojenta_tarczy = 0, id_konwojenta2_tarczy = 0,
                 id_s_tarczy = 0;

    // Settings through the window's reader: def when the reader is missing or the key unknown.
    QVariant ustawienie(const QString& name, const QString& group, const QVariant& def) const;
    // Marks the chart changed: enables zap1 and zap_zam.
    void oznacz_zmiane();
    // The page control's active page.
    int aktywna_strona() const { return PageControl->currentIndex(); }

    // --- saving (chartwin/TMDIChild_zapis.cpp) -------------------------------------------------
    // The views hold a blank disc standing in for a scan that is missing (or a free day's or
    // a hand-added chart's blank): the save stores no picture for it.
    bool obraz_zastepczy = false;
    // The header values of a save from the controls and the window's state.
    NaglowekTarczy naglowek_zapisu() const;
    // Figures of the periods when the chart was opened or last saved: an unchanged list is
    // not summarised again.
    FiguryZdarzen figury_otwarcia;
    // Caption of a stored chart: date, driver, chart id.
    QString podpis_tarczy() const;

    // --- special points (chartwin/TMDIChild_punkty.cpp) ---------------------------------------
    QPointF punkt_menu; // disc-view pixel where the pop-up menu was opened
    void Wstawzaadunek1Click() { wstaw_punkt_specjalny(kZaladunek); }
    void Wstawrozadunek1Click() { wstaw_punkt_specjalny(kRozladunek); }
    void Wstawprzejciegraniczne1Click() { wstaw_punkt_specjalny(kPrzejscieGraniczne); }
    void Usuzaadunek1Click();
    // Edits the selected point in the dialog; false when none is selected or it was cancelled.
    bool edytuj_punkt_specjalny();
    void wstaw_punkt_specjalny(int typ);
    // The marker picture of a point type (empty: points of that type are not drawn).
    const host::Bitmap32& znacznik_typu(int typ) const;
    // The markers on the disc view, drawn over the periods.
    void rysuj_punkty_specjalne();
    // The point under the disc-view pixel p (selected, hint shown), or -1.
    int punkt_pod_kursorem(const QPointF& p);
    // Odometer proposed for a point at angle kat of chart day dzien; none without a start
    // reading.
    std::optional<int> proponowany_licznik(double kat, double dzien);

signals:
    // Emitted at the end of FormShow; screenshots and tests wait for nothing else.
    void pokazano();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;

private:
    void ustaw_podpisy();           // resource-string captions of construction
    void ustaw_podpisy_tworzenia(); // captions of FormCreate
    void tylko_do_odczytu();        // preview: disable all but what stays usable
    void wczytaj_biblioteki();
    void rozmiar_klasy();
    void pokaz_kontrole(); // the control tab's layout for the window's width
    void usun_wiersz_sesji();
    // Opening steps (TMDIChild_otwarcie.cpp).
    void otworz_zapisana(std::int32_t idt, host::Query* wiersz);
    void nie_otwarto(const QString& komunikat);
    void wybierz_naglowek(const WierszTarczy& w);
    void wczytaj_obraz(const WierszTarczy& w, const QString& pusty);
    void wczytaj_przekroczenia();
    // Header data: the controls' signals to their handlers, a co-driver box's refill, the
    // odometer's check and the opening of another chart of the driver.
    void polacz_naglowek();
    void wypelnij_konwojenta(QComboBox* box, const QDate& dzien, int filtr_firmy);
    void sprawdz_licznik();
    void otworz_inna_tarcze(int idt, int cyfrowy);
    void po_zapisie(const NaglowekTarczy& n, int id_zapisanej);
    void polacz_punkty_specjalne();
    bool zniszczony_ = false;
};
