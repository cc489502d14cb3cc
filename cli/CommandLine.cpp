#include "cli/CommandLine.h"

namespace {

enum class Option { Name, Date, Time, Zone, Lon, Lat, Dst, Json, Span, Save, Open, Batch, Help, Version };

struct OptionInfo {
    const char *name;
    Option option;
    bool takesValue;
};

constexpr std::array<OptionInfo, 15> optionTable{{
    {"--name", Option::Name, true},
    {"--date", Option::Date, true},
    {"--time", Option::Time, true},
    {"--zone", Option::Zone, true},
    {"--lon", Option::Lon, true},
    {"--lat", Option::Lat, true},
    {"--dst", Option::Dst, false},
    {"--json", Option::Json, false},
    {"--span", Option::Span, false},
    {"--save", Option::Save, true},
    {"--open", Option::Open, true},
    {"--batch", Option::Batch, true},
    {"--help", Option::Help, false},
    {"-h", Option::Help, false},
    {"--version", Option::Version, false},
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
    bool saving = false;
    std::array<bool, optionTable.size()> seen{};
    QStringList birthOptions;  // as given, for the messages about mixing modes
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
            error = argument.startsWith(u'-') ? QStringLiteral("unknown option '%1'").arg(name)
                                              : QStringLiteral("unexpected argument '%1'").arg(argument);
            return std::nullopt;
        }
        const std::size_t slot = std::size_t(known - optionTable.data());
        if (seen[slot]) {
            error = QStringLiteral("%1 is given more than once").arg(name);
            return std::nullopt;
        }
        seen[slot] = true;
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
            birthOptions << name;
            continue;
        }
        switch (known->option) {
        case Option::Dst:
            line.dst = true;
            birthOptions << name;
            break;
        case Option::Json: line.json = true; break;
        case Option::Span: line.span = true; break;
        case Option::Save:
            line.savePath = *value;
            saving = true;
            break;
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

    if (version) {
        if (arguments.size() != 1) {
            error = QStringLiteral("--version goes alone");
            return std::nullopt;
        }
        line.mode = CliMode::Version;
        return line;
    }
    if (opening && batching) {
        error = QStringLiteral("--open and --batch can't be used together");
        return std::nullopt;
    }
    if ((opening || batching) && !birthOptions.isEmpty()) {
        error = QStringLiteral("%1 can't be used with %2")
                    .arg(birthOptions.first(), opening ? QStringLiteral("--open") : QStringLiteral("--batch"));
        return std::nullopt;
    }
    if (line.span && !batching) {
        error = QStringLiteral("--span goes with --batch (a single reading always shows its span)");
        return std::nullopt;
    }
    if (batching) {
        if (line.json || saving) {
            error = QStringLiteral("%1 can't be used with --batch")
                        .arg(line.json ? QStringLiteral("--json") : QStringLiteral("--save"));
            return std::nullopt;
        }
        line.mode = CliMode::Batch;
        return line;
    }
    if (opening) {
        line.mode = CliMode::Open;
        return line;
    }
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
    line.mode = CliMode::Single;
    return line;
}
