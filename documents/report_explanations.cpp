#include "documents/report_explanations.h"

#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "documents/typography.h"
#include "survey/resource.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace report {

namespace {

const QString kMethodHeading = QStringLiteral("Как считались показатели");

// A description's sentences after its first line, the type's name.
QStringList sentences(int type)
{
    const QString text = survey::typeDescription(type + 1).section(QStringLiteral("\r\n"), 1);
    return text.split(QRegularExpression(QStringLiteral("(?<=[.!?])\\s+")), Qt::SkipEmptyParts);
}

// What the type is like, in its description's first two sentences, and what counts as
// success there.
QString gist(int type)
{
    const QStringList all = sentences(type);
    QStringList chosen = all.mid(0, 2);
    for (const QString &sentence : all.mid(2))
        if (sentence.startsWith(QStringLiteral("Успех"))) {
            chosen << sentence;
            break;
        }
    return chosen.join(QLatin1Char(' '));
}

QString scoresExplained(survey::MeanKind kind)
{
    const QString profile =
        kind == survey::MeanKind::Geometric
            ? QStringLiteral("Профиль группы — композиционное среднее: по каждому типу среднее "
                             "геометрическое баллов респондентов (балл 0 считается за 0,5), "
                             "затем четыре балла каждого состояния приведены к сумме 100.")
            : QStringLiteral("Профиль группы — среднее арифметическое баллов респондентов.");
    return QStringLiteral("В каждом из шести вопросов анкеты респондент распределяет 100 баллов "
                          "между четырьмя описаниями — отдельно для нынешнего и для желаемого "
                          "состояния. Балл типа культуры — среднее по шести вопросам. ") +
           profile;
}

QString seedExplained(std::uint64_t seed)
{
    return QStringLiteral("Случайные выборки задаёт генератор случайных чисел с начальным "
                          "значением («зерном») %1: с тем же зерном расчёт повторяется в "
                          "точности.")
        .arg(seed);
}

// "10 000": a count as Russian text writes it.
QString count(std::uint64_t n)
{
    return QLocale(QLocale::Russian, QLocale::Russia).toString(qulonglong(n));
}

} // namespace

void addMethodInBrief(Document &d)
{
    d.heading(QStringLiteral("Как читать отчёт"));
    d.paragraph(QStringLiteral(
        "Методика OCAI описывает культуру организации как сочетание четырёх типов. Они "
        "различаются по двум осям: гибкость или стабильность и контроль, внимание внутрь "
        "организации или вовне. Клановая культура (A) — гибкость и внимание к своим: "
        "сплочённость, забота, участие. Адхократическая (B) — гибкость и взгляд вовне: "
        "новшества, риск, рост. Рыночная (C) — стабильность и взгляд вовне: результат, "
        "конкуренция, цели. Иерархическая (D) — стабильность и внимание к своим: порядок, "
        "правила, предсказуемость."));
    d.paragraph(QStringLiteral(
        "Каждый респондент дважды распределил по 100 баллов между четырьмя типами: какова "
        "организация сейчас и какой он хотел бы её видеть. Баллы группы — средние. Разница "
        "желаемого и нынешнего в 10 баллов и больше — повод что-то менять; меньшие сдвиги "
        "обычно не требуют действий."));
}

void addTypeMeanings(Document &d)
{
    d.heading(QStringLiteral("Что означают типы культуры"));
    d.paragraph(QStringLiteral("Методика OCAI описывает культуру организации как сочетание "
                               "четырёх типов. Чем выше балл типа, тем больше организация на "
                               "него похожа; баллы четырёх типов в сумме дают 100. Ни один тип "
                               "не хорош и не плох сам по себе: важно, как сочетаются типы "
                               "сейчас и куда сотрудники хотели бы двигаться."));
    for (int type = 0; type < survey::kTypeCount; ++type)
        // The label the tables and diagrams use, tied to the type's full name.
        d.term(documents::typeLabel(type) + QStringLiteral(" — ") +
                   survey::TypeNames[std::size_t(type)].toLower() + QLatin1Char('.'),
               gist(type));
}

QString spreadNote(bool dots)
{
    return (dots ? QStringLiteral("Точка — один респондент. ") : QString()) +
           QStringLiteral("Прямоугольник охватывает средние 50 % оценок, черта в нём — медиана "
                          "(половина респондентов оценила тип ниже, половина выше), усы тянутся "
                          "от самой низкой оценки до самой высокой.");
}

void addProfileMethod(Document &d, const survey::GroupStatistics &s)
{
    d.heading(kMethodHeading);
    d.note(scoresExplained(s.kind));
    d.note(QStringLiteral("95 % интервал среднего найден бутстрепом: из респондентов группы %1 "
                          "раз случайно, с повторениями, набиралась новая группа того же "
                          "размера и считалось её среднее; интервал охватывает средние 95 % "
                          "таких наборов, без 2,5 % самых низких и 2,5 % самых высоких. ")
               .arg(count(s.resamples)) +
           seedExplained(s.seed));
}

void addComparisonMethod(Document &d, const survey::GroupComparison &c)
{
    d.heading(kMethodHeading);
    d.note(scoresExplained(c.kind));
    d.note(
        QStringLiteral("Каждая разница между группами проверена двумя тестами. Их p — вероятность "
                       "получить такую или большую разницу случайно, если на деле группы не "
                       "различаются; разница считается значимой при p < 0,05 в обоих тестах. "
                       "t-тест Уэлча сравнивает средние с учётом разброса и числа "
                       "респондентов в каждой группе%1; для группы из одного респондента он "
                       "не определён, и тогда решает второй тест. Второй тест — "
                       "перестановочный (тест перемешиванием): респонденты обеих групп %2 "
                       "раз случайно перераспределялись между группами тех же размеров, и p "
                       "— доля перераспределений, в которых разница вышла не меньше "
                       "наблюдаемой. ")
            .arg(c.kind == survey::MeanKind::Geometric
                     ? QStringLiteral(" (по центрированным логарифмам баллов)")
                     : QString())
            .arg(count(c.permutations)) +
        seedExplained(c.seed));
    d.note(QStringLiteral("g Хеджеса — величина разницы в стандартных отклонениях обеих групп "
                          "(с поправкой на малые группы), на той же шкале, что и t-тест: около "
                          "0,2 — малый эффект, 0,5 — средний, 0,8 и больше — большой. Она не "
                          "зависит от числа респондентов, поэтому показывает, велика ли разница, "
                          "а p — может ли она быть случайной."));
}

} // namespace report
