#include "web/network_addresses.h"

#include <QFile>
#include <QNetworkInterface>
#include <algorithm>
#include <tuple>

namespace web {
namespace {

bool isPrivateIpv4(const QHostAddress &address)
{
    return address.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
           address.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12) ||
           address.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16);
}

// The interface the system sends other networks' traffic through, or empty when it cannot tell.
QString systemDefaultRouteInterface()
{
#ifdef Q_OS_LINUX
    QFile table(QStringLiteral("/proc/net/route"));
    if (table.open(QIODevice::ReadOnly))
        return defaultRouteInterface(table.read(1 << 20));
#endif
    // Elsewhere an office network's address before others is the best guess.
    return {};
}

} // namespace

QString defaultRouteInterface(const QByteArray &routeTable)
{
    constexpr uint kRouteUp = 0x1;
    QString best;
    uint bestMetric = 0;
    // "Iface Destination Gateway Flags RefCnt Use Metric Mask ...", hexadecimal, a header first.
    const QList<QByteArray> lines = routeTable.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 8)
            continue;
        bool flagsOk = false, metricOk = false, destinationOk = false, maskOk = false;
        const uint flags = fields[3].toUInt(&flagsOk, 16);
        const uint metric = fields[6].toUInt(&metricOk, 10);
        const bool isDefault =
            fields[1].toUInt(&destinationOk, 16) == 0 && fields[7].toUInt(&maskOk, 16) == 0;
        if (!flagsOk || !metricOk || !destinationOk || !maskOk || !isDefault || !(flags & kRouteUp))
            continue;
        if (best.isEmpty() || metric < bestMetric) {
            best = QString::fromUtf8(fields[0]);
            bestMetric = metric;
        }
    }
    return best;
}

QList<NetworkChoice> orderChoices(QList<NetworkChoice> choices, const QString &defaultInterface)
{
    for (NetworkChoice &choice : choices)
        choice.defaultRoute =
            !defaultInterface.isEmpty() && choice.interfaceName == defaultInterface;
    const auto rank = [](const NetworkChoice &choice) {
        return std::tuple(!choice.defaultRoute,
                          choice.address.protocol() != QAbstractSocket::IPv4Protocol,
                          !isPrivateIpv4(choice.address));
    };
    std::stable_sort(
        choices.begin(), choices.end(),
        [&rank](const NetworkChoice &a, const NetworkChoice &b) { return rank(a) < rank(b); });
    return choices;
}

QList<NetworkChoice> networkChoices()
{
    QList<NetworkChoice> choices;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.isLoopback() || address.isLinkLocal() ||
                (address.protocol() != QAbstractSocket::IPv4Protocol &&
                 address.protocol() != QAbstractSocket::IPv6Protocol))
                continue;
            choices.append(
                {interface.name(),
                 QStringLiteral("%1 — %2").arg(interface.humanReadableName(), address.toString()),
                 address, false});
        }
    }
    return orderChoices(choices, systemDefaultRouteInterface());
}

QHostAddress reachableAddress(const QHostAddress &bound, const QHostAddress &advertised)
{
    const bool ipv6 = bound == QHostAddress::AnyIPv6;
    if (bound != QHostAddress::Any && bound != QHostAddress::AnyIPv4 && !ipv6)
        return bound;
    if (!advertised.isNull())
        return advertised;
    const auto protocol = ipv6 ? QAbstractSocket::IPv6Protocol : QAbstractSocket::IPv4Protocol;
    for (const NetworkChoice &choice : networkChoices())
        if (choice.address.protocol() == protocol)
            return choice.address;
    return QHostAddress(ipv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost);
}

} // namespace web
