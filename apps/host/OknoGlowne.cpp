#include "OknoGlowne.h"

#include "ImportSkanow.h"
#include "ListaTarcz.h"
#include "Teksty.h"

#include "chartwin/TOknoKXMDIChild.h"
#include "host/Biblioteki.h"
#include "host/Dialogi.h"
#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Uprawnienia.h"
#include "host/db/Query.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

TOknoKXMDIChild* okno_produktu(QWidget* w) {
    // Product windows are called through the virtual table only: the host links no module code.
    return w && w->inherits("TOknoKXMDIChild") ? static_cast<TOknoKXMDIChild*>(w) : nullptr;
}

// The chart-list row _Ustaw_Child reads the chart's header from.
const QString kWierszTarczy = QStringLiteral(
    "select km_pocz, km_kon, id_s, data, id_k, kat_rozp, zespol, adnotacje, rodzaj, typ_dnia, "
    "km_obl, ps, cyfrowy, status, id_konwojenta, id_konwojenta2, nieczytelna, blad_obsl_t, "
    "niekompletne, przerysowana, status_tacho, czy_reczna, kilka_wykr, nieprawidlowa, "
    "niezgodnosc_cz, brak_wr, wirtualne_przem from tacho where id_t = :idt");

// Caption of a stored chart: its date, the driver and the chart id.
QString podpisTarczy(int idt) {
    host::Query q(QStringLiteral(
        "select t.data, k.nazwisko, k.imie from tacho t left join kierowca k on k.id_k = t.id_k "
        "where t.id_t = :idt"));
    q.setParam(QStringLiteral("idt"), idt);
    q.open();
    if (q.Eof()) return {};
    const QString kto = (q.asString(QStringLiteral("nazwisko")) + QLatin1Char(' ') +
                         q.asString(QStringLiteral("imie")))
                            .trimmed();
    return QStringLiteral("%1 %2 (%3)")
        .arg(q.asDateTime(QStringLiteral("data")).date().toString(QStringLiteral("yyyy-MM-dd")),
             kto)
        .arg(idt)
        .simplified();
}

} // namespace

OknoGlowne::OknoGlowne(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("OknoGlowne"));
    setWindowTitle(tekst("Tytul"));
    obszar_ = new QMdiArea(this);
    obszar_->setObjectName(QStringLiteral("obszar_mdi"));
    obszar_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    obszar_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(obszar_);

    lista_ = new ListaTarcz(this);
    auto* dok = new QDockWidget(tekst("ListaTarcz"), this);
    dok->setObjectName(QStringLiteral("dok_lista_tarcz"));
    dok->setWidget(lista_);
    addDockWidget(Qt::LeftDockWidgetArea, dok);
    connect(lista_, &ListaTarcz::otworzTarcze, this, [this](int id) { otworzZapisana(id); });

    wybierzPliki = [this] {
        return QFileDialog::getOpenFileNames(
            this, tekst("ImportTytul"), QString(),
            tekst("ImportFiltr") +
                QStringLiteral(" (*.png *.bmp *.jpg *.jpeg *.tif *.tiff *.gif *.webp *.pbm "
                               "*.pgm *.ppm);;* (*)"));
    };
    zbudujMenu();
    resize(1280, 800);

    for (const char* nazwa :
         {"UstDll.dll", "SharedData.dll", "dane.dll", "dane\\Korvix\\KxZamianaZdarzen.dll"})
        if (auto b = host::LoadLibrary_main(QLatin1String(nazwa))) boczne_.push_back(std::move(b));

    host::SetMainForm(this);
    // A save asks for the list while it finishes: read it once the save has returned.
    host::SetOdswiezanieListy([self = QPointer<OknoGlowne>(this)] {
        if (!self || self->odswiezenieCzeka_) return;
        self->odswiezenieCzeka_ = true;
        QTimer::singleShot(0, self, [self] {
            self->odswiezenieCzeka_ = false;
            self->lista_->odswiez();
        });
    });
    lista_->odswiez();
}

