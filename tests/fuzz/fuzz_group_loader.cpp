// A group folder with two good result files and up to four files made from the input. The
// input is cut at each kSeparator byte; every piece is a file: its first byte picks the name
// (most names match "*OCAI.cry" in some letter case, two do not) and whether the rest is the
// file itself or a plain text to encrypt first (line breaks made CR LF), so that mutations
// reach the line parser too. A later piece of the same name replaces the earlier one.
//
// loadGroup either fails on a fuzzed file that fails alone too, or takes every matching file
// and averages exactly.
#include "../result_files.h"
#include "fuzz_check.h"
#include "survey/group_result.h"
#include "survey/result_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <set>

using namespace survey;

namespace {

constexpr char kSeparator = '\x1e';
constexpr int kMaxFuzzedFiles = 4;
constexpr std::uint8_t kPlainTextFlag = 0x08;

struct FuzzedName {
    const char *name;
    bool matches;
};

const FuzzedName kNames[] = {
    {"aOCAI.cry", true},      {"bocai.cry", true},    {"COCAI.CRY", true},
    {"OCAI.cry", true},       {".dOcAi.CrY", true},   {"Группа 1 OCAI.cry", true},
    {"eOCAI.cry.txt", false}, {"._fOCAI.cry", false},
};

const char *const kGoodNames[] = {"good1OCAI.cry", "good2OCAI.cry"};
const char *const kGoodSamples[] = {"Ivanova01OCAI.txt", "Petrov02OCAI.txt"};

QByteArray readSample(const char *name)
{
    QFile file(QDir(QStringLiteral(OCAI_SAMPLES_DIR)).filePath(QLatin1String(name)));
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return testfiles::encrypt(QString::fromUtf8(file.readAll()));
}

// The folder, made once per process: the good files stay, the fuzzed ones are replaced on
// every run.
const QTemporaryDir &groupFolder()
{
    static const QTemporaryDir dir;
    static const bool filled = [] {
        FUZZ_CHECK(dir.isValid());
        for (std::size_t i = 0; i < std::size(kGoodNames); ++i)
            FUZZ_CHECK(testfiles::writeFile(dir.filePath(QLatin1String(kGoodNames[i])),
                                            readSample(kGoodSamples[i])));
        return true;
    }();
    FUZZ_CHECK(filled);
    return dir;
}

QByteArray fileBytes(std::uint8_t control, const QByteArray &content)
{
    if (!(control & kPlainTextFlag))
        return content;
    QByteArray plain = content;
    plain.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    return Pc1Encrypt(programKey(), plain);
}

// A file read as the group load reads each one: its answer table or its error.
std::variant<AnswerTable, LoadError> loadAlone(const QString &path)
{
    const auto cipher = readResultFile(path);
    if (const auto *error = std::get_if<LoadError>(&cipher))
        return *error;
    return parseAnswerTable(ResultText(Pc1Decrypt(programKey(), std::get<QByteArray>(cipher))));
}

void checkFailure(const GroupError &error, const QString &folder,
                  const std::set<QString> &fuzzedMatching)
{
    FUZZ_CHECK(!error.message.isEmpty());
    FUZZ_CHECK(QFileInfo(error.path).absolutePath() == QFileInfo(folder).absoluteFilePath());
    // Only a fuzzed file can fail, and only one that fails on its own as well.
    FUZZ_CHECK(fuzzedMatching.count(QFileInfo(error.path).fileName()) == 1);
    const auto alone = loadAlone(error.path);
    const auto *aloneError = std::get_if<LoadError>(&alone);
    FUZZ_CHECK(aloneError && aloneError->message == error.message &&
               aloneError->line == error.line);
}

void checkSuccess(const GroupResult &group, const QString &folder,
                  const std::set<QString> &fuzzedMatching)
{
    const int expectedN = int(std::size(kGoodNames) + fuzzedMatching.size());
    FUZZ_CHECK(group.n == expectedN);
    FUZZ_CHECK(group.files.size() == expectedN);
    FUZZ_CHECK(int(group.respondents.size()) == expectedN);

    std::set<QString> taken(fuzzedMatching);
    for (const char *good : kGoodNames)
        taken.insert(QLatin1String(good));
    for (const QString &path : group.files)
        FUZZ_CHECK(taken.erase(QFileInfo(path).fileName()) == 1);

    // Whole-number cells: the sums are exact in any order, the means one division each.
    AnswerTable sums{};
    for (int f = 0; f < expectedN; ++f) {
        const QString &path = group.files[f];
        FUZZ_CHECK(QFileInfo(path).absolutePath() == QFileInfo(folder).absoluteFilePath());
        const auto alone = loadAlone(path);
        FUZZ_CHECK(std::holds_alternative<AnswerTable>(alone));
        const AnswerTable &answers = std::get<AnswerTable>(alone);
        FUZZ_CHECK(group.respondents[std::size_t(f)] == profileFromAnswers(answers));
        for (int r = 0; r < kAnswerRows; ++r)
            for (int c = 0; c < kAnswerColumns; ++c)
                sums[std::size_t(r)][std::size_t(c)] += answers[std::size_t(r)][std::size_t(c)];
    }
    for (int r = 0; r < kAnswerRows; ++r) {
        for (int c = 0; c < kAnswerColumns; ++c) {
            const double mean = group.means[std::size_t(r)][std::size_t(c)];
            FUZZ_CHECK(std::isfinite(mean));
            FUZZ_CHECK(mean == sums[std::size_t(r)][std::size_t(c)] / expectedN);
        }
    }
    const ProfileScores expected = profileFromAnswers(group.means);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        FUZZ_CHECK(std::isfinite(group.scores[k]));
        FUZZ_CHECK(std::fabs(group.scores[k] - expected[k]) <=
                   1e-9 * std::max(1.0, std::fabs(expected[k])));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QTemporaryDir &dir = groupFolder();
    const QString folder = dir.path();
    for (const FuzzedName &entry : kNames)
        QFile::remove(dir.filePath(QString::fromUtf8(entry.name)));

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    std::set<QString> fuzzedMatching; // the matching names written
    const QList<QByteArray> pieces = bytes.split(kSeparator);
    for (int i = 0; i < pieces.size() && i < kMaxFuzzedFiles; ++i) {
        if (pieces[i].isEmpty())
            continue;
        const auto control = std::uint8_t(pieces[i][0]);
        const FuzzedName &entry = kNames[control % std::size(kNames)];
        const QString name = QString::fromUtf8(entry.name);
        const QString path = dir.filePath(name);
        QFile::remove(path); // a new file: truncating one makes some file systems flush it
        FUZZ_CHECK(testfiles::writeFile(path, fileBytes(control, pieces[i].mid(1))));
        if (entry.matches)
            fuzzedMatching.insert(name);
    }

    const auto loaded = loadGroup(folder, programKey());
    if (const auto *error = std::get_if<GroupError>(&loaded))
        checkFailure(*error, folder, fuzzedMatching);
    else
        checkSuccess(std::get<GroupResult>(loaded), folder, fuzzedMatching);
    return 0;
}
