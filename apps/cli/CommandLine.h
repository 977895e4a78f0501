#pragma once
// What every tacho command does with its command line: Qt's parser, the same help layout and
// the same handling of a command line that cannot be understood (a message naming the
// command, the usage line, exit status 2).

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace cli {

constexpr int kUsageError = 2;

class CommandLine {
public:
    // command: "tacho read"; usage: its synopsis without "usage: " (the first line of the help
    // and of every error); description: a paragraph under it in the help.
    CommandLine(const QString& command, const QString& usage, const QString& description);

    QCommandLineParser& parser() { return parser_; }

    // Parses args (the command's arguments, without the program and command names). Returns
    // the exit status when the command is done already: 0 after --help (help on out), 2 for
    // an unknown option or a missing value (the message on err). nullopt: go on.
    std::optional<int> parse(const QStringList& args, QTextStream& out, QTextStream& err);

    // A value or argument that the parser accepted but the command cannot use: the message
    // and the usage line on err; returns 2.
    int error(const QString& message, QTextStream& err) const;

    QString helpText() const;

private:
    QString command_;
    QString usage_;
    QCommandLineParser parser_;
};

} // namespace cli
