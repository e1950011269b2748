#include "documents/xlsx_workbook.h"

#include "documents/muted_stderr.h"
#include "documents/sheet_names.h"
#include "documents/xlsx_profile.h"
#include "documents/xlsx_respondents.h"
#include "documents/xlsx_sheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <xlsxwriter.h>

namespace documents {
namespace {

// A write that failed for want of room: a full disk, a used-up quota or a size limit.
bool meansFull(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC || error == EFBIG;
}

} // namespace

std::variant<QByteArray, QString> workbookBytes(const std::vector<ExportGroup> &groups)
{
    // Every file the library writes goes into this folder (TMPDIR's), so that each of its
    // failures is one of that folder: named in one line, the library's own lines muted.
    const QString tempRoot = QDir::toNativeSeparators(QDir::tempPath());
    QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("cannot make a folder in the temporary folder %1: %2")
            .arg(tempRoot, folder.errorString());
    const MutedStderr muted;
    const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("export.xlsx")));
    const QByteArray tmpdir = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    // Rows go straight to disk as they are written: a large group needs little memory.
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return QStringLiteral("cannot start the workbook");
    SheetStatus status;
    const Formats formats = addFormats(workbook);
    writeRespondentSheets(workbook, formats, groups, status);
    QStringList taken{kRespondentsSheet, kAnswersSheet};
    for (const ExportGroup &group : groups)
        writeProfileSheet(workbook, formats, group,
                          uniqueSheetName(group.name, taken, QStringLiteral("Профиль")), status);
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int systemError = errno; // the library keeps the failed call's reason there
    if (!status.ok() || closed != LXW_NO_ERROR) {
        if (meansFull(systemError))
            return QStringLiteral("the temporary folder %1 is full (%2); free some space there "
                                  "or name another folder in TMPDIR")
                .arg(tempRoot, qt_error_string(systemError));
        if (!status.ok())
            return status.message();
        return QStringLiteral("cannot write the workbook in the temporary folder %1: %2")
            .arg(tempRoot, QString::fromUtf8(lxw_strerror(closed)));
    }
    QFile written(QString::fromLocal8Bit(file));
    if (!written.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read the workbook back: %1").arg(written.errorString());
    return written.readAll();
}

} // namespace documents
