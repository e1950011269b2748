// Stand-in for the network library's list of addresses and reading of a folder's link until it
// provides its own: the same declarations, the simplest bodies.
#include "web/link_file.h"
#include "web/network_addresses.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>

namespace web {

const QString kLinkFileName = QStringLiteral(".ocai-link");

QList<NetworkChoice> networkChoices()
{
    QList<NetworkChoice> choices;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLinkLocal())
                choices.append({interface.name(),
                                QStringLiteral("%1 — %2").arg(interface.humanReadableName(),
                                                              entry.ip().toString()),
                                entry.ip(), choices.isEmpty()});
    }
    return choices;
}

std::variant<std::optional<FolderLink>, QString> readFolderLink(const QString &folder)
{
    QFile file(QDir(folder).filePath(kLinkFileName));
    if (!file.exists())
        return std::optional<FolderLink>();
    const QString damaged =
        QStringLiteral("Файл ссылки опроса «%1» повреждён. Удалите его или начните сбор с "
                       "новой ссылкой; прежние ссылки и QR-коды тогда перестанут работать.")
            .arg(QDir::toNativeSeparators(file.fileName()));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return damaged;
    const QJsonObject object = QJsonDocument::fromJson(file.read(4096)).object();
    const QJsonValue port = object.value(QLatin1String("port"));
    if (!port.isDouble() || port.toInt() < 1 || port.toInt() > 65535)
        return damaged;
    return std::optional<FolderLink>(FolderLink{
        object.value(QLatin1String("token")).toString().toLatin1(), quint16(port.toInt()),
        object.value(QLatin1String("survey")).toString().toLatin1()});
}

} // namespace web
