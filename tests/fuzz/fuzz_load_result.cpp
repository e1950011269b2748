// Bytes as a result file through the whole load path: read from disk, decrypt, split into
// lines, convert the answer fields, compute the profile and format the scores. Each input is
// tried twice: as the file itself, and as the plain text of a file (line breaks made CR LF,
// encrypted with the program's key), so that mutations reach the line parser as well.
#include "core/number_format.h"
#include "fuzz_check.h"
#include "survey/profile_model.h"
#include "survey/result_file.h"
#include "survey/unit_pc1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

using namespace survey;

namespace {

QByteArray withCrLf(QByteArray bytes)
{
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    return bytes.replace("\n", "\r\n");
}

// The loader's promise about the text it hands to decryption.
void checkFileText(const QByteArray &text)
{
    FUZZ_CHECK(text.size() <= kMaxCipherTextLength);
    FUZZ_CHECK(!text.contains('\0'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] == '\n')
            FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
    }
}

void checkParsed(const ResultText &lines, const std::variant<IndividualResult, LoadError> &parsed)
{
    if (const auto *error = std::get_if<LoadError>(&parsed)) {
        // The first field that fails names its answer line.
        FUZZ_CHECK(!error->message.isEmpty());
        FUZZ_CHECK(error->line > kFirstAnswerLine && error->line <= kFirstAnswerLine + kAnswerRows);
        return;
    }
    const auto &result = std::get<IndividualResult>(parsed);
    FUZZ_CHECK(result.code == lines.lineText(1));
    // Every score must read back from its field, as the profile diagram reads it.
    const ProfileScores scores = profileFromAnswers(result.answers);
    for (const double score : scores) {
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
            const QString field = scoreFieldText(score, separator);
            const auto back = numfmt::parseFloat(field, separator);
            FUZZ_CHECK(back.has_value());
            FUZZ_CHECK(scoreFieldText(*back, separator) == field);
        }
    }
}

void loadOnce(const QString &path, const QByteArray &fileBytes, const QByteArray &key)
{
    // A new file each time: truncating a written file makes some file systems flush it.
    QFile::remove(path);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    FUZZ_CHECK(file.write(fileBytes) == fileBytes.size());
    file.close();

    const auto text = readResultFile(path);
    if (const auto *error = std::get_if<LoadError>(&text)) {
        FUZZ_CHECK(error->message.contains(QDir::toNativeSeparators(path)));
        return;
    }
    checkFileText(std::get<QByteArray>(text));
    const QByteArray plain = Pc1Decrypt(key, std::get<QByteArray>(text));
    FUZZ_CHECK(!plain.contains('\0'));
    const ResultText lines(plain);
    for (int n = 0; n < lines.lineCount(); ++n)
        FUZZ_CHECK(!lines.line(n).contains("\r\n"));
    FUZZ_CHECK(lines.line(lines.lineCount()).isEmpty());
    const auto parsed = parseIndividualResult(lines);
    checkParsed(lines, parsed);
    // The one load of the program comes to the same end from the file alone.
    const auto loaded = loadIndividualResult(path, key);
    FUZZ_CHECK(loaded.index() == parsed.index());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.cry"));
    static const QByteArray key = programKey();
    FUZZ_CHECK(dir.isValid());
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    loadOnce(path, bytes, key);
    loadOnce(path, Pc1Encrypt(key, withCrLf(bytes)), key);
    return 0;
}
