#pragma once

#include "core/text_codec.h"
#include "survey/unit_pc1.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Folders of result files made from the samples, as the questionnaire program writes them.
namespace benchfiles {

using survey::programKey;

// A sample's text as a result file holds it before encryption: CR LF, Windows-1251. Empty
// when the sample cannot be read.
inline QByteArray samplePlain(const QString &name = QStringLiteral("Ivanova01OCAI.txt"))
{
    QFile file(QStringLiteral(OCAI_SAMPLES_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray text = file.readAll();
    text.replace("\r\n", "\n").replace("\n", "\r\n");
    return textcodec::toWindows1251(QString::fromUtf8(text));
}

// Every sample result, encrypted, in name order; the unreadable left out.
inline QList<QByteArray> sampleCiphers()
{
    QList<QByteArray> ciphers;
    const QStringList names = QDir(QStringLiteral(OCAI_SAMPLES_DIR))
                                  .entryList({QStringLiteral("*OCAI.txt")}, QDir::Files);
    for (const QString &name : names)
        if (const QByteArray plain = samplePlain(name); !plain.isEmpty())
            ciphers << survey::Pc1Encrypt(programKey(), plain);
    return ciphers;
}

// Writes `files` result files "r00000OCAI.cry", ... into `folder`, made if missing, cycling
// through `ciphers` from `offset`. False if there is nothing to write or a write fails.
inline bool writeResultFolder(const QString &folder, int files, const QList<QByteArray> &ciphers,
                              int offset = 0)
{
    if (ciphers.isEmpty() || !QDir().mkpath(folder))
        return false;
    for (int i = 0; i < files; ++i) {
        QFile file(folder + QStringLiteral("/r%1OCAI.cry").arg(i, 5, 10, QLatin1Char('0')));
        const QByteArray &cipher = ciphers[(i + offset) % ciphers.size()];
        if (!file.open(QIODevice::WriteOnly) || file.write(cipher) != cipher.size())
            return false;
    }
    return true;
}

// A folder of 10 000 sample results, the size of the speed goals, written on first use and
// kept for every repetition; empty when it cannot be written.
inline QString largeSampleFolder()
{
    static QTemporaryDir dir;
    static const bool written = writeResultFolder(dir.path(), 10000, sampleCiphers());
    return written ? dir.path() : QString();
}

} // namespace benchfiles
