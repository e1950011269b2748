#include "web/page.h"

#include "core/text_codec.h"
#include "survey/questionnaire_result.h"
#include "survey/resource.h"
#include "survey/survey_texts.h"
#include "web/page_texts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <utility>

namespace web {
namespace {

// How long a field's note shows, as long as the questionnaire program's.
constexpr int kNoteMs = 4000;
// How long the page waits for the server's answer before it says so and tries again later.
constexpr int kSendTimeoutSeconds = 20;

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

QJsonObject pageData(const QString &group, const QString &surveyId)
{
    namespace st = surveytexts;
    namespace wt = webtexts;
    return QJsonObject{
        {QStringLiteral("group"), group},
        {QStringLiteral("survey"), surveyId},
        {QStringLiteral("title"), st::kWindowTitle},
        {QStringLiteral("instructionIntro"), st::kInstructionIntro},
        {QStringLiteral("instructionAnswers"), st::kInstructionAnswers},
        {QStringLiteral("instructionKeys"), st::kInstructionKeys},
        {QStringLiteral("instructionTouch"), wt::kInstructionTouch},
        {QStringLiteral("instructionMore"), wt::kInstructionMore},
        {QStringLiteral("codeAnswered"), st::kCodeAnswered},
        {QStringLiteral("codeSpace"), wt::kCodeSpace},
        {QStringLiteral("notTaken"), st::kNotTaken},
        {QStringLiteral("pointsFraction"), st::kPointsFraction},
        {QStringLiteral("pointsNegative"), st::kPointsNegative},
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
        {QStringLiteral("received"), wt::kReceived},
        {QStringLiteral("nextRespondent"), st::kNextRespondent},
        {QStringLiteral("sending"), wt::kSending},
        {QStringLiteral("noAnswer"), wt::kNoAnswer},
        {QStringLiteral("linkClosed"), wt::kLinkClosed},
        {QStringLiteral("newLink"), wt::kNewLink},
        {QStringLiteral("timedOut"), wt::kTimedOut},
        {QStringLiteral("serverError"), wt::kServerError},
        {QStringLiteral("keptHere"), wt::kKeptHere},
        {QStringLiteral("keptOnPage"), wt::kKeptOnPage},
        {QStringLiteral("sendTimeout"), kSendTimeoutSeconds},
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

// The page's data as JSON that no HTML parser can take for markup: "<", ">" and "&" occur in
// JSON only inside strings, where their \u escapes are the same characters. So a group named
// "<!--<script>" or "</script>" stays text in the data element and never ends it early.
QByteArray dataBlock(const QString &group, const QString &surveyId)
{
    QByteArray data = QJsonDocument(pageData(group, surveyId)).toJson(QJsonDocument::Compact);
    data.replace('<', "\\u003c").replace('>', "\\u003e").replace('&', "\\u0026");
    return data;
}

} // namespace

QByteArray surveyPage(const QString &group, const QString &surveyId)
{
    QByteArray page = resourceText("survey.html");
    // The markers in the order the template holds them, each searched for after the text put in
    // before it: no text put in, the group's name least of all, is ever taken for a marker.
    qsizetype from = 0;
    for (const auto &[marker, text] :
         {std::pair<const char *, QByteArray>{"/*STYLE*/", resourceText("survey.css")},
          {"/*DATA*/", dataBlock(group, surveyId)},
          {"/*SCRIPT*/", resourceText("survey.js")}}) {
        const qsizetype at = page.indexOf(marker, from);
        page.replace(at, qsizetype(qstrlen(marker)), text);
        from = at + text.size();
    }
    return page;
}

} // namespace web
