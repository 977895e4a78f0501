#pragma once
// Description of one chart to draw: image class, printed centre, angle of midnight, chart kind,
// the periods of the day with their kilometres, noise and the seed. Times are minutes of the
// day (0..1440); the clock runs clockwise, 360 degrees in 24 hours from kat24.

#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace chartgen {

struct Period {
    int czy_praca = 0;  // -1 no data (no trace), 0 rest, 1 other work, 2 driving, 3 availability
    double czas_od = 0; // minutes of the day
    double czas_do = 0; // minutes of the day; at or before czas_od the period passes midnight
    int km = 0;         // driving only; 1 km cannot be read from a zig-zag and is refused
    friend bool operator==(const Period&, const Period&) = default;
};

struct Noise {
    int specks = 0;                    // isolated dark specks on the disc
    bool scratch = false;              // a dark scratch along one ray
    std::optional<double> scratch_kat; // its angle; random when not given
    int gaps = 0;                      // small white gaps cut across the activity trace
    double shift_x = 0, shift_y = 0;   // recording centre minus printed centre, pixels
    double drift = 0; // the distance trace moves outward by this much over the day, pixels
    friend bool operator==(const Noise&, const Noise&) = default;
};

struct ChartSpec {
    int rozmiar = 1000;           // image class: 800, 1000 or 1500 pixels square
    std::optional<double> x0, y0; // printed disc centre; the image centre when not given
    double kat24 = 0;             // angle of 00:00 on the disc
    int typ = 0;                  // chart kind 0..4
    std::optional<double> start;  // start of recording (minutes); first period's start
    std::vector<Period> periods;  // in recording order
    Noise noise;
    std::uint32_t seed = 1;
    friend bool operator==(const ChartSpec&, const ChartSpec&) = default;

    double centreX() const { return x0.value_or(rozmiar / 2.0); }
    double centreY() const { return y0.value_or(rozmiar / 2.0); }
    double recordingStart() const;
    // Angle of a time of day (minutes) on this disc, 0..360.
    double angleOf(double minutes) const;

    // Empty when the description can be drawn, else what is wrong (first problem found).
    QString validate() const;
};

// One recorded stretch in drawing order: minutes from the start of recording (unwrapped, so
// a stretch after midnight keeps growing past the start), and the period it came from
// (-1 for the untraced gaps between listed periods).
struct Stretch {
    double od = 0, do_ = 0;
    int czy_praca = -1;
    int km = 0;
    int period = -1;
};
// The periods laid out from the start of recording, gaps filled with untraced stretches.
// Expects a valid description.
std::vector<Stretch> layOut(const ChartSpec& spec);

// "hh:mm" (or "hh:mm:ss" when seconds are present) and back; 24:00 is accepted.
QString minutesToText(double minutes);
std::optional<double> textToMinutes(const QString& text);

QJsonObject toJson(const ChartSpec& spec);
// Reads a description (extra keys such as the ground truth's are ignored); nullopt and a
// message naming the key on a missing or malformed value.
std::optional<ChartSpec> specFromJson(const QJsonObject& o, QString* error);

} // namespace chartgen
