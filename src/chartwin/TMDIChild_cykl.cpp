// Creation, showing, resizing, closing and destruction of the chart window.

#include "chartwin/JezykFormy.h"
#include "chartwin/TMDIChild.h"

#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/Uprawnienia.h"
#include "host/db/Query.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace {

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

} // namespace

void TMDIChild::FormCreate() {
    okno_podpowiedzi = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    okno_podpowiedzi->setObjectName(QStringLiteral("okno_podpowiedzi"));
    okno_podpowiedzi->setBackgroundRole(QPalette::ToolTipBase);
    okno_podpowiedzi->setAutoFillBackground(true);

    ustaw_podpisy_tworzenia();

    przekroczenia.clear();
    lista = std::make_unique<Lista_zdarz>();
    lista_cofnij = std::make_unique<Lista_zdarz>();
    lista->czy_szczeg = szczeg->isChecked() ? 1 : 0;
    poziomy_0->setChecked(false);
    poziomy_1->setChecked(true);
    pop_dzien1->setText(pop_dzien->text());
    nast_dzien1->setText(nast_dzien->text());
    l_danepodst->setText(Grupa_dane_tacho->title());
    Label3->setText(typy1->text());
    zaloga->setMinimumWidth(zaloga->fontMetrics().horizontalAdvance(zaloga->text()) + 18);
    sb_jazda->setText(zdarzJazda->text());
    sb_praca->setText(zdarzPraca->text());
    sb_dysp->setText(zdarzDysp->text());
    sb_postoj->setText(zdarzPostoj->text());
    sb_bd->setText(zdarzBrakDanych->text());

    czytnik_ust = nullptr;
    wczytaj_biblioteki();

    // User rights.
    if (host::SprawdzUpr(QStringLiteral("delegacja.dll")) <= 0) N7->setVisible(false);
    if (host::SprawdzUpr(QStringLiteral("dostepny_czas.dll")) < 0) {
        auto* lay = Panel3->layout();
        const int miejsce = lay->indexOf(sbDostCzas);
        sbDostCzas->setVisible(false);
        lay->removeWidget(Drukuj);
        static_cast<QBoxLayout*>(lay)->insertWidget(miejsce, Drukuj);
    }

    czas_podany = 0;
    ladowanie = 1;
    rt_0->setChecked(true);
    typy->setCurrentIndex(typy->count() > 0 ? 0 : -1);
    ladowanie = 0;
    Image4->setCursor(Qt::CrossCursor);
    Image2->setCursor(Qt::CrossCursor);

    rozmiar_klasy();

    naglowek_bledow = R("Resstrings_IDS_bledy_tarcz");
    brak_naruszen_tekst = R("Resstrings_IDS_Brak_zatwierdzonych_naruszen");
}

void TMDIChild::wczytaj_biblioteki() {
    biblioteka_shared = host::LoadLibrary_main(QStringLiteral("SharedData.dll"));
    if (biblioteka_shared)
        czytnik_jezyka = reinterpret_cast<int (*)()>(biblioteka_shared->resolve("GetLanguageId"));

    biblioteka_dane = host::LoadLibrary_main(QStringLiteral("dane.dll"));
    if (biblioteka_dane) {
        using Kwerenda_fn = bool (*)(host::Query*);
        auto kwerenda = reinterpret_cast<Kwerenda_fn>(biblioteka_dane->resolve("_Kwerenda"));
        if (kwerenda && czytnik_jezyka) {
            try {
                host::Query czy_jlitewski(
                    QStringLiteral("select kod_jezyka from jezyk where id_jezyka = :id_jezyka"));
                czy_jlitewski.setParam(QStringLiteral("id_jezyka"), czytnik_jezyka());
                if (kwerenda(&czy_jlitewski) && !czy_jlitewski.Eof() &&
                    czy_jlitewski.asString(QStringLiteral("kod_jezyka")).trimmed() ==
                        QLatin1String("lt")) {
                    ps->setText(QStringLiteral("Užsienis"));
                    ps->setVisible(true);
                }
            } catch (const std::exception& e) {
                // No database yet: the Lithuanian flag is not needed to show a window.
                qWarning("TMDIChild: language query failed: %s", e.what());
            }
        }
    }

    biblioteka_ust = host::LoadLibrary_main(QStringLiteral("UstDll.dll"));
    if (biblioteka_ust)
        czytnik_ust = reinterpret_cast<host::GetZmFn>(biblioteka_ust->resolve("_GetZm"));
    if (!czytnik_ust) biblioteka_ust.reset();
}

