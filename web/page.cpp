#include "page.h"

#include "core/text_codec.h"
#include "page_texts.h"
#include "survey/questionnaire_result.h"
#include "survey/resource.h"
#include "survey/survey_texts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace web {
namespace {

// How long a field's note shows, as long as the questionnaire program's.
constexpr int kNoteMs = 4000;

QByteArray resourceText(const char *name)
{
    QFile file(QStringLiteral(":/web/") + QLatin1String(name));
    file.open(QIODevice::ReadOnly); // compiled in: it cannot be missing
    return file.readAll();
}

template <std::size_t N> QJsonArray jsonArray(const std::array<QString, N> &texts)
{
    QJsonArray array;
    for (const QString &text : texts)
        array.append(text);
    return array;
}

// Every character the result file can hold beyond ASCII: the page refuses the others as the
// program's fields do.
QString windows1251Letters()
{
    QString letters;
    for (int byte = 0x80; byte <= 0xff; ++byte) {
        const QString ch = textcodec::fromWindows1251(QByteArray(1, char(byte)));
        if (textcodec::isWindows1251(ch))
            letters += ch;
    }
    return letters;
}

QJsonObject pageData(const QString &group)
{
    namespace st = surveytexts;
    namespace wt = webtexts;
    return QJsonObject{
        {QStringLiteral("group"), group},
        {QStringLiteral("title"), st::kWindowTitle},
        {QStringLiteral("instruction"), st::kInstruction},
        {QStringLiteral("codeLabel"), st::kCodeLabel},
        {QStringLiteral("freeLabel"), st::kFreeTextLabel},
        {QStringLiteral("start"), st::kStart},
        {QStringLiteral("codeRefused"), st::kCodeRefused},
        {QStringLiteral("codeTooLong"), st::kCodeTooLong},
        {QStringLiteral("characterDropped"), st::kCharacterDropped},
        {QStringLiteral("charactersDropped"), st::kCharactersDropped},
        {QStringLiteral("freeTooLong"), st::kFreeTextTooLong},
        {QStringLiteral("pointsTooMany"), st::kPointsTooMany},
        {QStringLiteral("pointsDigitsOnly"), st::kPointsDigitsOnly},
        {QStringLiteral("noteMs"), kNoteMs},
        {QStringLiteral("progress"), st::kProgress},
        {QStringLiteral("current"), st::kCurrentState},
        {QStringLiteral("preferred"), st::kPreferredState},
        {QStringLiteral("currentHint"), st::kCurrentHint},
        {QStringLiteral("preferredHint"), st::kPreferredHint},
        {QStringLiteral("pointsHeader"), st::kPointsHeader},
        {QStringLiteral("referenceHeader"), st::kReferenceHeader},
        {QStringLiteral("remaining"), st::kRemaining},
        {QStringLiteral("excess"), st::kExcess},
        {QStringLiteral("back"), st::kBack},
        {QStringLiteral("next"), st::kNext},
        {QStringLiteral("notWritten"), st::kNotWritten},
        {QStringLiteral("thanks"), st::kThanks},
        {QStringLiteral("written"), st::kWritten},
        {QStringLiteral("nextRespondent"), st::kNextRespondent},
        {QStringLiteral("sending"), wt::kSending},
        {QStringLiteral("keptOffline"), wt::kKeptOffline},
        {QStringLiteral("retryNow"), wt::kRetryNow},
        {QStringLiteral("pendingFound"), wt::kPendingFound},
        {QStringLiteral("pointsLabel"), wt::kPointsLabel},
        {QStringLiteral("questions"), jsonArray(survey::QuestionTitles)},
        {QStringLiteral("alternatives"), jsonArray(survey::AlternativeTexts)},
        {QStringLiteral("maxCode"), survey::kMaxCodeLength},
        {QStringLiteral("maxFree"), survey::kMaxFreeTextLength},
        {QStringLiteral("points"), survey::kPointsPerQuestion},
        {QStringLiteral("letters1251"), windows1251Letters()},
    };
}

} // namespace

QByteArray surveyPage(const QString &group)
{
    QByteArray data = QJsonDocument(pageData(group)).toJson(QJsonDocument::Compact);
    // Inside <script> only "</" could end the element early; "<\/" is the same JSON string.
    data.replace("</", "<\\/");
    QByteArray page = resourceText("survey.html");
    page.replace("/*STYLE*/", resourceText("survey.css"));
    page.replace("/*SCRIPT*/", resourceText("survey.js"));
    page.replace("/*DATA*/", data);
    return page;
}

} // namespace web
