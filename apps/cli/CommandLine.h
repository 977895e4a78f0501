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

    // Declares an option and adds it to the parser: a flag without valueName, else an option
    // that takes a value shown as valueName in the help.
    QCommandLineOption option(const QString& name, const QString& help,
                              const QString& valueName = {});
    // The calibration file every chart command reads.
    QCommandLineOption iniOption();
    // --version then prints "<command> <version>" and ends the command with 0.
    void addVersion(const QString& version);
    // Declares the positional arguments; a command that declares none refuses any.
    void addArguments(const QString& name, const QString& help, const QString& syntax);

    // Parses args (the command's arguments, without the program and command names). Returns
    // the exit status when the command is done already: 0 after --help or --version (on out),
    // 2 for an unknown option, a missing value or an argument the command does not take (the
    // message on err). nullopt: go on.
    std::optional<int> parse(const QStringList& args, QTextStream& out, QTextStream& err);

    // A value or argument that the parser accepted but the command cannot use: the message
    // and the usage line on err; returns 2.
    int error(const QString& message, QTextStream& err) const;

    QString helpText() const;

private:
    QString command_;
    QString usage_;
    QString version_;
    bool takesArguments_ = false;
    QCommandLineParser parser_;
};

} // namespace cli
