// ocai-cli compare: two groups side by side, and whether their profiles really differ.
#include "documents/anonymity.h"
#include "documents/statistics_report.h"
#include "survey/group_compare.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace cli {
namespace {

const char *const kStateKeys[2] = {"current", "preferred"};

// A compared group: its name (from --names, else its folder or file) and its argument.
struct Named {
    QString name, path;
    int people = 0; // as the anonymity floor counts them
};

QString stateCaption(int state)
{
    return state == 0 ? QStringLiteral("Текущее") : QStringLiteral("Желаемое");
}

QString cell(const QString &text, int width)
{
    return text.rightJustified(width, QLatin1Char(' '));
}

QString pText(double p)
{
    return p < 0.0001 ? QStringLiteral("<0.0001") : documents::fixed(p, 4);
}

QString tText(double t)
{
    if (std::isinf(t))
        return t < 0 ? QStringLiteral("-∞") : QStringLiteral("+∞");
    return documents::fixed(t, 2);
}

// A group's name cut to a column's width; the header lines give it whole.
QString columnName(const QString &name, int width)
{
    return name.size() <= width ? name : name.left(width - 1) + QChar(u'…');
}

QString gText(const std::optional<double> &g)
{
    return g ? documents::fixed(*g, 2, true) : QStringLiteral("—");
}

QString compareText(const survey::GroupComparison &c, const Named &a, const Named &b)
{
    QStringList lines{
        QStringLiteral("Сравнение групп OCAI"),
        QStringLiteral("«%1»: %2  (%3)")
            .arg(a.name, a.path,
                 documents::groupSizeText(c.nA, documents::kDefaultMinGroup, a.people)),
        QStringLiteral("«%1»: %2  (%3)")
            .arg(b.name, b.path,
                 documents::groupSizeText(c.nB, documents::kDefaultMinGroup, b.people)),
        QStringLiteral("Среднее: %1; перестановок: %2, зерно %3")
            .arg(survey::meanKindCaption(c.kind))
            .arg(c.permutations)
            .arg(c.seed),
        QString()};
    lines << QStringLiteral("Тип").leftJustified(16) +
                 QStringLiteral("Состояние").leftJustified(10) + cell(columnName(a.name, 10), 11) +
                 cell(columnName(b.name, 10), 11) + cell(QStringLiteral("Разница"), 9) +
                 cell(QStringLiteral("g"), 7) + cell(QStringLiteral("t"), 8) +
                 cell(QStringLiteral("df"), 9) + cell(QStringLiteral("p"), 9) +
                 cell(QStringLiteral("p перест."), 10);
    for (int type = 0; type < survey::kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const auto &score = c.scores[survey::scoreIndex(state, type)];
            const QString label = state == 0 ? documents::typeColumnLabel(type) : QString();
            const QString none = QStringLiteral("—");
            lines << label.leftJustified(16) + stateCaption(state).leftJustified(10) +
                         cell(documents::fixed(score.meanA, 2), 11) +
                         cell(documents::fixed(score.meanB, 2), 11) +
                         cell(documents::fixed(score.difference, 2, true), 9) +
                         cell(gText(score.hedgesG), 7) +
                         cell(score.welch ? tText(score.welch->t) : none, 8) +
                         cell(score.welch ? documents::fixed(score.welch->df, 2) : none, 9) +
                         cell(score.welch ? pText(score.welch->p) : none, 9) +
                         cell(pText(score.permutationP), 10);
        }
    }
    lines << QString()
          << QStringLiteral("Разница — «%1» минус «%2»; g — g Хеджеса (разница в стандартных "
                            "отклонениях,")
                 .arg(b.name, a.name)
          << QStringLiteral("с поправкой на малые группы; «—» — не определён);")
          << QStringLiteral("t, df, p — двусторонний t-тест Уэлча%1;")
                 .arg(c.kind == survey::MeanKind::Geometric
                          ? QStringLiteral(" по центрированным логарифмам баллов")
                          : QString())
          << QStringLiteral(
                 "p перест. — перестановочный тест разности средних, p = (k + 1) / (%1 + 1),")
                 .arg(c.permutations)
          << QStringLiteral("k — число перестановок с |разностью| ≥ |наблюдаемой|.");
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray compareCsv(const survey::GroupComparison &c)
{
    QStringList lines{QStringLiteral("type,state,n_a,n_b,mean_a,mean_b,diff,t,df,p,perm_p,g")};
    for (int type = 0; type < survey::kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const auto &score = c.scores[survey::scoreIndex(state, type)];
            QStringList fields{documents::typeLetter(type),
                               QLatin1String(kStateKeys[state]),
                               QString::number(c.nA),
                               QString::number(c.nB),
                               documents::fullPrecision(score.meanA),
                               documents::fullPrecision(score.meanB),
                               documents::fullPrecision(score.difference)};
            if (score.welch)
                fields << documents::fullPrecision(score.welch->t)
                       << documents::fullPrecision(score.welch->df)
                       << documents::fullPrecision(score.welch->p);
            else
                fields << QString() << QString() << QString();
            fields << documents::fullPrecision(score.permutationP)
                   << (score.hedgesG ? documents::fullPrecision(*score.hedgesG) : QString());
            lines << fields.join(QLatin1Char(','));
        }
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

QJsonValue finiteOrNull(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonObject compareJson(const survey::GroupComparison &c, const Named &a, const Named &b)
{
    QJsonObject types;
    for (int type = 0; type < survey::kTypeCount; ++type) {
        QJsonObject entry;
        for (int state = 0; state < 2; ++state) {
            const auto &score = c.scores[survey::scoreIndex(state, type)];
            const QJsonValue none(QJsonValue::Null);
            entry.insert(
                QLatin1String(kStateKeys[state]),
                QJsonObject{
                    {QStringLiteral("mean_a"), score.meanA.value()},
                    {QStringLiteral("mean_b"), score.meanB.value()},
                    {QStringLiteral("diff"), score.difference.value()},
                    {QStringLiteral("t"), score.welch ? finiteOrNull(score.welch->t) : none},
                    {QStringLiteral("df"), score.welch ? QJsonValue(score.welch->df) : none},
                    {QStringLiteral("p"), score.welch ? QJsonValue(score.welch->p) : none},
                    {QStringLiteral("perm_p"), score.permutationP},
                    {QStringLiteral("g"), score.hedgesG ? QJsonValue(*score.hedgesG) : none}});
        }
        types.insert(documents::typeLetter(type), entry);
    }
    return QJsonObject{
        {QStringLiteral("a"), QJsonObject{{QStringLiteral("n"), c.nA},
                                          {QStringLiteral("path"), a.path},
                                          {QStringLiteral("name"), a.name}}},
        {QStringLiteral("b"), QJsonObject{{QStringLiteral("n"), c.nB},
                                          {QStringLiteral("path"), b.path},
                                          {QStringLiteral("name"), b.name}}},
        {QStringLiteral("mean"), survey::meanKindName(c.kind)},
        {QStringLiteral("seed"), qint64(c.seed)},
        {QStringLiteral("permutations"), c.permutations},
        {QStringLiteral("types"), types},
    };
}

} // namespace

int runCompare(const ParsedArgs &args)
{
    const GroupOptions options = groupOptions(args);
    QStringList names;
    if (args.isSet("names")) {
        names = args.value("names").split(QLatin1Char(','));
        const bool blank = std::any_of(names.begin(), names.end(), [](const QString &name) {
            return name.trimmed().isEmpty();
        });
        if (names.size() != 2 || blank)
            return usageError(QStringLiteral("compare: в --names нужны два имени, по одному на "
                                             "группу, через запятую") +
                              usageHint(*args.spec));
    }
    survey::LoadedProfile groups[2];
    Named named[2];
    for (int g = 0; g < 2; ++g) {
        auto loaded = loadGroupArgument(args.operands[g]);
        if (const auto *error = std::get_if<survey::GroupError>(&loaded))
            return dataError(groupErrorText(*error));
        groups[g] = std::move(std::get<survey::LoadedProfile>(loaded));
        named[g] = {names.isEmpty() ? documents::groupName(args.operands[g]) : names[g].trimmed(),
                    QDir::toNativeSeparators(args.operands[g]), groups[g].group.people()};
    }
    const survey::GroupComparison comparison =
        survey::compareGroups(groups[0].group, groups[1].group, options.mean, options.seed);
    switch (options.format) {
    case OutputFormat::Csv:
        return finishOutput(compareCsv(comparison));
    case OutputFormat::Json:
        return finishOutput(QJsonDocument(compareJson(comparison, named[0], named[1])).toJson());
    case OutputFormat::Text:
        break;
    }
    for (Named &group : named)
        group = {escapeControls(group.name), escapeControls(group.path), group.people};
    return finishOutput(compareText(comparison, named[0], named[1]).toUtf8());
}

} // namespace cli