OknoGlowne::~OknoGlowne() {
    host::SetOdswiezanieListy(nullptr);
    // The windows go before the module that runs them; their messages have no receiver now.
    host::SetMainForm(nullptr);
    for (OknoTarczy& o : okna_)
        delete o.ramka.data();
    okna_.clear();
    // Objects of the module queued for deletion must go while its code is still mapped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    modul_.zwolnijWszystkie();
    boczne_.clear();
}

void OknoGlowne::zbudujMenu() {
    QMenu* plik = menuBar()->addMenu(tekst("MenuPlik"));
    QAction* nowa = plik->addAction(tekst("NowaTarcza"), this, [this] { nowaTarcza(); });
    nowa->setObjectName(QStringLiteral("akcja_nowa"));
    nowa->setShortcut(QKeySequence::New);
    QAction* imp = plik->addAction(tekst("ImportSkanow"), this, [this] { importujSkany(); });
    imp->setObjectName(QStringLiteral("akcja_import"));
    imp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    QAction* ods = plik->addAction(tekst("Odswiez"), this, [this] { lista_->odswiez(); });
    ods->setShortcut(QKeySequence::Refresh);
    plik->addSeparator();
    QAction* koniec = plik->addAction(tekst("Zakoncz"), this, &QWidget::close);
    koniec->setShortcut(QKeySequence::Quit);

    QMenu* okno = menuBar()->addMenu(tekst("MenuOkno"));
    okno->addAction(tekst("Kaskadowo"), obszar_, &QMdiArea::cascadeSubWindows);
    okno->addAction(tekst("Sasiadujaco"), obszar_, &QMdiArea::tileSubWindows);

    QMenu* ust = menuBar()->addMenu(tekst("MenuUstawienia"));
    QMenu* jezyk = ust->addMenu(tekst("Jezyk"));
    auto* grupa = new QActionGroup(this);
    for (const auto& [id, nazwa] :
         {std::pair{host::kJezykPolski, "Polski"}, std::pair{host::kJezykAngielski, "English"}}) {
        QAction* a = jezyk->addAction(QString::fromUtf8(nazwa));
        a->setCheckable(true);
        a->setChecked(host::GetLanguageId() == id);
        grupa->addAction(a);
        connect(a, &QAction::triggered, this, [this, id = id] {
            if (host::GetLanguageId() == id) return;
            host::SetLanguageId(id);
            lista_->odswiez();
            host::InfoBox(tekst("JezykPoRestarcie"), host::MB_OK | host::MB_ICONINFORMATION, this);
        });
    }
}

std::vector<QWidget*> OknoGlowne::oknaTarcz() const {
    std::vector<QWidget*> w;
    for (const OknoTarczy& o : okna_)
        if (o.okno) w.push_back(o.okno);
    return w;
}

std::vector<OknoGlowne::OknoTarczy>::iterator OknoGlowne::znajdz(QWidget* okno) {
    return std::find_if(okna_.begin(), okna_.end(),
                        [okno](const OknoTarczy& o) { return o.okno && o.okno.data() == okno; });
}

QWidget* OknoGlowne::utworzOkno(ModulChild::Instancja& i, std::int32_t tryb, bool sprawdz_rodzaj,
                                std::int32_t wartosc_hosta) {
    QString blad;
    if (!modul_.zaladuj(i, blad)) {
        host::InfoBox(blad, host::MB_OK, this);
        return nullptr;
    }
    i.Execute(nullptr, tryb);
    QWidget* w = i.CreateChild(nullptr, sprawdz_rodzaj, true, wartosc_hosta);
    if (!w) {
        modul_.zwolnij(i.tag);
        // The module refuses analogue windows without a word where only digital charts are
        // served; any other refusal it has explained already.
        if (sprawdz_rodzaj && host::get_analog_didital(true, false))
            host::InfoBox(tekst("TylkoCyfrowe"), host::MB_OK, this);
        return nullptr;
    }
    if (TOknoKXMDIChild* p = okno_produktu(w)) p->SetTag(i.tag);
    QMdiSubWindow* ramka = obszar_->addSubWindow(w);
    ramka->setAttribute(Qt::WA_DeleteOnClose, false); // deleted on the window's 0x491
    okna_.push_back({w, ramka, i.tag});
    ramka->showMaximized();
    return w;
}

