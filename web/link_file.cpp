#include "web/link_file.h"

#include "web/folder_files.h"
#include "web/group_names.h"
#include "web/survey_collection.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace web {

const QString kLinkFileName = QStringLiteral(".ocai-link");

namespace {

// A few hundred bytes a group; anything much longer is not ours.
constexpr qint64 kMaxLinkFileBytes = 256 * 1024;

bool isSurveyId(const QString &text)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9a-f]{32}")));
    return pattern.match(text).hasMatch();
}

std::optional<quint16> portOf(const QJsonValue &port)
{
    const double number = port.toDouble(-1);
    if (!port.isDouble() || number < 1 || number > 65535 || number != double(int(number)))
        return std::nullopt;
    return quint16(number);
}

// The groups' links as the file lists them; nothing when one is not a link this program could
// have made, or two share a group or a secret: either could send answers to the wrong group.
std::optional<std::vector<GroupLink>> groupLinks(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    std::vector<GroupLink> links;
    QSet<QString> groups;
    QSet<QByteArray> secrets;
    for (const QJsonValue &entry : value.toArray()) {
        const QJsonObject object = entry.toObject();
        const QJsonValue group = object.value(QLatin1String("group"));
        const QString secret = object.value(QLatin1String("secret")).toString();
        const QString name = group.toString();
        if (!group.isString() || (!name.isEmpty() && !groupNameProblem(name).isEmpty()) ||
            !SurveyCollection::isToken(secret.toLatin1()) || groups.contains(name) ||
            secrets.contains(secret.toLatin1()))
            return std::nullopt;
        groups.insert(name);
        secrets.insert(secret.toLatin1());
        links.push_back({name, secret.toLatin1()});
    }
    return links;
}

} // namespace

const GroupLink *FolderLink::find(const QString &group) const
{
    for (const GroupLink &link : links)
        if (link.group == group)
            return &link;
    return nullptr;
}

std::variant<std::optional<FolderLink>, QString> readFolderLink(const QString &folder)
{
    const QString path = QDir(folder).filePath(kLinkFileName);
    const auto read = readFolderFile(path, kMaxLinkFileBytes);
    if (const auto *problem = std::get_if<QString>(&read))
        return *problem;
    const auto &bytes = std::get<std::optional<QByteArray>>(read);
    if (!bytes)
        return std::optional<FolderLink>();
    const QJsonObject object = QJsonDocument::fromJson(*bytes).object();
    const auto port = portOf(object.value(QLatin1String("port")));
    const QString survey = object.value(QLatin1String("survey")).toString();
    FolderLink link;
    // An earlier version's file holds one secret for every group, and no list.
    const QJsonValue token = object.value(QLatin1String("token"));
    const bool numbered = !token.isUndefined() && !object.contains(QLatin1String("links"));
    const auto links = numbered ? std::optional<std::vector<GroupLink>>(std::vector<GroupLink>())
                                : groupLinks(object.value(QLatin1String("links")));
    if (!port || !isSurveyId(survey) || !links ||
        (numbered && !SurveyCollection::isToken(token.toString().toLatin1())))
        return QStringLiteral("Файл ссылки опроса «%1» повреждён. Удалите его или начните сбор с "
                              "новой ссылкой; прежние ссылки и QR-коды тогда перестанут работать.")
            .arg(QDir::toNativeSeparators(path));
    return std::optional<FolderLink>(FolderLink{*port, survey.toLatin1(), *links, numbered});
}

QString numberedLinksNotice(const QString &folder)
{
    return QStringLiteral(
               "Ссылки опроса «%1» сделаны прежней версией программы: в них был только номер "
               "группы в списке, и по ним нельзя узнать, в какую группу писать ответы. Поэтому "
               "каждая группа получает новую ссылку и QR-код, а прежние ссылки больше не принимают "
               "ответов. Ответы, сохранённые в браузере по прежней ссылке, отправятся, когда "
               "респондент откроет новую ссылку своей группы в том же браузере.")
        .arg(QDir::toNativeSeparators(folder));
}

std::optional<QString> writeFolderLink(const QString &folder, const FolderLink &link)
{
    QJsonArray links;
    for (const GroupLink &each : link.links)
        links.append(QJsonObject{{QLatin1String("group"), each.group},
                                 {QLatin1String("secret"), QString::fromLatin1(each.secret)}});
    const QJsonObject object{{QLatin1String("port"), int(link.port)},
                             {QLatin1String("survey"), QString::fromLatin1(link.survey)},
                             {QLatin1String("links"), links}};
    return writeFolderFile(QDir(folder).filePath(kLinkFileName),
                           QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace web
