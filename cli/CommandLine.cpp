// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLine.h"

#include "cli/CliTexts.h"
#include "sys/QuotedText.h"

#include <QCommandLineParser>

#include <algorithm>
#include <string_view>

namespace {

constexpr unsigned modeBit(CliMode mode)
{
    return 1u << unsigned(mode);
}
constexpr unsigned inSingle = modeBit(CliMode::Single);
constexpr unsigned inOpen = modeBit(CliMode::Open);
constexpr unsigned inBatch = modeBit(CliMode::Batch);
constexpr unsigned inPair = modeBit(CliMode::Pair);
constexpr unsigned inCalendar = modeBit(CliMode::Calendar);

struct OptionInfo {
    const char *name;  // without the dashes
    bool takesValue;
    unsigned modes;  // the modes it may be used in, by modeBit
};

// Every option and the modes it applies to; anything else on the line of a
// mode is a usage error, so that no option is ever silently ignored. The
// birth fields are named by birthFieldName.
constexpr std::array<OptionInfo, 20> optionTable{{
    {"name", true, inSingle},
    {"date", true, inSingle},
    {"time", true, inSingle},
    {"zone", true, inSingle},
    {"lon", true, inSingle},
    {"lat", true, inSingle},
    {"dst", false, inSingle},
    {"place", true, inSingle | inCalendar},
    {"json", false, inSingle | inOpen | inPair | inCalendar},
    {"span", false, inBatch},
    {"save", true, inSingle},
    {"open", true, inOpen},
    {"batch", true, inBatch},
    {"pair", true, inPair},  // the second file follows the first
    {"calendar", true, inCalendar},  // the second date follows the first
    {"tz", true, inCalendar},
    {"for", true, inCalendar},
    {"ics", true, inCalendar},
    {"help", false, 0},  // wins over everything, so never checked; also -h
    {"version", false, modeBit(CliMode::Version)},
}};

const OptionInfo *findOption(const QString &name)
{
    for (const OptionInfo &known : optionTable) {
        if (name == QLatin1String(known.name))
            return &known;
    }
    return nullptr;
}

// The option an argument names, "--name" or "--name=value"; none for
// anything else.
const OptionInfo *optionOf(const QString &argument)
{
    return argument.startsWith(u"--") ? findOption(argument.section(u'=', 0, 0).mid(2)) : nullptr;
}

// The options followed by two values: --pair's files and --calendar's dates.
bool takesTwoValues(const OptionInfo *option)
{
    return option && (option->name == std::string_view("pair") || option->name == std::string_view("calendar"));
}

// The arguments that are not an option's value, as written. Like
// QCommandLineParser, an option that takes a value takes the next argument
// unless written as --name=value. The parser names an unknown option without
// its dashes and reads "--" as the end of the options; a message names the
// argument as the user wrote it.
QStringList writtenOptions(const QStringList &arguments)
{
    QStringList written;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        written.append(argument);
        const OptionInfo *known = argument.startsWith(u"--") ? findOption(argument.mid(2)) : nullptr;
        if (known && known->takesValue)
            ++i;  // its value follows, whatever it looks like
    }
    return written;
}

// Takes the second value of --pair or --calendar, the argument after its
// first, off the line: QCommandLineParser knows of one value per option.
// Empty when the line ends or another option follows instead.
QString takeSecondValue(QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const OptionInfo *known = optionOf(argument);
        const bool inlineValue = argument.contains(u'=');
        if (takesTwoValues(known)) {
            const qsizetype second = inlineValue ? i + 1 : i + 2;
            if (second < arguments.size() && !arguments.at(second).startsWith(u"--"))
                return arguments.takeAt(second);
            return {};
        }
        if (known && known->takesValue && !inlineValue)
            ++i;  // its value follows, whatever it looks like
    }
    return {};
}