QWidget* OknoGlowne::otworzZapisana(int idt) {
    for (QWidget* w : oknaTarcz())
        if (TOknoKXMDIChild* p = okno_produktu(w); p && p->CzyTarcza(idt)) {
            obszar_->setActiveSubWindow(znajdz(w)->ramka);
            return w;
        }
    try {
        host::Query wiersz(kWierszTarczy);
        wiersz.setParam(QStringLiteral("idt"), idt);
        wiersz.open();
        if (wiersz.Eof()) {
            host::InfoBox(tekst("BrakTarczy").arg(idt), host::MB_OK, this);
            lista_->odswiez();
            return nullptr;
        }
        ModulChild::Instancja i;
        const std::int32_t tryb = host::SprawdzUpr(QStringLiteral("lista_tacho.dll")) > 0 ? 2 : 0;
        QWidget* w = utworzOkno(i, tryb, wiersz.asInteger(QStringLiteral("typ_dnia")) == 0,
                                wiersz.asInteger(QStringLiteral("cyfrowy")));
        if (!w) return nullptr;
        i.Ustaw_Child(w, idt, podpisTarczy(idt), &wiersz);
        return w;
    } catch (const std::exception& e) {
        pokazBlad(e);
        return nullptr;
    }
}

QWidget* OknoGlowne::nowaTarcza() {
    try {
        ModulChild::Instancja i;
        QWidget* w = utworzOkno(i, kx::kTrybNowa, true, 0);
        if (w)
            i.Ustaw_Child(w, 0, host::LoadResstrings(QStringLiteral("Resstrings_IDS_wykresowka")),
                          nullptr);
        return w;
    } catch (const std::exception& e) {
        pokazBlad(e);
        return nullptr;
    }
}

void OknoGlowne::pokazBlad(const std::exception& e) {
    host::InfoBox(tekst("BladBazy").arg(QString::fromUtf8(e.what())), host::MB_OK, this);
}

bool OknoGlowne::otworzDysk(const TarczaImportu& t) {
    ModulChild::Instancja i;
    // Module-wide mode 0: a disc handed over by _OtworzChild opens as cut from a sheet.
    QWidget* w = utworzOkno(i, 0, true, 0);
    if (!w) return false;
    // The import already centred the disc upright in its square: the sheet is that square and
    // the turn the module adds (180 degrees plus the angle) is cancelled by an angle of 180.
    host::Bitmap32 arkusz = t.tarcza.bitmapa;
    const int bok = arkusz.width();
    const int r = bok / 2;
    const kx::KxRect prost{0, 0, bok, bok};
    QString podpis = QFileInfo(t.plik).fileName();
    if (t.ile > 1) podpis += QStringLiteral(" (%1/%2)").arg(t.nr + 1).arg(t.ile);
    i.OtworzChild(t.ile > 1, w, i.biblioteka, 0, 0, 0, 0, 0, 180.0f, r, r, r, r, &arkusz, prost,
                  prost, t.nr, 0, podpis, -1, -1, 0.0, 0, 0, -1.0, 0, t.plik);
    return true;
}