void TMDIChild::rozmiar_klasy() {
    domyslna_klasa =
        czytnik_ust ? czytnik_ust(QStringLiteral("tylko_automat"), QStringLiteral("KX")).toInt() + 1
                    : 2;
    promien_nom = 500;
    srednica_nom = 1000;
    if (domyslna_klasa == 1) {
        promien_nom = 400;
        srednica_nom = 800;
    } else if (domyslna_klasa == 3) {
        promien_nom = 750;
        srednica_nom = 1500;
    }
}

void TMDIChild::tylko_do_odczytu() {
    static const QStringList zostaja = {
        QStringLiteral("GroupBox22"),     QStringLiteral("GroupBox2"),
        QStringLiteral("powiekszenie"),   QStringLiteral("powrot"),
        QStringLiteral("Button6"),        QStringLiteral("bUsunZamknij"),
        QStringLiteral("Drukuj"),         QStringLiteral("Panel1"),
        QStringLiteral("Panel2"),         QStringLiteral("Panel3"),
        QStringLiteral("Panel4"),         QStringLiteral("wykres_tyg"),
        QStringLiteral("btnWykrMies"),    QStringLiteral("BlueButton_bledy"),
        QStringLiteral("BlueButton_nar"), QStringLiteral("powieksz"),
        QStringLiteral("Image2"),         QStringLiteral("Image4"),
        QStringLiteral("panel_mini"),     QStringLiteral("pop_dzien"),
        QStringLiteral("nast_dzien"),     QStringLiteral("sciezkaedit"),
        QStringLiteral("PageControl")};
    const bool rozszerzony = host::CzyTrybPodgladRozszerz(0);
    static const QStringList rozszerzone = {
        QStringLiteral("status_tarczy"),   QStringLiteral("slownik_status"),
        QStringLiteral("cb_status"),       QStringLiteral("dodaj_pliki"),
        QStringLiteral("adnotacje"),       QStringLiteral("BlueButton_dodaj_adnot"),
        QStringLiteral("dodaj_adnot"),     QStringLiteral("slownik_adnot"),
        QStringLiteral("adnotacje_tarczy")};
    auto w_grupie = [this](QWidget* w) {
        for (QWidget* p = w; p && p != this; p = p->parentWidget())
            if (p == Grupa_dane_tacho) return true;
        return false;
    };
    auto na_stronie = [this](QWidget* w) {
        // Controls placed directly on the page control: its pages (parent: the page stack).
        return w->parentWidget() && w->parentWidget()->parentWidget() == PageControl;
    };
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString name = w->objectName();
        // Qt's own parts of a control (tab stacks, viewports) follow their control.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || w->isWindow()) continue;
        // Plain containers only arrange the form's controls; disabling one would disable
        // controls that stay usable.
        if (w->metaObject() == &QWidget::staticMetaObject) continue;
        if (name.contains(QLatin1String("Field")) || zostaja.contains(name) || na_stronie(w) ||
            w_grupie(w))
            continue;
        // Controls of the viewport/scroll-bar internals belong to their view.
        if (w->parentWidget() && qobject_cast<QAbstractScrollArea*>(w->parentWidget()) &&
            w->parentWidget()->objectName().startsWith(QLatin1String("Image")))
            continue;
        if (qobject_cast<QTableView*>(w) || qobject_cast<QGroupBox*>(w) ||
            qobject_cast<QLabel*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QTextEdit*>(w))
            continue;
        if (rozszerzony && rozszerzone.contains(name)) continue;
        if (qobject_cast<QAbstractScrollArea*>(w) == nullptr && w->parentWidget() &&
            qobject_cast<QAbstractScrollArea*>(w->parentWidget()->parentWidget()))
            continue;
        w->setEnabled(false);
    }
    Image2->setContextMenuPolicy(Qt::NoContextMenu);
    Image4->setContextMenuPolicy(Qt::NoContextMenu);
    zdarz_grid->setContextMenuPolicy(Qt::NoContextMenu);
    Image2->disconnect(this);
    Image4->disconnect(this);
    adnotacje->setReadOnly(!rozszerzony);
    Ustaw12->setEnabled(false);
    Usun_prace->setEnabled(false);
    Usun_dysp->setEnabled(false);
    usun_punkty->setEnabled(false);
    dodaj_adnot->setEnabled(false);
    bledy->setEnabled(true);
    BlueButton_nar->setEnabled(true);
    if (rozszerzony) bez_samochodu = 1;
}

