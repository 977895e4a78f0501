#include "host/TDateTime.h"

#include <QRegularExpression>

#include <cmath>
#include <stdexcept>

namespace host {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

TDateTime TDateTime::fromDate(const QDate& d) {
    return TDateTime(double(kEpoch.daysTo(d)));
}

TDateTime TDateTime::fromQDateTime(const QDateTime& dt) {
    const QTime t = dt.time();
    return TDateTime(double(kEpoch.daysTo(dt.date())) + t.msecsSinceStartOfDay() / kMsPerDay);
}

TDateTime TDateTime::encode(int year, int month, int day, int hour, int minute, int second,
                            int msec) {
    const double whole = double(kEpoch.daysTo(QDate(year, month, day)));
    return TDateTime(whole +
                     (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsPerDay);
}

double TDateTime::datePart() const {
    return std::floor(value);
}

double TDateTime::timeOfDay() const {
    return value - std::floor(value);
}

QDate TDateTime::date() const {
    return kEpoch.addDays(qint64(std::floor(value)));
}

std::pair<QDate, QTime> TDateTime::dateAndTime() const {
    // Round to the millisecond first so that 23:59:59.9999 does not fall a day short.
    const double ms = std::floor(value * kMsPerDay + 0.5);
    const double days = std::floor(ms / kMsPerDay);
    const qint64 msOfDay = qint64(ms - days * kMsPerDay);
    return {kEpoch.addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(msOfDay))};
}

QDateTime TDateTime::toQDateTime() const {
    const auto [d, t] = dateAndTime();
    return QDateTime(d, t);
}

QString CzasHHNN(TDateTime t) {
    const QTime tm = t.dateAndTime().second;
    return QString::number(tm.hour()).rightJustified(2, u'0') + u':' +
           QString::number(tm.minute()).rightJustified(2, u'0');
}

QString FormatDateTime(const QString& pattern, TDateTime t) {
    // Not through a local QDateTime, which consults the time zone on every call.
    const auto [d, tm] = t.dateAndTime();
    QString out;
    bool lastWasHour = false;
    int i = 0;
    const int n = pattern.size();
    auto run = [&](QChar c) {
        int k = i;
        while (k < n && pattern[k].toLower() == c)
            ++k;
        return k - i;
    };
    while (i < n) {
        const QChar c = pattern[i].toLower();
        if (pattern[i] == '"' || pattern[i] == '\'') { // quoted literal
            const QChar q = pattern[i];
            int k = i + 1;
            while (k < n && pattern[k] != q)
                out += pattern[k++];
            i = k + 1;
            continue;
        }
        int len = 0;
        if (c == 'y') {
            len = run('y');
            out += len <= 2 ? QString::number(d.year() % 100).rightJustified(2, '0')
                            : QString::number(d.year()).rightJustified(4, '0');
            lastWasHour = false;
        } else if (c == 'm') {
            len = std::min(run('m'), 2);
            const int v = lastWasHour ? tm.minute() : d.month();
            out += len == 2 ? QString::number(v).rightJustified(2, '0') : QString::number(v);
            lastWasHour = false;
        } else if (c == 'd') {
            len = std::min(run('d'), 2);
            out += len == 2 ? QString::number(d.day()).rightJustified(2, '0')
                            : QString::number(d.day());
            lastWasHour = false;
        } else if (c == 'h') {
            len = std::min(run('h'), 2);
            out += len == 2 ? QString::number(tm.hour()).rightJustified(2, '0')
                            : QString::number(tm.hour());
            lastWasHour = true;
        } else if (c == 'n') {
            len = std::min(run('n'), 2);
            out += len == 2 ? QString::number(tm.minute()).rightJustified(2, '0')
                            : QString::number(tm.minute());
            lastWasHour = false;
        } else if (c == 's') {
            len = std::min(run('s'), 2);
            out += len == 2 ? QString::number(tm.second()).rightJustified(2, '0')
                            : QString::number(tm.second());
            lastWasHour = false;
        } else if (c == 'z') {
            len = run('z');
            out += len >= 3 ? QString::number(tm.msec()).rightJustified(3, '0')
                            : QString::number(tm.msec());
            lastWasHour = false;
        } else {
            out += pattern[i];
            len = 1;
            // ':' between hour and minutes keeps "mm" meaning minutes, as in Delphi.
            if (pattern[i] != ':' && pattern[i] != ' ') lastWasHour = false;
        }
        i += len;
    }
    return out;
}

TDateTime StrToTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) throw std::invalid_argument(("not a time: " + text).toStdString());
    const int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || mi > 59 || s > 59)
        throw std::invalid_argument(("not a time: " + text).toStdString());
    return TDateTime(((h * 60.0 + mi) * 60.0 + s) / 86400.0);
}

} // namespace host