std::vector<QWidget*> OknoGlowne::importuj(const QStringList& pliki) {
    std::vector<QWidget*> otwarte;
    if (pliki.isEmpty()) return otwarte;
    const WynikImportu wynik = ::importujSkany(pliki, this);
    try {
        for (const TarczaImportu& t : wynik.tarcze) {
            const std::size_t przed = okna_.size();
            if (!otworzDysk(t)) break; // the user was told why; the next disc would say it again
            if (okna_.size() > przed) otwarte.push_back(okna_.back().okno);
        }
    } catch (const std::exception& e) {
        pokazBlad(e);
    }
    if (!wynik.bledy.isEmpty())
        host::InfoBox(tekst("ImportBledy").arg(wynik.bledy.size()) + QStringLiteral("\n\n") +
                          wynik.bledy.join(QLatin1Char('\n')),
                      host::MB_OK, this);
    statusBar()->showMessage(tekst("ImportWynik").arg(otwarte.size()).arg(wynik.bledy.size()));
    return otwarte;
}

void OknoGlowne::importujSkany() {
    importuj(wybierzPliki ? wybierzPliki() : QStringList());
}

bool OknoGlowne::event(QEvent* e) {
    if (e->type() != host::HostMessageEvent::eventType()) return QMainWindow::event(e);
    auto* m = static_cast<host::HostMessageEvent*>(e);
    m->accept();
    obsluzKomunikat(m->msg, m->wParam);
    return true;
}

void OknoGlowne::obsluzKomunikat(unsigned msg, std::intptr_t wParam) {
    auto* okno = reinterpret_cast<QWidget*>(wParam);
    switch (msg) {
    case kx::kMsgZamknij: {
        // Posted: the window may be gone already; only a window of the list is touched.
        const auto it = znajdz(okno);
        if (it == okna_.end()) return;
        // Deleting the frame deletes the window, whose destructor sends 0x48F.
        delete it->ramka.data();
        return;
    }
    case kx::kMsgNiszczenie: {
        const auto it = znajdz(okno);
        if (it != okna_.end()) okna_.erase(it);
        return;
    }
    case kx::kMsgZwolnijModul:
        // The module's objects queued for deletion must go while its code is mapped.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        modul_.zwolnij(static_cast<kx::HostTag>(wParam));
        return;
    case kx::kMsgRozmiar: {
        // A resized window that left the visible area is brought back into it.
        const auto it = znajdz(okno);
        if (it == okna_.end() || !it->ramka || it->ramka->isMaximized()) return;
        const QRect widok = obszar_->viewport()->rect();
        QRect r = it->ramka->geometry();
        if (widok.contains(r.topLeft())) return;
        r.moveTopLeft({std::clamp(r.left(), 0, std::max(0, widok.right() - 40)),
                       std::clamp(r.top(), 0, std::max(0, widok.bottom() - 40))});
        it->ramka->move(r.topLeft());
        return;
    }
    case kx::kMsgUstawiono:
        // A window the module made itself (the driver's previous or next chart): the host
        // frames it and holds a handle of the module for it, as for its own windows.
        if (TOknoKXMDIChild* p = okno_produktu(okno); p && znajdz(okno) == okna_.end()) {
            ModulChild::Instancja i;
            QString blad;
            if (!modul_.zaladuj(i, blad) || i.tag != p->GetTag()) {
                if (i.tag) modul_.zwolnij(i.tag);
                return;
            }
            QMdiSubWindow* ramka = obszar_->addSubWindow(okno);
            ramka->setAttribute(Qt::WA_DeleteOnClose, false);
            okna_.push_back({okno, ramka, i.tag});
            ramka->showMaximized();
        }
        return;
    case kx::kMsgZapisano:
        // A window saved its chart: the list shows it at once.
        host::OdswiezListeTarczDni();
        return;
    case kx::kMsgUtworzono:
    default:
        // The host made the window itself and framed it already.
        return;
    }
}

void OknoGlowne::zamknijWszystkieOkna() {
    for (QWidget* w : oknaTarcz())
        if (auto it = znajdz(w); it != okna_.end() && it->ramka) it->ramka->close();
}

void OknoGlowne::closeEvent(QCloseEvent* e) {
    zamknijWszystkieOkna();
    // A window whose close question was answered with Cancel stays, and so does the host.
    for (const OknoTarczy& o : okna_)
        if (o.ramka && o.ramka->isVisible()) {
            e->ignore();
            return;
        }
    e->accept();
}
