#include "tools/cli_min_group.h"

#include "documents/anonymity.h"

#include <algorithm>

namespace cli {

const OptionSpec kMinGroupOption{
    "min-group", "N", ValueKind::Text,
    "наименьшая группа, которую показывает документ, от 1 до 1000 (по умолчанию 5); "
    "меньшая не показывается"};

std::variant<int, QString> minGroupOption(const ParsedArgs &args, const QString &command)
{
    if (!args.isSet("min-group"))
        return documents::kDefaultMinGroup;
    const QString text = args.value("min-group");
    bool ok = false;
    const int value = text.toInt(&ok);
    // Digits only: toInt() would take " 5" or "+5" too.
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!ok || !digits || value < 1 || value > documents::kMaxMinGroup)
        return QStringLiteral("%1: --min-group '%2' — не целое число от 1 до %3")
            .arg(command, text)
            .arg(documents::kMaxMinGroup);
    return value;
}

} // namespace cli