void TMDIChild::FormShow() {
    PageControl->setCurrentWidget(zak_dane_pod);
    pytanie_przy_zamknieciu = 0;
    const QFontMetrics fm = zdarz_grid->fontMetrics();
    const int szer[] = {fm.horizontalAdvance(QStringLiteral("8888")),
                        fm.horizontalAdvance(QStringLiteral("8czas88")),
                        fm.horizontalAdvance(QStringLiteral("88888")),
                        fm.horizontalAdvance(QStringLiteral("88888888")),
                        fm.horizontalAdvance(QStringLiteral("888888888"))};
    if (zdarz_grid->model())
        for (int c = 0; c < zdarz_grid->model()->columnCount() && c < 5; ++c)
            zdarz_grid->setColumnWidth(
                c, std::max(szer[c],
                            fm.horizontalAdvance(
                                zdarz_grid->model()->headerData(c, Qt::Horizontal).toString())) +
                       12);

    switch (tryb_otwarcia) {
    case kx::kTrybPodglad:
        tylko_do_odczytu();
        break;
    case kx::kTrybNowa:
        il_minut_ud->setValue(0);
        break;
    case kx::kTrybDrugiSamochod:
        wczytana = 0;
        break;
    case kx::kTrybZArkusza:
        wczytana = 0;
        il_minut_ud->setValue(0);
        tylko_do_odczytu();
        tryb_otwarcia = kx::kTrybPodglad;
        break;
    default:
        if (typ_dnia_tag != 0) {
            data_tacho->setEnabled(false);
            kierowca->setEnabled(false);
            dodaj_kier->setEnabled(false);
        }
        wczytana = 1;
        break;
    }

    const bool rozszerzony = host::CzyTrybPodgladRozszerz(0);
    for (QWidget* w : {static_cast<QWidget*>(Drukuj), static_cast<QWidget*>(wykres_tyg),
                       static_cast<QWidget*>(btnWykrMies), static_cast<QWidget*>(sbDostCzas)})
        w->setEnabled(wczytana != 0);
    BlueButton_nar->setEnabled(wczytana != 0 && kierowca->currentIndex() >= 0);
    dodaj_pliki->setEnabled(wczytana != 0 && (tryb_otwarcia != kx::kTrybPodglad || rozszerzony));
    if (tryb_otwarcia == kx::kTrybPodglad) wczytana = 1;

    GroupBox4->raise();
    zdarz_grid->raise();

    // Default header values.
    if (rekord_hosta == nullptr && czytnik_ust) {
        ustawienie(QStringLiteral("dom_kier"), QStringLiteral("KX"), 0);
    }
    pocz_po_najdl_odp =
        lista && lista->ile >= 1 &&
        ustawienie(QStringLiteral("pocz_po_najdl_odp"), QStringLiteral("KX"), false).toBool();

    // A new chart: the date from the host record, or today, or the default date.
    if (tryb_otwarcia == kx::kTrybNowa) {
        ladowanie = 2;
        if (rekord_hosta && rekord_hosta->data > 0)
            data_tacho->setDate(host::TDateTime(rekord_hosta->data).date());
        else if (ustawienie(QStringLiteral("ust_dzis_dom_ts"), QStringLiteral("KX"), true).toBool())
            data_tacho->setDate(QDate::currentDate());
        else if (const double d =
                     ustawienie(QStringLiteral("dom_data"), QStringLiteral("KX"), 0.0).toDouble();
                 d != 0.0)
            data_tacho->setDate(
                host::TDateTime(
                    d + ustawienie(QStringLiteral("plus_data"), QStringLiteral("KX"), 0).toInt())
                    .date());
        ladowanie = 0;
    }

    // Co-driver fields.
    const bool konwojenci =
        host::GetZm(QStringLiteral("pokaz_pole_konwojent"), QStringLiteral("KX")).toInt() == 1;
    for (QWidget* w : {static_cast<QWidget*>(l_konwojent), static_cast<QWidget*>(l_konwojent2),
                       static_cast<QWidget*>(konwojent), static_cast<QWidget*>(konwojent2)})
        w->setVisible(konwojenci);
    stan_zalogi = zaloga->isChecked() ? 1 : 0;

    zap1->setEnabled(wczytana == 0);
    zap_zam->setEnabled(zap1->isEnabled());

    if (tryb_otwarcia == kx::kTrybDrugiSamochod) {
        if (id_kier_kopii != -1) {
            QStringList czesci{R("Resstrings_IDS_Faktura_kopia")};
            if (data_tacho->date().isValid())
                czesci << data_tacho->date().toString(QStringLiteral("yyyy-MM-dd"));
            czesci << kierowca->currentText();
            setWindowTitle(czesci.join(QStringLiteral(" - ")));
            if (mdi_child)
                host::SendMessage(kx::kMsgUstawiono,
                                  reinterpret_cast<std::intptr_t>(static_cast<QWidget*>(this)), 0);
        }
        tryb_otwarcia = kx::kTrybNowa;
    }
    PageControlChange();
    dopasuj_widok();
    Image2->SetScrollBars(true);

    lista_naruszen();
    kontrolujClick();

    // A chart with no periods yet (a new scan, a disc cut from a sheet) is read now.
    if (lista && lista->ile < 0) analizuj_tarcze();

    il_minut_ud->setValue(
        host::GetZm(QStringLiteral("il_minut_sz_ed"), QStringLiteral("KX")).toInt());
    setFocus();
    zmieniony = 0;
    bUsunZamknij->setVisible(rekord_hosta == nullptr && id_tarczy > 0);
    if (id_tarczy == 0) Ustawgodzin24Click();
    for (QWidget* w :
         {static_cast<QWidget*>(cbNiezgodnoscKm), static_cast<QWidget*>(eImieNazwisko),
          static_cast<QWidget*>(eKonStanLicz), static_cast<QWidget*>(bGenerujOpisBledow)})
        w->setVisible(true);
    miDodajBlad->setVisible(true);
    emit pokazano();
}

