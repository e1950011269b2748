#include "web/link_file.h"

#include "web/folder_files.h"
#include "web/survey_collection.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace web {

const QString kLinkFileName = QStringLiteral(".ocai-link");

namespace {

// A few hundred bytes are written; anything much longer is not ours.
constexpr qint64 kMaxLinkFileBytes = 4096;

bool isSurveyId(const QString &text)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9a-f]{32}")));
    return pattern.match(text).hasMatch();
}

} // namespace

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
    const QJsonValue port = object.value(QLatin1String("port"));
    const QString token = object.value(QLatin1String("token")).toString();
    const QString survey = object.value(QLatin1String("survey")).toString();
    const double number = port.toDouble(-1);
    if (!port.isDouble() || number < 1 || number > 65535 || number != double(int(number)) ||
        !SurveyCollection::isToken(token.toLatin1()) || !isSurveyId(survey))
        return QStringLiteral("Файл ссылки опроса «%1» повреждён. Удалите его или начните сбор с "
                              "новой ссылкой; прежние ссылки и QR-коды тогда перестанут работать.")
            .arg(QDir::toNativeSeparators(path));
    return std::optional<FolderLink>(
        FolderLink{token.toLatin1(), quint16(number), survey.toLatin1()});
}

std::optional<QString> writeFolderLink(const QString &folder, const FolderLink &link)
{
    const QJsonObject object{{QLatin1String("token"), QString::fromLatin1(link.token)},
                             {QLatin1String("port"), int(link.port)},
                             {QLatin1String("survey"), QString::fromLatin1(link.survey)}};
    return writeFolderFile(QDir(folder).filePath(kLinkFileName),
                           QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace web
