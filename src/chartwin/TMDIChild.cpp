#include "chartwin/TMDIChild.h"

#include "chartwin/JezykFormy.h"
#include "host/Biblioteki.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/Uprawnienia.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableWidgetItem>
#include <QToolButton>
#include <QWheelEvent>

#include <array>

bool kolor_odpocz_nieb = false;

namespace {

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

std::intptr_t jako_param(QWidget* w) {
    return reinterpret_cast<std::intptr_t>(w);
}

} // namespace

TMDIChild::TMDIChild(QWidget* owner, bool mdi_child_) : TOknoKXMDIChild(owner) {
    // The calibration first: without it no window is made, and the host hears of none.
    kalibracja.ust_stalych(host::ExeFolder());

    setupUi(this);
    // The editable boxes get their edit field directly: setEditable would also build each
    // drop-down's popup list now, which the first drop-down builds anyway.
    for (QComboBox* c : {kierowca, konwojent, konwojent2, nr_rej})
        c->setLineEdit(new QLineEdit(c));
    setAttribute(Qt::WA_DeleteOnClose, false); // the host deletes an MDI child on 0x491
    setFocusPolicy(Qt::StrongFocus);
    // A date picker starts on today, as the host's own pickers do; a chart or the host record
    // sets its date later. Before the handlers are connected, so nothing reacts.
    data_tacho->setDate(QDate::currentDate());
    data_tacho1->setText(data_tacho->date().toString(data_tacho->displayFormat()));

    mdi_child = mdi_child_;
    if (mdi_child)
        host::PostMessage(kx::kMsgUtworzono, jako_param(this), 0);
    else
        setWindowFlag(Qt::Window, true);

    kolor_odpocz_nieb =
        host::GetZm(QStringLiteral("kolor_odpocz_nieb"), QStringLiteral("KX")).toBool();

    punkty_spec = std::make_unique<lista_rozladunkow>();
    punkty_spec_cofnij = std::make_unique<lista_rozladunkow>();
    tag_hosta = 0;

    // Glyphs of the blue buttons. The host's image lists are not reachable from a module here,
    // so the style's standard pictures stand in for them, read once for every window.
    static const QIcon glify[] = {style()->standardIcon(QStyle::SP_ArrowForward),
                                  style()->standardIcon(QStyle::SP_ArrowDown),
                                  style()->standardIcon(QStyle::SP_TrashIcon)};
    const std::array<QToolButton*, 3> niebieskie = {BlueButton_nar, dodaj_adnot, usun_punkty};
    for (std::size_t i = 0; i < niebieskie.size(); ++i) {
        niebieskie[i]->setIcon(glify[i]);
        niebieskie[i]->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    dodaj_adnot->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The keyboard commands work anywhere in the window, not only from their menus.
    addActions({Ustaw12, Usun_prace, Usun_dysp, cofnij});

    // The wheel over the disc view zooms it instead of scrolling.
    Image2->viewport()->installEventFilter(this);

    ile_zamknij = 0;
    plik_zrodlowy.clear();
    bez_samochodu = bez_kierowcy = bez_potwierdzenia = 0;

    if (host::GetKeyLang() != QLatin1String("pl"))
        InitializeLanguage(QStringLiteral("Child.dll"), this);
    ustaw_podpisy();

    if (host::CzyKXKWIR()) {
        Label_nar2->setVisible(false);
        Label12->setVisible(false);
        lista_bledow->setVisible(false);
        BlueButton_nar->setVisible(false);
        BlueButton_bledy->setVisible(false);
        PageControl->setTabVisible(PageControl->indexOf(zak_kontroli), false);
        QPalette pal = adnotacje->palette();
        pal.setColor(QPalette::Base, kolor_okna(16578551));
        adnotacje->setPalette(pal);
    }

    // The menus whose items later layers fill.
    PopUP_Image2 = new QMenu(this);
    PopUP_Image2->setObjectName(QStringLiteral("PopUP_Image2"));
    PopUP_Image2->addActions(
        {Ustaw12, TarczkaCalyEkran, cofnij, Analizujponownie1, Odswiezpunktykm1});
    // Sentences of the error description about the selected period.
    auto* bledy_menu = new QMenu(PopUP_Image2);
    bledy_menu->setObjectName(QStringLiteral("miDodajBlad_menu"));
    bledy_menu->addActions(
        {miDodajBladSelektora, miDodajBrakWymOkrAktyw, miDodajBladWirtuPrzemiesz});
    miDodajBlad->setMenu(bledy_menu);
    PopUP_Image2->addAction(miDodajBlad);
    im4_pop = new QMenu(this);
    im4_pop->setObjectName(QStringLiteral("im4_pop"));
    im4_pop->addActions({mnuUsunGodzZak, Usunpunktykm1, Analizujponownie2});
    zdarz_pop = new QMenu(this);
    zdarz_pop->setObjectName(QStringLiteral("zdarz_pop"));
    zdarz_pop->addActions({zdarzJazda, zdarzPraca, zdarzDysp, zdarzPostoj, zdarzBrakDanych,
                           Usun_prace, Usun_dysp, N7, Odswiezpunktykm2});

    poziomy_grupa = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i)
        poziomy_grupa->addButton(
            poziomy->findChild<QRadioButton*>(QStringLiteral("poziomy_%1").arg(i)), i);
    rt_grupa = new QButtonGroup(this);
    rt_grupa->addButton(rt_0, 0);
    rt_grupa->addButton(rt_1, 1);

    connect(zap1, &QPushButton::clicked, this, [this] { zap1Click(); });
    connect(zap_zam, &QPushButton::clicked, this, [this] { zamknij_po_zapisie(); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(kontroluj, &QPushButton::clicked, this, [this] { kontrolujClick(); });
    connect(powieksz, &QToolButton::clicked, this, [this] { powiekszClick(); });
    connect(pom, &QToolButton::clicked, this, [this] { pomClick(); });
    connect(powrot, &QToolButton::clicked, this, [this] { powrotClick(); });
    // il_minut is the up-down's edit field: both show the same number of minutes.
    connect(il_minut_ud, &QSpinBox::valueChanged, il_minut,
            [this](int v) { il_minut->setText(QString::number(v)); });
    connect(il_minut, &QLineEdit::textEdited, il_minut_ud, [this](const QString& t) {
        bool ok = false;
        if (const int v = t.toInt(&ok); ok) il_minut_ud->setValue(v);
    });
    il_minut->setText(QString::number(il_minut_ud->value()));
    connect(PageControl, &QTabWidget::currentChanged, this, [this] {
        if (!zniszczony_) PageControlChange();
    });

    polacz_naglowek();
    polacz_punkty_specjalne();
    FormCreate();

    // The header tab is active at start. It is chosen only now, with every caption set, so that
    // its page is measured once rather than again for each caption changed above.
    const QSignalBlocker bez_zmiany_strony(PageControl);
    PageControl->setCurrentWidget(zak_dane_pod);
}

void TMDIChild::AfterConstruction() {
    if (!mdi_child) setWindowFlag(Qt::WindowMinimizeButtonHint, false);
}

TMDIChild::~TMDIChild() {
    zniszczony_ = true;
    FormDestroy();
    usun_wiersz_sesji();
    if (mdi_child) host::SendMessage(kx::kMsgNiszczenie, jako_param(this), 0);
    host::PostMessage(kx::kMsgZwolnijModul, static_cast<std::intptr_t>(tag_hosta), 0);
    host::ZwolnijPozniej(std::move(modul_okna));
}

void TMDIChild::UstawDate(int a, int b) {
    if (a == 0 || rekord_hosta) return;
    data_tacho->setDate(host::TDateTime(double(a + b)).date());
}

bool TMDIChild::CzyZmieniony() const {
    return zmieniony != 0 || (lista && lista->zmiana != 0);
}

QVariant TMDIChild::ustawienie(const QString& name, const QString& group,
                               const QVariant& def) const {
    if (!czytnik_ust) return def;
    const QVariant v = czytnik_ust(name, group);
    return v.isValid() ? v : def;
}

void TMDIChild::oznacz_zmiane() {
    if (ladowanie) return;
    zap1->setEnabled(true);
    zmieniony = 1;
    zap_zam->setEnabled(zap1->isEnabled());
}

void TMDIChild::ustaw_podpisy() {
    Label12->setText(R("Resstrings_IDS_wygenerowane_naruszenia"));
    Label_nar2->setText(R("Resstrings_IDS_wygenerowane_naruszenia2"));
    BlueButton_nar->setText(R("Resstrings_IDS_przejdz_do_naruszen"));
    powieksz->setToolTip(R("Resstrings_IDS_TachoFull__ChildWin__powieksz"));
    pom->setToolTip(R("Resstrings_IDS_TachoFull__ChildWin__pom"));
    TarczkaCalyEkran->setText(R("Resstrings_IDS_TachoFull__wizual_unit__dzis"));
    dodaj_sam->setToolTip(R("Resstrings_IDS_winietki__edycja_winietki_unit__win_dodaj_sam_Hint"));
    edytuj_sam->setToolTip(R("Resstrings_IDS_edytuj_samochod"));
    dodaj_kier->setToolTip(
        R("Resstrings_IDS_zlecenie__kierowca_zlec_w_frame_unit__zlec_w_dodaj_kier_Hint"));
    edytuj_kier->setToolTip(R("Resstrings_IDS_edytuj_kierowce"));
    slownik_status->setToolTip(R("Resstrings_IDS_Edycja_sla"));
    slownik_adnot->setToolTip(R("Resstrings_IDS_Edycja_sla"));
    Label18->setText(QStringLiteral("F2 -") + R("Resstrings_IDS_Usuna_prace") +
                     QStringLiteral("; F3 -") + R("Resstrings_IDS_Usuna_dyzur"));
    Usunpunktykm1->setText(R("Resstrings_IDS_usun_punkty_km"));
    usun_punkty->setToolTip(R("Resstrings_IDS_usun_punkty_km"));
    Analizujponownie1->setText(R("Resstrings_IDS_analizuj_ponownie_wykresowke"));
    Analizujponownie2->setText(R("Resstrings_IDS_analizuj_ponownie_wykresowke"));
    lb_min->setText(R("Resstrings_IDS_ListaPMinuty"));
    rb_dod->setText(R("Resstrings_IDS_dodawanie"));
    actAdd->setText(R("Resstrings_IDS_dodawanie"));
    rb_ed->setText(R("Resstrings_IDS_zamiana"));
    actMod->setText(R("Resstrings_IDS_zamiana"));
    lb_sz_ed->setText(R("Resstrings_IDS_szybka_edycja"));
    for (QAction* a : {zd_bd, zd_bd2, zd_bd3, zd_bd4})
        a->setText(R("Resstrings_IDS_zdarzenie_brak_danych"));
    mnuUsunGodzZak->setText(R("Resstrings_IDS_usun_godz_zak"));
    lblDodalEdytowal->setText(R("Resstrings_IDS_zlec_utworzyl") + QStringLiteral(": -  ") +
                              R("Resstrings_IDS_zlec_zmodyfikowal") + QStringLiteral(": -"));
}

void TMDIChild::closeEvent(QCloseEvent* e) {
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
    // A free-standing form frees itself; an MDI child asks the host, which deletes it.
    if (mdi_child)
        host::PostMessage(kx::kMsgZamknij, jako_param(this), 0);
    else
        deleteLater();
}

void TMDIChild::resizeEvent(QResizeEvent* e) {
    TOknoKXMDIChild::resizeEvent(e);
    FormResize();
}

void TMDIChild::showEvent(QShowEvent* e) {
    TOknoKXMDIChild::showEvent(e);
    AfterConstruction();
}

void TMDIChild::wheelEvent(QWheelEvent* e) {
    KolkoMyszy(e->angleDelta().y());
    e->accept();
}

bool TMDIChild::eventFilter(QObject* o, QEvent* e) {
    if (o == Image2->viewport() && e->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    return TOknoKXMDIChild::eventFilter(o, e);
}

void TMDIChild::enterEvent(QEnterEvent* e) {
    TOknoKXMDIChild::enterEvent(e);
    FormMouseEnter();
}

void TMDIChild::FormMouseEnter() {
    // The form's click handler is always FormClick here; nothing to restore.
}

void TMDIChild::ustaw_podpisy_tworzenia() {
    // Rule rows of the control grid.
    kontrol_grid->setColumnCount(2);
    kontrol_grid->setRowCount(4);
    const char* reguly[][2] = {{"Resstrings_IDS_art6_cz1", "Resstrings_IDS_art6_cz2"},
                               {"Resstrings_IDS_art7_cz1", "Resstrings_IDS_art7_cz2"},
                               {"Resstrings_IDS_561_art6", nullptr},
                               {"Resstrings_IDS_561_art7", nullptr}};
    for (int i = 0; i < 4; ++i) {
        QString t = R(reguly[i][0]);
        if (reguly[i][1]) t += QLatin1Char(' ') + R(reguly[i][1]);
        kontrol_grid->setItem(i, 0, new QTableWidgetItem(t));
    }
    kontrol_grid->setHorizontalHeaderLabels(
        {R("Resstrings_IDS_kontrol_regula"), R("Resstrings_IDS_ListaPUwagi")});
    kontrol_grid->horizontalHeader()->setStretchLastSection(true);
    kontrol_grid->setColumnWidth(0, 420);

    // Trace styles of the chart type box, and the speed scales.
    typy->clear();
    typy->addItems({R("Resstrings_IDS_standardowa"), R("Resstrings_IDS_cienki_wykres"),
                    R("Resstrings_IDS_wykres_schodkowy"), R("Resstrings_IDS_pseudoschodkowy")});
    rt_0->setText(R("Resstrings_IDS_do125kmh"));
    rt_1->setText(R("Resstrings_IDS_do140kmh"));
    Drukuj->setToolTip(R("Resstrings_IDS_DrukujTrAll"));
    Odswiezpunktykm1->setText(R("Resstrings_IDS_odswiez_punkty_km_dla_zaznaczo"));
    Odswiezpunktykm2->setText(R("Resstrings_IDS_odswiez_punkty_km_na_calej_tar"));

    // Activity commands, whose captions the quick-edit buttons copy.
    zdarzJazda->setText(R("Resstrings_IDS_ListaPZdarzJa"));
    zdarzPraca->setText(R("Resstrings_IDS_ListaPZdarzPr"));
    zdarzDysp->setText(R("Resstrings_IDS_ListaPZdarzDy"));
    zdarzPostoj->setText(R("Resstrings_IDS_ListaPZdarzPo"));
    zdarzBrakDanych->setText(R("Resstrings_IDS_Brak_danych_bez_kropy"));
    cb_status->setToolTip(R("Resstrings_IDS_tacho_zamknij_tarcze"));

    // Summary panels: the activity name over its total.
    const std::pair<QLabel*, const char*> panele[] = {
        {st_ja, "Resstrings_IDS_ListaPZdarzJa"},
        {st_pr, "Resstrings_IDS_ListaPZdarzPr"},
        {st_za, "Resstrings_IDS_ListaPZdarzDy"},
        {st_po, "Resstrings_IDS_ListaPZdarzPo"},
        {st_br, "Resstrings_IDS_Brak_danych_bez_kropy"}};
    for (const auto& [panel, klucz] : panele)
        panel->setText(R(klucz) + QStringLiteral("\n00:00"));

    // Grid columns of the period list.
    auto* model = new QStandardItemModel(0, 7, zdarz_grid);
    model->setHorizontalHeaderLabels(
        {R("Resstrings_IDS_ListaPNaglowek1"), R("Resstrings_IDS_ListaPNaglowek2"),
         R("Resstrings_IDS_Do"), R("Resstrings_IDS_Czas"), R("Resstrings_IDS_ListaPNaglowek5"),
         R("Resstrings_IDS_ListaPNaglowek6"), R("Resstrings_IDS_ListaPNaglowek7")});
    zdarz_grid->setModel(model);
    zdarz_grid->horizontalHeader()->setStretchLastSection(true);
    zdarz_grid->verticalHeader()->setVisible(false);
}
