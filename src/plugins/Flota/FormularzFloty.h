#pragma once
// What the fleet record editors share: a form of labelled fields with OK and Cancel, run
// through the host's dialog seam until its fields pass their check, and the lists its boxes
// choose from.

#include <QDialog>
#include <QFormLayout>
#include <QString>

#include <functional>
#include <optional>

class QComboBox;

class FormularzFloty : public QDialog {
public:
    FormularzFloty(QWidget* owner, const QString& tytul);

    // Adds a field under its caption key (Resstrings_IDS_flota_<klucz>), named klucz.
    template <typename T> T* pole(const char* klucz) {
        auto* w = new T(this);
        w->setObjectName(QLatin1String(klucz));
        dodaj(klucz, w);
        return w;
    }
    // A box of the query's rows (column id, then text) after an empty entry of id 0.
    QComboBox* lista(const char* klucz, const QString& sql);

    // Runs the form until it is cancelled (0) or sprawdz accepts it (empty text) and zapisz
    // returns the record's id. sprawdz's text is shown and the form shown again.
    int uruchom(const std::function<QString()>& sprawdz, const std::function<int()>& zapisz);

private:
    void dodaj(const char* klucz, QWidget* w);
    QFormLayout* uklad_;
};

QString tekst(const char* klucz); // Resstrings_IDS_flota_<klucz>
int wybrane_id(const QComboBox* box);
void wybierz_id(QComboBox* box, int id);
