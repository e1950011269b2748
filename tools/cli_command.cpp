#include "tools/cli_command.h"

#include "core/number_format.h"

#include <QCommandLineParser>
#include <limits>

namespace cli {
namespace {

const QString kHelpName = QStringLiteral("help");

QString dashed(const QString &name)
{
    return (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name;
}

QString optionText(const OptionSpec &option)
{
    QString text = QStringLiteral("--") + QLatin1String(option.name);
    if (option.kind != ValueKind::Flag)
        text += QLatin1Char(' ') + QLatin1String(option.valueName);
    return text;
}

const OptionSpec *findOption(const CommandSpec &spec, const QString &name)
{
    for (const OptionSpec &option : spec.options)
        if (name == QLatin1String(option.name))
            return &option;
    return nullptr;
}

// Why `value` does not fit `option`; empty when it does.
QString valueFault(const CommandSpec &spec, const OptionSpec &option, const QString &value)
{
    const QString command = QLatin1String(spec.name);
    const QString name = QStringLiteral("--") + QLatin1String(option.name);
    switch (option.kind) {
    case ValueKind::Flag:
    case ValueKind::Text:
        return {};
    case ValueKind::Path:
        if (value.isEmpty())
            return QStringLiteral("%1: после %2 нужно имя файла").arg(command, name);
        return {};
    case ValueKind::Choice:
        if (QString::fromLatin1(option.valueName).split(QLatin1Char('|')).contains(value))
            return {};
        return QStringLiteral("%1: %2 может быть %3, но не '%4'")
            .arg(command, name, QLatin1String(option.valueName), value);
    case ValueKind::Colour:
        if (const auto index = numfmt::parseInt32(value); index && *index >= 0 && *index <= 4)
            return {};
        return QStringLiteral("%1: %2 — цвет от 0 до 4 (0 чёрный, 1 красный, 2 зелёный, 3 синий, "
                              "4 жёлтый), но не '%3'")
            .arg(command, name, value);
    case ValueKind::Seed: {
        bool ok = false;
        const qulonglong seed = value.toULongLong(&ok);
        if (ok && !value.startsWith(QLatin1Char('+')) &&
            seed <= qulonglong(std::numeric_limits<qint64>::max()))
            return {};
        return QStringLiteral("%1: %2 — целое число от 0 до %3, но не '%4'")
            .arg(command, name)
            .arg(std::numeric_limits<qint64>::max())
            .arg(value);
    }
    }
    return {};
}

// QCommandLineParser's own faults, said as ours are: it tells them in English only
// ("Missing value after '--mean'.", "Unexpected value after '--raw'."), naming the option.
QString parserFault(const CommandSpec &spec, const QCommandLineParser &parser)
{
    const QString command = QLatin1String(spec.name);
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("%1: неизвестный параметр '%2'")
            .arg(command, dashed(parser.unknownOptionNames().constFirst()));
    const QString text = parser.errorText();
    const QString option = text.section(QLatin1Char('\''), 1, -2);
    if (text.startsWith(QLatin1String("Missing value")))
        return QStringLiteral("%1: после '%2' нет значения").arg(command, option);
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("%1: '%2' не принимает значения").arg(command, option);
    return QStringLiteral("%1: не удаётся разобрать параметры (%2)").arg(command, text);
}

// The options in the order given: each once, each value checked; the first fault.
QString readOptions(const CommandSpec &spec, const QCommandLineParser &parser, ParsedArgs &parsed)
{
    QMap<QString, int> taken; // how many values of each option have been read
    for (const QString &given : parser.optionNames()) {
        const OptionSpec *option = findOption(spec, given);
        if (!option) { // -h or --help
            parsed.help = true;
            continue;
        }
        const int index = taken[given]++;
        const QString value =
            option->kind == ValueKind::Flag ? QString() : parser.values(given).value(index);
        if (const QString fault = valueFault(spec, *option, value); !fault.isEmpty())
            return fault;
        if (index > 0)
            return QStringLiteral("%1: --%2 задан дважды").arg(QLatin1String(spec.name), given);
        parsed.values.insert(given, value);
    }
    return {};
}

// The required options and the operands, once the options are read.
QString checkCompleteness(const CommandSpec &spec, const ParsedArgs &parsed)
{
    const QString command = QLatin1String(spec.name);
    for (const OptionSpec &option : spec.options)
        if (option.required && !parsed.isSet(option.name))
            return QStringLiteral("%1: не задан обязательный %2").arg(command, optionText(option));
    const bool replaced = spec.replacesOperands && parsed.isSet(spec.replacesOperands);
    const int count = int(parsed.operands.size());
    const int most = replaced ? 0 : spec.maxOperands;
    if (most >= 0 && count > most)
        return QStringLiteral("%1: лишний аргумент '%2'").arg(command, parsed.operands[most]);
    if (!replaced && count < spec.minOperands)
        return QStringLiteral("%1: не указано %2").arg(command, QLatin1String(spec.operands));
    for (const QString &operand : parsed.operands)
        if (operand.isEmpty())
            return QStringLiteral("%1: пустой аргумент не называет файла").arg(command);
    return {};
}

} // namespace

std::variant<ParsedArgs, QString> parseCommand(const CommandSpec &spec, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), kHelpName}));
    for (const OptionSpec &option : spec.options) {
        const QString name = QLatin1String(option.name);
        parser.addOption(option.kind == ValueKind::Flag
                             ? QCommandLineOption(name)
                             : QCommandLineOption(name, QString::fromUtf8(option.description),
                                                  QLatin1String(option.valueName)));
    }
    // The first element is taken for the program's name.
    if (!parser.parse(QStringList{QLatin1String(spec.name)} + args))
        return parserFault(spec, parser);

    ParsedArgs parsed;
    parsed.spec = &spec;
    parsed.operands = parser.positionalArguments();
    if (const QString fault = readOptions(spec, parser, parsed); !fault.isEmpty())
        return fault;
    if (parsed.help)
        return parsed;
    if (const QString fault = checkCompleteness(spec, parsed); !fault.isEmpty())
        return fault;
    return parsed;
}

