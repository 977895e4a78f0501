#include "CommandLine.h"

namespace cli {

CommandLine::CommandLine(const QString& command, const QString& usage, const QString& description)
    : command_(command), usage_(usage) {
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
}

std::optional<int> CommandLine::parse(const QStringList& args, QTextStream& out, QTextStream& err) {
    // The parser expects the program name first.
    if (!parser_.parse(QStringList{command_} + args)) return error(parser_.errorText(), err);
    if (parser_.isSet(QStringLiteral("help"))) {
        out << helpText();
        return 0;
    }
    return std::nullopt;
}

int CommandLine::error(const QString& message, QTextStream& err) const {
    err << command_ << ": " << message << '\n'
        << "usage: " << usage_ << '\n'
        << "Try '" << command_ << " --help' for more information.\n";
    return kUsageError;
}

QString CommandLine::helpText() const {
    // Qt's help starts with a usage line made of the executable's path; ours names the
    // command and its arguments.
    QString qt = parser_.helpText();
    qt.remove(0, qt.indexOf(QLatin1Char('\n')) + 1);
    return QStringLiteral("usage: %1\n").arg(usage_) + qt;
}

} // namespace cli
