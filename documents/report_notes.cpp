#include "documents/report_notes.h"

#include <QLocale>

namespace report {
namespace {

// "1 файл", "2 файла", "5 файлов".
QString files(std::size_t n)
{
    const std::size_t tens = n % 100, ones = n % 10;
    const char *word = (tens >= 11 && tens <= 14) ? "файлов"
                       : ones == 1                ? "файл"
                       : (ones >= 2 && ones <= 4) ? "файла"
                                                  : "файлов";
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}

} // namespace

FileNotes fileNotes(const documents::ExportGroup &group)
{
    return {group.leftOut, group.warned};
}

QString fileNotesLine(const FileNotes &notes)
{
    QStringList parts;
    if (!notes.leftOut.empty())
        parts << QStringLiteral("не читаются и не вошли в расчёт: %1")
                     .arg(files(notes.leftOut.size()));
    if (!notes.warned.empty())
        parts << QStringLiteral("учтены с предупреждениями: %1").arg(files(notes.warned.size()));
    if (parts.isEmpty())
        return QString();
    QString line = parts.join(QStringLiteral("; "));
    line[0] = line[0].toUpper();
    return line + QStringLiteral(". Какие и почему — в конце отчёта.");
}

QString fileNotesText(const FileNotes &notes)
{
    QStringList lines;
    const std::pair<QString, const std::vector<documents::FileNote> *> lists[] = {
        {QStringLiteral("Не вошли в расчёт (не читаются):"), &notes.leftOut},
        {QStringLiteral("Учтены с предупреждениями:"), &notes.warned}};
    for (const auto &[heading, list] : lists) {
        if (list->empty())
            continue;
        lines << heading;
        for (const documents::FileNote &note : *list)
            lines << QStringLiteral("    %1 — %2").arg(note.file, note.reason);
    }
    return lines.join(QLatin1Char('\n'));
}

void addFileNotes(Document &d, const QList<QPair<QString, FileNotes>> &notes)
{
    Table leftOut{{QStringLiteral("Файл"), QStringLiteral("Почему не учтён")}, {}, {1, 2}, 2};
    Table warned{{QStringLiteral("Файл"), QStringLiteral("Предупреждение")}, {}, {1, 2}, 2};
    for (const auto &[prefix, list] : notes) {
        for (const documents::FileNote &note : list.leftOut)
            leftOut.rows << QStringList{prefix + note.file, note.reason};
        for (const documents::FileNote &note : list.warned)
            warned.rows << QStringList{prefix + note.file, note.reason};
    }
    if (leftOut.rows.isEmpty() && warned.rows.isEmpty())
        return;
    // A page of its own: the lists are looked up, and a row split at a page's foot reads badly.
    // Each heading stands right above its table, which the typesetter keeps together.
    d.pageBreak();
    if (!leftOut.rows.isEmpty()) {
        d.heading(QStringLiteral("Файлы, не вошедшие в расчёт"));
        d.table(leftOut);
        d.note(QStringLiteral("Эти файлы не читаются: ни одна цифра отчёта их не учитывает."));
    }
    if (!warned.rows.isEmpty()) {
        d.heading(QStringLiteral("Файлы, учтённые с предупреждениями"));
        d.table(warned);
        d.note(QStringLiteral("Эти файлы учтены, но заполнены не так, как требует бланк: стоит "
                              "проверить их ответы."));
    }
}

} // namespace report
