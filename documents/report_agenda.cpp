#include "documents/report_agenda.h"

#include "documents/change_agenda.h"
#include "documents/report_claims.h"
#include "documents/report_texts.h"
#include "documents/report_typeset.h"
#include "documents/statistics_report.h"
#include "survey/resource.h"

#include <QPainter>
#include <cmath>

namespace report {

namespace {

// The description's text after its first line, the type's name.
QString description(int type)
{
    return survey::typeDescription(type + 1).section(QStringLiteral("\r\n"), 1).simplified();
}

QString shortName(int type)
{
    return survey::TypeShortNames[std::size_t(type)].toLower();
}

QString shortNames(const std::vector<int> &types)
{
    QStringList names;
    for (int type : types)
        names << shortName(type);
    if (names.size() == 1)
        return names.front();
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last +
           QStringLiteral(" поровну");
}

QString withPoints(const QString &figure)
{
    return figure + QChar(0x00A0) + pointsWord(figure);
}

// A form to write on: two columns under their heads, ruled for handwriting. Drawn, not
// typeset, so that its rules print on every printer and it never breaks across pages.
// The title is drawn with it, so that the two never part at a page's end.
Picture workshopForm(const QString &title)
{
    constexpr double kWidth = 1700, kTitle = 70, kHead = 70, kLine = 80, kLines = 4; // 0.1 mm
    const QSizeF size(kWidth, kTitle + kHead + kLine * kLines + 4);
    const auto paint = [=](QPainter &painter) {
        QFont titleFont = reportFont(10, true);
        titleFont.setPixelSize(35); // 10 pt in tenths of a millimetre
        painter.setFont(titleFont);
        painter.drawText(QRectF(0, 0, kWidth, kTitle - 12), Qt::AlignBottom | Qt::AlignLeft, title);
        painter.translate(0, kTitle);
        QFont font = reportFont(9, true);
        font.setPixelSize(32); // 9 pt in tenths of a millimetre
        painter.setFont(font);
        painter.fillRect(QRectF(0, 0, kWidth, kHead), QColor(232, 232, 232));
        const QStringList heads{QStringLiteral("Что это значит для нас"),
                                QStringLiteral("Чего это не значит")};
        for (int column = 0; column < 2; ++column)
            painter.drawText(QRectF(column * kWidth / 2 + 25, 0, kWidth / 2 - 50, kHead),
                             Qt::AlignVCenter | Qt::AlignLeft, heads[column]);
        painter.setPen(QPen(QColor(110, 110, 110), 3));
        const double bottom = kHead + kLine * kLines;
        painter.drawRect(QRectF(1.5, 1.5, kWidth - 3, bottom));
        painter.drawLine(QPointF(kWidth / 2, 0), QPointF(kWidth / 2, bottom));
        painter.drawLine(QPointF(0, kHead), QPointF(kWidth, kHead));
        painter.setPen(QPen(QColor(170, 170, 170), 2, Qt::DotLine));
        for (int line = 1; line < kLines; ++line)
            painter.drawLine(QPointF(25, kHead + kLine * line),
                             QPointF(kWidth - 25, kHead + kLine * line));
    };
    return {size, 170, paint};
}

} // namespace

void addChangeAgenda(Document &d, const survey::GroupStatistics &s,
                     const std::vector<survey::ProfileScores> &respondents)
{
    const auto agenda = documents::changeAgenda(s, respondents);
    d.heading(QStringLiteral("Программа изменений"));
    d.paragraph(QStringLiteral("Для каждого типа культуры — что с ним делать: «Больше» или "
                               "«Меньше», если желаемый балл отличается от нынешнего на %1 "
                               "баллов и больше, иначе «Сохранить». Рядом — сколько респондентов "
                               "сами хотят заметно (на %1 баллов и больше) усилить этот тип и "
                               "сколько — ослабить.")
                    .arg(documents::kNotableChange));
    Table table{{QStringLiteral("Тип культуры"), QStringLiteral("Решение"),
                 documents::stateCaption(0), documents::stateCaption(1),
                 QStringLiteral("Изменение"), QStringLiteral("Хотят больше"),
                 QStringLiteral("Хотят меньше")},
                {},
                {4.4, 1.9, 1.8, 1.9, 1.9, 1.7, 1.7},
                2};
    for (const documents::TypeAgenda &type : agenda) {
        const survey::TypeStatistics &t = s.types[std::size_t(type.type)];
        table.rows << QStringList{typeRowHeading(type.type),
                                  documents::directionLabel(type.direction),
                                  number(t.current.mean),
                                  number(t.preferred.mean),
                                  signedNumber(t.discrepancy),
                                  s.n > 1 ? QString::number(type.wantMore) : QStringLiteral("—"),
                                  s.n > 1 ? QString::number(type.wantLess) : QStringLiteral("—")};
    }
    d.table(table);
    d.note(QStringLiteral("Баллы — средние по шести вопросам, в сумме 100 в каждом состоянии. "
                          "Изменение — желаемое минус нынешнее. Решение следует правилу 10 баллов; "
                          "надёжны ли главные изменения при таком разбросе ответов, сказано на "
                          "первой странице."));
    for (const documents::TypeAgenda &type : agenda)
        d.term(QStringLiteral("%1 — %2.")
                   .arg(survey::TypeNames[std::size_t(type.type)],
                        documents::directionLabel(type.direction).toLower()),
               description(type.type));
}

void addWorkshopTables(Document &d, const survey::GroupStatistics &s)
{
    d.pageBreak();
    d.heading(QStringLiteral("Для обсуждения"));
    d.paragraph(QStringLiteral("Таблицы заполняются от руки на встрече с руководителями и "
                               "сотрудниками: что изменение типа значит для нашей организации на "
                               "деле — и чего оно не значит, чтобы его не поняли превратно."));
    const auto agenda = documents::changeAgenda(s, {});
    for (const documents::TypeAgenda &type : agenda) {
        const survey::TypeStatistics &t = s.types[std::size_t(type.type)];
        d.pictures({workshopForm(QStringLiteral("%1 — %2 (%3)")
                                     .arg(survey::TypeNames[std::size_t(type.type)],
                                          documents::directionLabel(type.direction).toLower(),
                                          withPoints(wholePoints(t.discrepancy, true))))});
    }
}

void addQuestionsInWords(Document &d, const survey::AnswerTable &means)
{
    d.heading(QStringLiteral("Шесть вопросов анкеты"));
    d.paragraph(QStringLiteral("По средним ответам группы на каждый вопрос: какой тип "
                               "преобладает сейчас и какой желателен, и где желаемое дальше всего "
                               "от нынешнего."));
    for (int q = 0; q < survey::kQuestionCount; ++q) {
        const survey::AnswerRow &now = means[std::size_t(q)];
        const survey::AnswerRow &wished = means[std::size_t(q + survey::kQuestionCount)];
        std::array<double, survey::kTypeCount> current{}, preferred{};
        int largest = 0;
        for (int type = 0; type < survey::kTypeCount; ++type) {
            current[std::size_t(type)] = now[std::size_t(type)];
            preferred[std::size_t(type)] = wished[std::size_t(type)];
            if (std::fabs(wished[std::size_t(type)] - now[std::size_t(type)]) >
                std::fabs(wished[std::size_t(largest)] - now[std::size_t(largest)]))
                largest = type;
        }
        const survey::Mean gap(wished[std::size_t(largest)] - now[std::size_t(largest)]);
        const QString figure = wholePoints(gap, true);
        const QString change = figure == QStringLiteral("0")
                                   ? QStringLiteral("желаемое почти не отличается от нынешнего")
                                   : QStringLiteral("больше всего меняется %1, %2")
                                         .arg(shortName(largest), withPoints(figure));
        const QString title =
            survey::QuestionTitles[std::size_t(q)].section(QStringLiteral(". "), 1);
        d.term(title + QLatin1Char(':'),
               QStringLiteral("сейчас %1, желательно — %2; %3.")
                   .arg(shortNames(survey::dominantTypes(current)),
                        shortNames(survey::dominantTypes(preferred)), change));
    }
}

} // namespace report
