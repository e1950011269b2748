// ocai-cli decrypt / encrypt: the letter envelope of result files, with the program's key.
#include "core/text_codec.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"
#include "tools/cli_common.h"
#include "tools/cli_group_args.h"
#include "tools/cli_io.h"

#include <QDir>
#include <QStringDecoder>

namespace cli {
namespace {

// The most plain bytes a result file can carry: two letters each within the reader's limit.
constexpr int kMaxPlainBytes = survey::kMaxCipherTextLength / 2;

QString native(const QString &path)
{
    return path == QLatin1String("-") ? QStringLiteral("<stdin>") : QDir::toNativeSeparators(path);
}

// Every line break (CR, LF or CR LF) becomes CR LF, as in a result file's text.
QByteArray withCrLf(QByteArray bytes)
{
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    bytes.replace("\n", "\r\n");
    return bytes;
}

// UTF-8 (or, with `raw`, Windows-1251) input to the Windows-1251 bytes of a result text.
std::optional<QByteArray> plainBytes(const QByteArray &input, bool raw, const QString &name,
                                     QString *error)
{
    if (raw)
        return input;
    // Stateless: a sequence cut short at the end is an error, not a rest kept for more input.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(input);
    if (decoder.hasError()) {
        *error = QStringLiteral("%1 — не текст UTF-8 (байты Windows-1251 читает --raw)").arg(name);
        return std::nullopt;
    }
    for (const QChar ch : text) {
        if (!textcodec::isWindows1251(QString(ch))) {
            const QString code = QStringLiteral("%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
            *error = QStringLiteral("%1: у символа U+%2 нет кода в Windows-1251")
                         .arg(name, code.toUpper());
            return std::nullopt;
        }
    }
    return textcodec::toWindows1251(text);
}

} // namespace

int runDecrypt(const ParsedArgs &args)
{
    const bool raw = args.isSet("raw");
    const QString path = args.operands[0];
    const auto cipher = survey::readResultFile(path);
    if (const auto *error = std::get_if<survey::LoadError>(&cipher))
        return dataError(groupErrorText({path, error->message, error->line, error->reason}));
    const QByteArray plain = survey::Pc1Decrypt(survey::programKey(), std::get<QByteArray>(cipher));
    if (!writeStdout(raw ? plain : textcodec::fromWindows1251(plain).toUtf8()))
        return dataError(QStringLiteral("не удаётся вывести результат"));
    return kExitOk;
}

int runEncrypt(const ParsedArgs &args)
{
    const bool raw = args.isSet("raw");
    const QString inPath = args.operands.value(0, QStringLiteral("-"));
    const QString outPath = args.value("out");
    const QString name = native(inPath);

    // A Windows-1251 character takes at most 3 bytes of UTF-8 and at least one plain byte,
    // so a longer input cannot fit a result file and reading stops there.
    bool tooLong = false;
    const auto input = readInput(inPath, 3 * qint64(kMaxPlainBytes), &tooLong);
    if (!input)
        return dataError(QStringLiteral("Не удаётся открыть файл %1").arg(name));
    const QString tooLongMessage =
        QStringLiteral("%1 слишком длинный: файл результатов вмещает не больше %2 байт")
            .arg(name, QString::number(kMaxPlainBytes));
    if (tooLong)
        return dataError(tooLongMessage);
    QString error;
    const auto converted = plainBytes(*input, raw, name, &error);
    if (!converted)
        return dataError(error);
    const QByteArray plain = withCrLf(*converted);
    if (plain.contains('\0'))
        return dataError(
            QStringLiteral("в %1 есть нулевой байт, который оборвал бы текст").arg(name));
    if (plain.size() > kMaxPlainBytes)
        return dataError(tooLongMessage);

    const QByteArray letters = survey::Pc1Encrypt(survey::programKey(), plain);
    if (outPath.isEmpty()) {
        if (!writeStdout(letters))
            return dataError(QStringLiteral("не удаётся вывести результат"));
        return kExitOk;
    }
    if (const auto error = writeOutputFile(outPath, letters))
        return dataError(*error);
    return kExitOk;
}

} // namespace cli
