#pragma once

#include <QLibrary>
#include <QString>

// The Windows build's tests under Wine: where Wine (not Windows) lacks something, a test says so
// when it leaves that part out.
namespace testwine {

// True when this Windows program runs under Wine, whose ntdll names itself.
inline bool underWine()
{
#ifdef Q_OS_WIN
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// Wine's Schannel loads no server key: GnuTLS fails the PKCS#12 that Qt hands it ("Decryption
// has failed"), for RSA and elliptic-curve keys alike.
inline const char *const kNoTlsServer =
    "[ SKIPPED  ] under Wine, whose Schannel loads no server key\n";

} // namespace testwine
