#include "xlsx_workbook.h"

#include "sheet_names.h"
#include "xlsx_profile.h"
#include "xlsx_respondents.h"
#include "xlsx_sheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace cli {

std::variant<QByteArray, QString> workbookBytes(const std::vector<ExportGroup> &groups)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("cannot make a temporary folder: %1").arg(folder.errorString());
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
    const lxw_error closed = workbook_close(workbook);
    if (!status.ok())
        return status.message();
    if (closed != LXW_NO_ERROR)
        return QStringLiteral("cannot write the workbook: %1")
            .arg(QString::fromUtf8(lxw_strerror(closed)));
    QFile written(QString::fromLocal8Bit(file));
    if (!written.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read the workbook back: %1").arg(written.errorString());
    return written.readAll();
}

} // namespace cli
