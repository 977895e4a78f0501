#pragma once
// Calibration constants of the installation, read from ust_tacho.ini in the folder of the
// running program. The file has no sections: a line "key=value" sets a key when it begins
// with the key text exactly (case-sensitive, "=" included); a later line overrides an earlier
// one and lines that match no key are ignored. Values are decimal integers.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

namespace analysis {

// The calibration file could not be read, or a value in it is not an integer. Carries the
// file, the 1-based line number (0 when the file itself failed) and the key text.
class BladKalibracji : public std::runtime_error {
public:
    BladKalibracji(const QString& plik, int wiersz, const QString& klucz, const QString& opis);

    const QString& plik() const { return plik_; }
    int wiersz() const { return wiersz_; }
    const QString& klucz() const { return klucz_; }
    QString komunikat() const { return QString::fromUtf8(what()); }

private:
    QString plik_;
    int wiersz_;
    QString klucz_;
};

class Kalibracja {
public:
    static constexpr const char* nazwa_pliku = "ust_tacho.ini";

    // Radii in pixels of the analysis bitmap; flags 0 / 1.
    float r = 0.0f;
    float r1 = 0.0f;
    float r4 = 0.0f;
    float r5 = 0.0f;
    std::int32_t d5 = 0;
    float rtest = 0.0f;      // check circle around the centre in the correction view
    std::int32_t off_1p = 0; // turning and intermediate lines of the distance zig-zag,
    std::int32_t off_2p = 0; // offsets from the distance-ring radius
    std::int32_t off_3p = 0;
    std::int32_t off_4p = 0;
    std::int32_t off_5p = 0;
    std::int32_t kolka_km = 0; // 1 or more: centre detection marks its rays
    std::int32_t wysokosc = 0; // analysis bitmap control size
    std::int32_t szerokosc = 0;
    std::int32_t centralne = 0;
    float rgorny_km = 0.0f;       // upper edge of the distance band
    float rdolny_km = 0.0f;       // lower edge of the distance band: end of the ring search
    std::int32_t delta_rg_km = 0; // steps between two peaks on the outer turning line
    std::int32_t delta_rd_km = 0; // steps between two peaks on the inner turning line
    std::int32_t delta_rs_km = 0;
    float rsrodkowy_km = 0.0f;

    // The key texts, "=" included, in the order they are tried.
    static QStringList klucze();

    // Reads folder/ust_tacho.ini into this object. kolka_km and centralne are reset to 0
    // first; any other key missing from the file keeps its value. Throws BladKalibracji when
    // the file cannot be read or a value is not an integer; keys on earlier lines keep what
    // they were given.
    void ust_stalych(const QString& folder);

    // The same from an explicit file path, and from text lines (plik names them in errors).
    void wczytaj_plik(const QString& sciezka);
    void wczytaj_wiersze(const QStringList& wiersze, const QString& plik);
};

} // namespace analysis
