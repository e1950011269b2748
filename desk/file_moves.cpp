#include "desk/file_moves.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {

SeenFile seenFile(const Respondent &respondent)
{
    return {respondent.path, respondent.size, respondent.modified};
}

std::variant<QString, MoveError> moveSeenFile(const SeenFile &file, bool exclude)
{
    const QFileInfo info(file.path);
    // A file gone is said so by the move itself.
    if (info.exists() && (info.size() != file.size || info.lastModified() != file.modified))
        return MoveError{QStringLiteral("Файл «%1» изменился после того, как список был "
                                        "загружен (его переписали или на его место пришёл "
                                        "другой), и не перемещён: выберите его снова.")
                             .arg(QDir::toNativeSeparators(file.path))};
    return exclude ? excludeFile(file.path) : returnFile(file.path);
}

FileMover::FileMover(QObject *parent) : QObject(parent)
{
    connect(&m_future, &QFutureWatcher<MoveReport>::finished, this, [this] {
        m_busy = false;
        emit finished(m_future.result());
    });
}

FileMover::~FileMover()
{
    m_future.waitForFinished();
}

bool FileMover::move(const QList<SeenFile> &files, bool exclude)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_future.setFuture(QtConcurrent::run([files, exclude] {
        MoveReport report;
        report.exclude = exclude;
        for (const SeenFile &file : files) {
            const auto done = moveSeenFile(file, exclude);
            if (const auto *error = std::get_if<MoveError>(&done)) {
                report.problems << error->message;
                continue;
            }
            ++report.moved;
            report.folders << QFileInfo(file.path).absolutePath()
                           << QFileInfo(std::get<QString>(done)).absolutePath();
        }
        report.folders.removeDuplicates();
        return report;
    }));
    return true;
}

} // namespace desk