void TMDIChild::dopasuj_widok() {
    // The whole disc in view: the tighter of the two sides decides.
    const host::Bitmap32& b = Image2->Bitmap();
    const QSize vp = Image2->viewport()->size();
    Image2->SetScale(std::min(ImgView32::DopasujSkale(vp.height(), b.height()),
                              ImgView32::DopasujSkale(vp.width(), b.width())));
}

void TMDIChild::FormResize() {
    if (zniszczony_) return;
    // Image4, lb, rt and BlueButton_bledy keep their places through the pages' layouts; only
    // the floating error panel is placed by hand: above Panel3 and the error button, its
    // right edge 10 pixels from the window's.
    if (panel_bledy->isVisible()) {
        if (wysokosc_panelu_bledow == 0) wysokosc_panelu_bledow = panel_bledy->sizeHint().height();
        const int h = wysokosc_panelu_bledow;
        const int w = panel_bledy->sizeHint().width();
        panel_bledy->setGeometry(width() - w - 10, Panel3->y() - h - BlueButton_bledy->height() - 8,
                                 w, h);
        panel_bledy->raise();
    }
    QWidget* strona = PageControl->currentWidget();
    if (strona == zak_dane_pod) {
        if (!powiekszony) dopasuj_widok();
        // The list draws the disc about its centre at the new scale.
        if (lista) {
            const host::Bitmap32& b = Image2->Bitmap();
            lista->skaluj(int(srodek_x), int(srodek_y), b.width(), b.height());
            rysuj_tarcze();
        }
    } else if (strona == zak_kontroli) {
        pokaz_kontrole();
    }
    if (mdi_child)
        host::SendMessage(kx::kMsgRozmiar,
                          reinterpret_cast<std::intptr_t>(static_cast<QWidget*>(this)), 0);
}

