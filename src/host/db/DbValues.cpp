#include "host/db/DbValues.h"

#include "host/db/SqlText.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace host::db {

QString canonicalDateTime(TDateTime t) {
    return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss.zzz"), t);
}

std::optional<TDateTime> parseDateTimeText(const QString& text) {
    // The compact date form must carry a time, or any eight-digit number would pass as a date.
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})-(\d{2})-(\d{2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,6}))?)?)?\s*$)"));
    static const QRegularExpression compact(QStringLiteral(
        R"(^\s*(\d{4})(\d{2})(\d{2}) (\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,6}))?)?\s*$)"));
    auto m = re.match(text);
    if (!m.hasMatch()) m = compact.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int y = m.captured(1).toInt(), mo = m.captured(2).toInt(), d = m.captured(3).toInt();
    if (!QDate::isValid(y, mo, d)) return std::nullopt;
    const int h = m.captured(4).toInt(), mi = m.captured(5).toInt(), s = m.captured(6).toInt();
    if (h > 23 || mi > 59 || s > 59) return std::nullopt;
    int ms = 0;
    if (!m.captured(7).isEmpty()) {
        // fraction of a second written with 1..6 digits
        const QString frac = (m.captured(7) + QStringLiteral("000")).left(3);
        ms = frac.toInt();
    }
    return TDateTime::encode(y, mo, d, h, mi, s, ms);
}

std::optional<TDateTime> variantDateTime(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return std::nullopt;
    switch (v.metaType().id()) {
    case QMetaType::QDateTime:
        return TDateTime::fromQDateTime(v.toDateTime());
    case QMetaType::QDate:
        return TDateTime::fromDate(v.toDate());
    case QMetaType::QString:
        return parseDateTimeText(v.toString());
    default:
        if (v.metaType() == QMetaType::fromType<TDateTime>()) return v.value<TDateTime>();
        return std::nullopt;
    }
}

QVariant bindValue(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QVariant();
    const int id = v.metaType().id();
    if (id == QMetaType::Bool) return v.toBool() ? 1 : 0;
    if (id == QMetaType::QDateTime || id == QMetaType::QDate ||
        v.metaType() == QMetaType::fromType<TDateTime>())
        return canonicalDateTime(*variantDateTime(v));
    return v;
}

QString sqlLiteral(const QVariant& v) {
    const QVariant b = bindValue(v);
    if (!b.isValid() || b.isNull()) return QStringLiteral("NULL");
    QString number;
    switch (b.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        number = b.toString();
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = b.toDouble();
        if (!std::isfinite(d))
            throw DbError(QStringLiteral("A number that is not finite cannot be stored"));
        number = QString::number(d, 'g', 17);
        break;
    }
    default:
        return quoted(b.toString());
    }
    // "x -?" with -5 must not become the comment "x --5".
    return number.startsWith(QLatin1Char('-')) ? QLatin1Char('(') + number + QLatin1Char(')')
                                               : number;
}

QString inlineValues(const QString& sql, const std::vector<QVariant>& values) {
    const std::vector<ValueMark> marks = valueMarks(sql);
    if (marks.size() != values.size())
        throw DbError(
            QStringLiteral("%1 value marks for %2 values").arg(marks.size()).arg(values.size()),
            sql);
    size_t next = 0;
    return replaceMarks(sql, marks, [&](const ValueMark&) { return sqlLiteral(values[next++]); });
}

double variantToFloat(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return 0.0;
    if (auto t = variantDateTime(v)) return t->value;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

int variantToInt(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return 0;
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return int(std::llround(v.toDouble()));
    case QMetaType::QString: {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (ok) return i;
        return int(std::llround(v.toString().toDouble()));
    }
    default:
        return v.toInt();
    }
}

QString variantToString(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QString();
    const int id = v.metaType().id();
    if (id == QMetaType::QDateTime || id == QMetaType::QDate ||
        v.metaType() == QMetaType::fromType<TDateTime>())
        return canonicalDateTime(*variantDateTime(v));
    if (id == QMetaType::Double || id == QMetaType::Float)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

} // namespace host::db
