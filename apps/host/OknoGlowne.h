#pragma once
// The host's main window: the chart list, an MDI area holding one window of the chart module
// per chart, and the handling of the module's messages (docs/module-abi.md).
//
// Windows are opened in the module's calling order: load the module, _Execute, _CreateChild,
// the host tag, then _Ustaw_Child (a stored or new chart) or _OtworzChild (a disc of an
// imported scan). Every failure is told through the dialog seam and the host goes on.

#include "ModulChild.h"

#include <QMainWindow>
#include <QPointer>
#include <exception>

#include <functional>
#include <memory>
#include <vector>

class ListaTarcz;
class QMdiArea;
class QMdiSubWindow;
struct TarczaImportu;

class OknoGlowne : public QMainWindow {
    Q_OBJECT
public:
    explicit OknoGlowne(QWidget* parent = nullptr);
    ~OknoGlowne() override;

    // A stored chart from the list; an open window of that chart is brought forward instead.
    // Null when the chart cannot be opened (told to the user).
    QWidget* otworzZapisana(int idt);
    // An empty new chart.
    QWidget* nowaTarcza();
    // Reads the scans and opens a window per disc found; the files the import refuses are
    // named in one message at the end. Returns the windows opened.
    std::vector<QWidget*> importuj(const QStringList& pliki);
    // "Import scans…": the file picker, then importuj.
    void importujSkany();

    // The files "Import scans…" reads; tests replace the picker.
    std::function<QStringList()> wybierzPliki;

    QMdiArea* obszar() const { return obszar_; }
    ListaTarcz* lista() const { return lista_; }
    ModulChild& modul() { return modul_; }
    // The module's windows alive, in the order they were made.
    std::vector<QWidget*> oknaTarcz() const;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    struct OknoTarczy {
        QPointer<QWidget> okno;
        QPointer<QMdiSubWindow> ramka;
        kx::HostTag tag = 0;
    };

    void zbudujMenu();
    // Loads the module and runs _Execute and _CreateChild; the window is in the MDI area.
    QWidget* utworzOkno(ModulChild::Instancja& i, std::int32_t tryb, bool sprawdz_rodzaj,
                        std::int32_t wartosc_hosta);
    bool otworzDysk(const TarczaImportu& t);
    // A failure of the database or the module while a window was being made.
    void pokazBlad(const std::exception& e);
    void obsluzKomunikat(unsigned msg, std::intptr_t wParam);
    std::vector<OknoTarczy>::iterator znajdz(QWidget* okno);
    void zamknijWszystkieOkna();

    QMdiArea* obszar_;
    ListaTarcz* lista_;
    ModulChild modul_;
    // The host's side libraries every chart window loads, kept for the host's life so that a
    // window does not load and unload them again.
    std::vector<std::shared_ptr<QLibrary>> boczne_;
    std::vector<OknoTarczy> okna_;
    bool odswiezenieCzeka_ = false;
};
