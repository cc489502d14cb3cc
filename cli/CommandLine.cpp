#include "cli/CommandLine.h"

#include "cli/QuotedText.h"

namespace {

enum class Option { Name, Date, Time, Zone, Lon, Lat, Dst, Json, Span, Save, Open, Batch, Help, Version };

constexpr unsigned modeBit(CliMode mode)
{
    return 1u << unsigned(mode);
}
constexpr unsigned inSingle = modeBit(CliMode::Single);
constexpr unsigned inOpen = modeBit(CliMode::Open);
constexpr unsigned inBatch = modeBit(CliMode::Batch);

struct OptionInfo {
    const char *name;
    Option option;
    bool takesValue;
    unsigned modes;  // the modes it may be used in, by modeBit
};

// Every option and the modes it applies to; anything else on the line of a
// mode is a usage error, so that no option is ever silently ignored.
constexpr std::array<OptionInfo, 15> optionTable{{
    {"--name", Option::Name, true, inSingle},
    {"--date", Option::Date, true, inSingle},
    {"--time", Option::Time, true, inSingle},
    {"--zone", Option::Zone, true, inSingle},
    {"--lon", Option::Lon, true, inSingle},
    {"--lat", Option::Lat, true, inSingle},
    {"--dst", Option::Dst, false, inSingle},
    {"--json", Option::Json, false, inSingle | inOpen},
    {"--span", Option::Span, false, inBatch},
    {"--save", Option::Save, true, inSingle},
    {"--open", Option::Open, true, inOpen},
    {"--batch", Option::Batch, true, inBatch},
    {"--help", Option::Help, false, 0},  // wins over everything, so never checked
    {"-h", Option::Help, false, 0},
    {"--version", Option::Version, false, modeBit(CliMode::Version)},
}};

const OptionInfo *findOption(const QString &name)
{
    for (const OptionInfo &known : optionTable) {
        if (name == QLatin1String(known.name))
            return &known;
    }
    return nullptr;
}

std::optional<BirthField> birthFieldOf(Option option)
{
    switch (option) {
    case Option::Name: return BirthField::Name;
    case Option::Date: return BirthField::Date;
    case Option::Time: return BirthField::Time;
    case Option::Zone: return BirthField::Zone;
    case Option::Lon: return BirthField::Lon;
    case Option::Lat: return BirthField::Lat;
    default: return std::nullopt;
    }
}

// Why an option doesn't belong on the line of `mode`; `name` is as written.
QString misplacedOption(const QString &name, const OptionInfo &option, CliMode mode)
{
    switch (mode) {
    case CliMode::Version: return QStringLiteral("--version goes alone");
    case CliMode::Open: return QStringLiteral("%1 can't be used with --open").arg(name);
    case CliMode::Batch: return QStringLiteral("%1 can't be used with --batch").arg(name);
    default: break;
    }
    if (option.option == Option::Span)
        return QStringLiteral("--span goes with --batch (a single reading always shows its span)");
    return QStringLiteral("%1 can't be used with a single reading").arg(name);
}

} // namespace

std::optional<CommandLine> parseCommandLine(const QStringList &arguments, QString &error)
{
    // Help wins over everything else on the line, as users expect; a value
    // such as a name "-h" is not taken for it.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const OptionInfo *known = findOption(arguments.at(i));
        if (known && known->option == Option::Help)
            return CommandLine{};
        if (known && known->takesValue)
            ++i;
    }

    CommandLine line;
    bool version = false;
    bool opening = false;
    bool batching = false;
    std::array<bool, optionTable.size()> seen{};
    QList<std::pair<QString, const OptionInfo *>> given;  // as written, for the messages
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString name = argument;
        std::optional<QString> value;
        const qsizetype equals = argument.indexOf(u'=');
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            name = argument.left(equals);
            value = argument.mid(equals + 1);
        }
        const OptionInfo *known = findOption(name);
        if (!known) {
            error = argument.startsWith(u'-') ? QStringLiteral("unknown option %1").arg(quotedValue(name))
                                              : QStringLiteral("unexpected argument %1").arg(quotedValue(argument));
            return std::nullopt;
        }
        const std::size_t slot = std::size_t(known - optionTable.data());
        if (seen[slot]) {
            error = QStringLiteral("%1 is given more than once").arg(name);
            return std::nullopt;
        }
        seen[slot] = true;
        given.append({name, known});
        if (known->takesValue && !value) {
            // A zone such as -5:30 starts with a minus sign; only "--" marks the next option.
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                error = QStringLiteral("%1 needs a value").arg(name);
                return std::nullopt;
            }
            value = arguments.at(++i);
        } else if (!known->takesValue && value) {
            error = QStringLiteral("%1 takes no value").arg(name);
            return std::nullopt;
        }

        if (const std::optional<BirthField> field = birthFieldOf(known->option)) {
            line.fields[std::size_t(*field)] = *value;
            continue;
        }
        switch (known->option) {
        case Option::Dst: line.dst = true; break;
        case Option::Json: line.json = true; break;
        case Option::Span: line.span = true; break;
        case Option::Save: line.savePath = *value; break;
        case Option::Open:
            line.openPath = *value;
            opening = true;
            break;
        case Option::Batch:
            line.batchPath = *value;
            batching = true;
            break;
        case Option::Version: version = true; break;
        default: break;
        }
    }

    if (opening && batching && !version) {
        error = QStringLiteral("--open and --batch can't be used together");
        return std::nullopt;
    }
    line.mode = version ? CliMode::Version
        : batching      ? CliMode::Batch
        : opening       ? CliMode::Open
                        : CliMode::Single;
    for (const auto &[name, known] : given) {
        if (!(known->modes & modeBit(line.mode))) {
            error = misplacedOption(name, *known, line.mode);
            return std::nullopt;
        }
    }
    if (line.mode != CliMode::Single)
        return line;
    if (arguments.isEmpty()) {
        error = QStringLiteral("nothing to do");
        return std::nullopt;
    }
    for (int f = 0; f < birthFieldCount; ++f) {
        if (BirthField(f) != BirthField::Dst && !line.fields[std::size_t(f)]) {
            error = QStringLiteral("--%1 is missing").arg(QLatin1String(birthFieldName(BirthField(f))));
            return std::nullopt;
        }
    }
    return line;
}
