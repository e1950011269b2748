#include "survey/result_writer.h"

#include "core/new_file.h"

#include <QDir>
#include <QFileInfo>

namespace survey {
namespace {

// Enough copies for any survey; past it something else is wrong with the folder.
constexpr int kMaxCopies = 9999;

} // namespace

QString resultFileName(const QString &code, int copy)
{
    const QString stem = copy <= 1 ? code : QStringLiteral("%1-%2").arg(code).arg(copy);
    return stem + QStringLiteral("OCAI.cry");
}

int freeResultCopy(const QString &folder, const QString &code)
{
    const QDir dir(folder);
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const QFileInfo info(dir.filePath(resultFileName(code, copy)));
        if (!info.exists() && !info.isSymLink())
            return copy;
    }
    return 0;
}

std::variant<QString, ResultWriteError> writeResultFile(const QString &folder, const QString &code,
                                                        const QByteArray &content,
                                                        const std::function<void()> &beforeNaming)
{
    const QString shownFolder = QDir::toNativeSeparators(folder);
    // Only the folder itself is made: a missing folder above it is a mistyped path or a drive
    // taken away, never to be built silently.
    if (folder.isEmpty() || (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)))
        return ResultWriteError{
            QStringLiteral("Не удалось создать папку «%1» для результатов.").arg(shownFolder)};
    const auto written = safewrite::writeNewFile(
        folder, [&code](int copy) { return resultFileName(code, copy); }, kMaxCopies, content,
        beforeNaming);
    if (const auto *path = std::get_if<QString>(&written))
        return *path;
    const auto &failure = std::get<safewrite::NewFileFailure>(written);
    const QString shownPath = QDir::toNativeSeparators(failure.path);
    switch (failure.kind) {
    case safewrite::NewFileFailure::Temporary:
        return ResultWriteError{QStringLiteral("Не удалось записать результат в папку «%1»: %2.")
                                    .arg(shownFolder, failure.reason)};
    case safewrite::NewFileFailure::Name:
        return ResultWriteError{
            QStringLiteral("Не удалось создать файл «%1»: %2.").arg(shownPath, failure.reason)};
    case safewrite::NewFileFailure::AllTaken:
        break;
    }
    return ResultWriteError{QStringLiteral("В папке «%1» уже %2 файлов с кодом «%3».")
                                .arg(shownFolder)
                                .arg(kMaxCopies)
                                .arg(code)};
}

} // namespace survey
