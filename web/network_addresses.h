#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The addresses of this computer that a phone on the same network may reach, for the links of
// a survey and for the consultant's choice among them.
namespace web {

struct NetworkChoice {
    QString interfaceName; // the system's name: "eth0", "wlan0", "Ethernet 2"
    QString label;         // for a list: the interface's readable name and the address
    QHostAddress address;
    bool defaultRoute = false; // the interface the system sends other networks' traffic through
};

// Every address of an interface that is up and running, loopback and link-local left out, IPv4
// before IPv6; the default route's interface first and flagged.
QList<NetworkChoice> networkChoices();

// The parts of networkChoices, for tests. The interface of the default route (the lowest metric
// of those up) in the text of Linux's /proc/net/route; empty when there is none.
QString defaultRouteInterface(const QByteArray &routeTable);
// `choices` with the default route's interface flagged, ordered: it first, then IPv4 before
// IPv6, then an office network's address (10/8, 172.16/12, 192.168/16) before others.
QList<NetworkChoice> orderChoices(QList<NetworkChoice> choices, const QString &defaultInterface);

// The host of the links of a server listening on `bound`: `bound` itself when it is one
// address, otherwise `advertised` when it is not null, otherwise the default route's address
// (the first choice), otherwise the loopback address.
QHostAddress reachableAddress(const QHostAddress &bound, const QHostAddress &advertised = {});

} // namespace web
