#pragma once
// Reading scanned charts without a window: what `tacho read` does for each input file.
//
// A file goes through the scan import, which gives one disc per chart found on it. Every disc
// is read by the core's reading of one chart (activity/OdczytTarczy.h), exactly as a new chart
// opened in the chart window: the centre starts where the import found it and the reading at
// kat24. Several files may be read at once on worker threads.

#include "activity/OdczytTarczy.h"
#include "analysis/Kalibracja.h"

#include <QDate>
#include <QJsonObject>
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
    std::shared_ptr<const OdczytTarczy> odczyt; // shared: results are copied between threads
};

// Decodes the file and reads every disc on it. A file that cannot be read gives one reading
// with its error. Safe to call from several threads at once.
std::vector<DiscReading> readChartFile(const QString& file, const ReadSettings& settings);

// The JSON object of a reading: {"file", "ok"} and the reading's object of
// activity/WynikJson.h ("disc" added on a sheet with several discs), or {"file", "ok": false,
// "error"}.
QJsonObject finishReading(DiscReading& reading, const ReadSettings& settings);

// The same object as a readable block of text: a header line, the period table, the summary
// and the rule check's findings.
QString readingAsText(const QJsonObject& o);
