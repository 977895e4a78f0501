#pragma once
// Reading scanned charts without a window: what `tacho read` does for each input file.
//
// A file goes through the scan import, which gives one disc per chart found on it. Every disc
// gets its own analysis state and period list and is read exactly as a new chart opened in
// the chart window: the centre starts where the import found it, the reading starts at kat24
// (the analysis driver with the shift check), then the grid is filled (which settles each
// driving period's distance from its points), the day summary is taken and the rule check run.
//
// readChartFile touches nothing shared but read-only settings, so several files may be read
// at once on worker threads; finishReading uses the translations and runs on the main thread.

#include "activity/Lista_zdarz.h"
#include "analysis/Kalibracja.h"

#include <QDate>
#include <QJsonObject>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

struct ReadSettings {
    // Where 00:00 lies when --kat24 is not given: the reference angle the chart window gives
    // a disc cut from a sheet.
    static constexpr float kDefaultKat24 = 180.0f;

    analysis::Kalibracja kalibracja;
    float kat24 = kDefaultKat24;
    int kind = 0; // chart kind 0..4
    bool detailed = false;
    QDate date; // chart date for the rule check; today when not given
    bool crew = false;
};

struct DiscReading {
    QString file;
    int disc = 0;  // 1-based position on a sheet holding several discs, 0 for a single disc
    QString error; // empty when the disc was read
    QSize size;    // the analysed picture
    float x0 = 0, y0 = 0;
    int pocz_sr_godz = 0;
    std::shared_ptr<Lista_zdarz> lista;
};

// Start of recording handed to the reader: kat24 itself, except that an angle of exactly 0
// would read as an empty disc, so it becomes 0.01 (as the correction view does).
float startAngle(float kat24);

// Decodes the file and reads every disc on it. A file that cannot be read gives one reading
// with its error. Safe to call from several threads at once.
std::vector<DiscReading> readChartFile(const QString& file, const ReadSettings& settings);

// The JSON object of a reading: {"file", "ok", "size", "x0", "y0", "kat24", "pocz_sr_godz",
// "kat_rozp", "kat_zak", "periods", "summary", "check"} ("disc" added on a sheet with several
// discs), or {"file", "ok": false, "error"}. Fills the grid and runs the rule check first.
QJsonObject finishReading(DiscReading& reading, const ReadSettings& settings);

// The same object as a readable block of text: a header line, the period table, the summary
// and the rule check's findings.
QString readingAsText(const QJsonObject& o);