QStringList usageLines(const CommandSpec &spec)
{
    const auto line = [&spec](bool replaced) {
        QStringList parts{QStringLiteral("ocai-cli"), QLatin1String(spec.name)};
        for (const OptionSpec &option : spec.options) {
            const bool replacing =
                spec.replacesOperands && qstrcmp(option.name, spec.replacesOperands) == 0;
            if (replacing && !replaced)
                continue;
            const QString text = optionText(option);
            parts << (option.required || replacing ? text : QLatin1Char('[') + text + u']');
        }
        if (!replaced && *spec.operands)
            parts << QStringLiteral("[--]") << QLatin1String(spec.operands);
        return parts.join(QLatin1Char(' '));
    };
    QStringList lines{line(false)};
    if (spec.replacesOperands)
        lines << line(true);
    return lines;
}

QByteArray commandHelp(const CommandSpec &spec)
{
    QString help = QStringLiteral("использование: ") +
                   usageLines(spec).join(QStringLiteral("\n               "));
    QList<std::pair<QString, QString>> rows;
    for (const OptionSpec &option : spec.options)
        rows.append({optionText(option), QString::fromUtf8(option.description)});
    rows.append({QStringLiteral("-h, --help"), QStringLiteral("эта справка")});
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    help += QStringLiteral("\nпараметры:\n");
    for (const auto &[option, description] : rows)
        help += QStringLiteral("  ") + option.leftJustified(width + 2) + description + u'\n';
    help += QString::fromUtf8(spec.about);
    for (const OptionSpec &option : spec.options)
        if (option.explanation)
            help += QString::fromUtf8(option.explanation);
    return help.toUtf8();
}

QString usageHint(const CommandSpec &spec)
{
    return QStringLiteral("; использование: ") + usageLines(spec).join(QStringLiteral(" | "));
}

} // namespace cli
