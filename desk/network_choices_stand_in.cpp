// Stand-in for the network library's list of addresses until it provides its own: the same
// declaration, the first interface taken for the default route's.
#include "web/network_addresses.h"

#include <QNetworkInterface>

namespace web {

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

} // namespace web