// QCommandLineParser takes whatever follows an option for its value; only a
// value that starts with "--" is taken for a forgotten one, since a zone such
// as -5:30 starts with a minus sign.
bool lacksValue(const QCommandLineParser &parser, const QStringList &arguments, const QString &name)
{
    const QStringList values = parser.values(name);
    if (values.size() < parser.optionNames().count(name))  // the line ended first
        return true;
    return std::any_of(values.cbegin(), values.cend(), [&](const QString &value) {
        return value.startsWith(u"--") && !arguments.contains(QStringLiteral("--") + name + u'=' + value);
    });
}

// The first wrong use of the options that QCommandLineParser finds, or the
// empty text.
QString usageProblem(const QCommandLineParser &parser, const QStringList &arguments)
{
    // The parser's names of the options found; "h" stands for a word such as
    // -hx, which the arguments as written refuse below.
    const QStringList found = parser.optionNames();
    for (const QString &name : found) {
        const OptionInfo *known = findOption(name);
        if (known && known->takesValue && lacksValue(parser, arguments, name))
            return QStringLiteral("--%1 needs a value").arg(name);
    }
    for (const QString &argument : writtenOptions(arguments)) {
        const OptionInfo *known = optionOf(argument);
        const QString name = argument.startsWith(u"--") ? argument.section(u'=', 0, 0) : argument;
        if (!known && argument.startsWith(u'-'))
            return QStringLiteral("unknown option %1").arg(quotedValue(name));
        if (!known)
            return QStringLiteral("unexpected argument %1").arg(quotedValue(argument));
        if (!known->takesValue && name != argument)
            return QStringLiteral("%1 takes no value").arg(name);
    }
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (found.indexOf(found.at(i)) < i)
            return QStringLiteral("--%1 is given more than once").arg(found.at(i));
    }
    return {};
}

// Why an option doesn't belong on the line of `mode`; `name` is as written.
QString misplacedOption(const QString &name, CliMode mode)
{
    switch (mode) {
    case CliMode::Version: return QStringLiteral("--version goes alone");
    case CliMode::Open: return QStringLiteral("%1 can't be used with --open").arg(name);
    case CliMode::Batch: return QStringLiteral("%1 can't be used with --batch").arg(name);
    case CliMode::Pair: return QStringLiteral("%1 can't be used with --pair").arg(name);
    case CliMode::Calendar: return QStringLiteral("%1 can't be used with --calendar").arg(name);
    default: break;
    }
    if (name == QLatin1String("--span"))
        return QStringLiteral("--span goes with --batch (a single reading always shows its span)");
    return QStringLiteral("%1 can't be used with a single reading").arg(name);
}

} // namespace