void TMDIChild::pokaz_kontrole() {
    // The approved list and the annotations share the tab half and half (the layout's
    // stretch), the annotations at least 400 wide; without the list (KWIR) the annotations
    // take the whole width.
    if (Panel_lista->isHidden() != lista_bledow->isHidden())
        Panel_lista->setVisible(!lista_bledow->isHidden());
}

bool TMDIChild::FormCloseQuery() {
    if (!zap1->isEnabled() || pytanie_przy_zamknieciu) return true;
    if (rekord_hosta && !CzyZmieniony()) return true;
    QString podpis = windowTitle();
    if (!wczytana) podpis.remove(QLatin1Char('*'));
    pytanie_przy_zamknieciu = 1;
    const int odp = host::InfoBox(
        R("Resstrings_IDS_ChildZapisacZmiany").replace(QStringLiteral("%1"), podpis.trimmed()),
        host::MB_YESNOCANCEL | host::MB_ICONQUESTION, this);
    pytanie_przy_zamknieciu = 0;
    if (odp == host::IDYES) {
        zap1Click();
        return !zap1->isEnabled();
    }
    return odp == host::IDNO;
}

void TMDIChild::FormClose() {
    if (lista) lista->granica = nullptr;
    Image2->disconnect(this);
    zdarz_grid->disconnect(this);
    host::SetZm(QStringLiteral("il_minut_sz_ed"), QStringLiteral("KX"), il_minut_ud->value());
    Image2->unsetCursor();
    Image4->unsetCursor();
    QCoreApplication::processEvents();
}

void TMDIChild::FormDestroy() {
    okno_podpowiedzi.reset();
    przekroczenia.clear();
    czytnik_ust = nullptr;
    biblioteka_ust.reset();
    biblioteka_dane.reset();
    Image2->disconnect(this);
    zdarz_grid->disconnect(this);
    lista.reset();
    lista_cofnij.reset();
    punkty_spec.reset();
    punkty_spec_cofnij.reset();
    Image2->unsetCursor();
    Image4->unsetCursor();
}

void TMDIChild::PageControlChange() {
    QWidget* strona = PageControl->currentWidget();
    if (strona == zak_dane_pod) {
        if (lista) lista->ustaw_promien(Image2->Bitmap().width() / 2 - 3);
        powrotClick();
    } else if (strona == zak_kontroli || strona == tsKWIR) {
        pokaz_kontrole();
        if (strona == zak_kontroli) kontrolujClick();
    } else if (strona == zak_poprawa) {
        if (lista && lista->punkty_tarczy) lista->punkty_tarczy->zmiana = 0;
    }
    panel_mini->setVisible(strona == zak_dane_pod);
    Drukuj->setVisible(strona != zak_poprawa);
    wykres_tyg->setVisible(Drukuj->isVisible());
    btnWykrMies->setVisible(Drukuj->isVisible());
    if (panel_bledy->isVisible()) panel_bledy->setVisible(false);
    PageControlDrawTab();
}
