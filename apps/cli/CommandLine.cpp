#include "CommandLine.h"

namespace cli {

CommandLine::CommandLine(const QString& command, const QString& usage, const QString& description)
    : command_(command), usage_(usage) {
    parser_.setApplicationDescription(description);
    parser_.addHelpOption();
}

QCommandLineOption CommandLine::option(const QString& name, const QString& help,
                                       const QString& valueName) {
    QCommandLineOption o(name, help, valueName);
    parser_.addOption(o);
    return o;
}

QCommandLineOption CommandLine::iniOption() {
    return option(QStringLiteral("ini"),
                  QStringLiteral("Calibration file (default: ust_tacho.ini beside the program)."),
                  QStringLiteral("FILE"));
}

void CommandLine::addVersion(const QString& version) {
    version_ = version;
    parser_.addVersionOption();
}

void CommandLine::addArguments(const QString& name, const QString& help, const QString& syntax) {
    takesArguments_ = true;
    parser_.addPositionalArgument(name, help, syntax);
}

std::optional<int> CommandLine::parse(const QStringList& args, QTextStream& out, QTextStream& err) {
    // The parser expects the program name first.
    if (!parser_.parse(QStringList{command_} + args)) return error(parser_.errorText(), err);
    if (parser_.isSet(QStringLiteral("help"))) {
        out << helpText();
        return 0;
    }
    if (!version_.isEmpty() && parser_.isSet(QStringLiteral("version"))) {
        out << command_ << ' ' << version_ << '\n';
        return 0;
    }
    if (!takesArguments_ && !parser_.positionalArguments().isEmpty())
        return error(
            QStringLiteral("unexpected argument %1").arg(parser_.positionalArguments().first()),
            err);
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