std::optional<CommandLine> parseCommandLine(const QStringList &given, QString &error)
{
    QStringList arguments = given;
    const QString secondValue = takeSecondValue(arguments);
    QCommandLineParser parser;
    // A single-dash word such as -name is a row of one-letter options, and -h
    // is the only one there is: the word is refused, never taken for --name.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const OptionInfo &known : optionTable) {
        QStringList names{QString::fromLatin1(known.name)};
        if (names.first() == QLatin1String("help"))
            names.prepend(QStringLiteral("h"));
        QCommandLineOption option(names);
        if (known.takesValue)
            option.setValueName(QStringLiteral("value"));
        parser.addOption(option);
    }
    // parse() reads the program's name first and needs no application object.
    parser.parse(QStringList(QString::fromLatin1(CliTexts::programName)) + arguments);

    // Help wins over everything else on the line, as users expect; a value
    // such as a name "-h" is not taken for it.
    const QStringList written = writtenOptions(arguments);
    if (written.contains(QLatin1String("-h")) || written.contains(QLatin1String("--help")))
        return CommandLine{};
    error = usageProblem(parser, arguments);
    if (!error.isEmpty())
        return std::nullopt;

    const bool opening = parser.isSet(QStringLiteral("open"));
    const bool batching = parser.isSet(QStringLiteral("batch"));
    const bool pairing = parser.isSet(QStringLiteral("pair"));
    const bool calendar = parser.isSet(QStringLiteral("calendar"));
    const bool version = parser.isSet(QStringLiteral("version"));
    if (!version && int(opening) + int(batching) + int(pairing) + int(calendar) > 1) {
        QStringList modes;
        for (const auto &[set, name] : {std::pair{opening, "--open"}, {pairing, "--pair"}, {batching, "--batch"},
                                        {calendar, "--calendar"}})
            if (set)
                modes.append(QLatin1String(name));
        error = QStringLiteral("%1 can't be used together").arg(modes.join(QStringLiteral(" and ")));
        return std::nullopt;
    }
    CommandLine line;
    line.mode = version ? CliMode::Version
        : batching      ? CliMode::Batch
        : opening       ? CliMode::Open
        : pairing       ? CliMode::Pair
        : calendar      ? CliMode::Calendar
                        : CliMode::Single;
    for (const QString &name : parser.optionNames()) {
        const OptionInfo *known = findOption(name);
        if (!known || !(known->modes & modeBit(line.mode))) {
            error = misplacedOption(QStringLiteral("--") + name, line.mode);
            return std::nullopt;
        }
    }
    line.dst = parser.isSet(QStringLiteral("dst"));
    line.json = parser.isSet(QStringLiteral("json"));
    line.span = parser.isSet(QStringLiteral("span"));
    line.savePath = parser.value(QStringLiteral("save"));
    line.openPath = parser.value(QStringLiteral("open"));
    line.batchPath = parser.value(QStringLiteral("batch"));
    if (line.mode == CliMode::Pair) {
        if (secondValue.isEmpty()) {
            error = QStringLiteral("--pair needs two saved readings");
            return std::nullopt;
        }
        line.pairPaths = {parser.value(QStringLiteral("pair")), secondValue};
    }
    if (line.mode == CliMode::Calendar) {
        if (secondValue.isEmpty()) {
            error = QStringLiteral("--calendar needs two dates, FROM and TO");
            return std::nullopt;
        }
        for (const auto &[first, second] : {std::pair{"place", "tz"}, {"json", "ics"}}) {
            if (parser.isSet(QLatin1String(first)) && parser.isSet(QLatin1String(second))) {
                error = QStringLiteral("--%1 can't be used with --%2").arg(QLatin1String(second), QLatin1String(first));
                return std::nullopt;
            }
        }
        line.calendarDates = {parser.value(QStringLiteral("calendar")), secondValue};
        if (parser.isSet(QStringLiteral("place")))
            line.place = parser.value(QStringLiteral("place"));
        if (parser.isSet(QStringLiteral("tz")))
            line.timeZone = parser.value(QStringLiteral("tz"));
        if (parser.isSet(QStringLiteral("for")))
            line.forPath = parser.value(QStringLiteral("for"));
        if (parser.isSet(QStringLiteral("ics")))
            line.icsPath = parser.value(QStringLiteral("ics"));
    }
    if (line.mode != CliMode::Single)
        return line;
    if (arguments.isEmpty()) {
        error = QStringLiteral("nothing to do");
        return std::nullopt;
    }
    // A place stands for the zone, the coordinates and the DST tick.
    const bool placed = parser.isSet(QStringLiteral("place"));
    if (placed) {
        line.place = parser.value(QStringLiteral("place"));
        for (int f = 0; f < birthFieldCount; ++f) {
            const QString name = QLatin1String(birthFieldName(BirthField(f)));
            if (standsForPlace(BirthField(f)) && parser.isSet(name)) {
                error = QStringLiteral("--%1 can't be used with --place").arg(name);
                return std::nullopt;
            }
        }
    }
    for (int f = 0; f < birthFieldCount; ++f) {
        const QString name = QLatin1String(birthFieldName(BirthField(f)));
        if (BirthField(f) == BirthField::Dst || (placed && standsForPlace(BirthField(f))))
            continue;
        if (!parser.isSet(name)) {
            error = QStringLiteral("--%1 is missing").arg(name);
            return std::nullopt;
        }
        line.fields[std::size_t(f)] = parser.value(name);
    }
    return line;
}
