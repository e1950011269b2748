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

// After a collection the desk's process does not end under Wine: every thread of its own has
// ended, and the main thread waits for ever in libstdc++-6.dll's DLL_PROCESS_DETACH (a
// WaitForMultipleObjects in libwinpthread), after Qt6Core.dll has been detached.
inline const char *const kDeskExitHang =
    "[ SKIPPED  ] under Wine the process then never ends: its main thread waits in "
    "libstdc++'s DLL detach\n";

} // namespace testwine
