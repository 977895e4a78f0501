#pragma once
// The dialog of one loading, unloading or border-crossing point: time of day, odometer, cargo
// and city. The date follows the time: a time before the chart's start falls on the next day.
// An unreadable time disables OK; leaving the field puts the last valid time back.

#include "activity/rozladunek.h"
#include "ui_Trozladunek_form.h"

#include <QDialog>

class Trozladunek_form : public QDialog, public Ui::Trozladunek_form {
    Q_OBJECT
public:
    // typ: kPrzejscieGraniczne, kZaladunek or kRozladunek.
    Trozladunek_form(QWidget* owner, int typ, double dzien_tarczy, double kat24, double kat_startu);

    // "Załadunek", "Rozładunek" or "Przejście graniczne" in the current language.
    static QString nazwa_typu(int typ);

    // Caption, cargo panel and city list (FormShow); call once before showing.
    void FormShow();
    void godzChange();
    void godzEnter() { ostatnia_godz = godz->text(); }
    void godzExit();
    void miastoSelect();
    void dodaj_mClick();

    // Fills the controls from a stored point (editing).
    void pokaz(const rozladunek& r);
    // The point as entered; valid only when OK is enabled.
    rozladunek punkt() const;

    host::TDateTime data_punktu; // chart day, or the next day for a time before the start
    QString ostatnia_godz;       // last valid time text

private:
    void wczytaj_miasta(int wybrane);
    bool eventFilter(QObject* o, QEvent* e) override;

    int typ_;
    double dzien_, kat24_, kat_startu_;
};
