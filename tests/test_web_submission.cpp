#include "result_files.h"
#include "web/submission.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QDateTime kReceived(QDate(2026, 12, 7), QTime(15, 0, 0));

QJsonObject validSubmission()
{
    QJsonArray answers, seconds;
    for (int row = 0; row < 12; ++row) {
        answers.append(QJsonArray{40, 30, 20, 10});
        seconds.append(10);
    }
    return {{"id", "123e4567-e89b-42d3-a456-426614174000"},
            {"code", "Иванов-1"},
            {"free", "Отдел продаж"},
            {"instructionSeconds", 12.5},
            {"answers", answers},
            {"seconds", seconds}};
}

QJsonArray rowsWith(int row, const QJsonValue &value)
{
    QJsonArray answers = validSubmission()["answers"].toArray();
    answers[row] = value;
    return answers;
}

QJsonArray secondsWith(int row, const QJsonValue &value)
{
    QJsonArray seconds = validSubmission()["seconds"].toArray();
    seconds[row] = value;
    return seconds;
}

QJsonArray withoutFirst(QJsonArray array)
{
    array.removeFirst();
    return array;
}

struct Case {
    const char *what;
    std::function<QByteArray()> body;
    int status;
};

// The rule names the case in test names, which must not change from one run to the next.
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.what;
}

QByteArray with(const char *key, const QJsonValue &value)
{
    QJsonObject object = validSubmission();
    if (value.isUndefined())
        object.remove(QLatin1String(key));
    else
        object[QLatin1String(key)] = value;
    return QJsonDocument(object).toJson();
}

const Case kCases[] = {
    {"valid", [] { return with("free", ""); }, 201},
    {"not JSON", [] { return QByteArray("{\"id\":"); }, 400},
    {"an array", [] { return QByteArray("[]"); }, 400},
    {"over 64 KiB", [] { return with("pad", QString(70000, u'x')); }, 400},
    {"no id", [] { return with("id", QJsonValue::Undefined); }, 400},
    {"id not a UUID", [] { return with("id", "../../etc"); }, 400},
    {"id with a final line break",
     [] { return with("id", "123e4567-e89b-42d3-a456-426614174000\n"); }, 400},
    {"byte order mark before the body", [] { return "\xEF\xBB\xBF" + with("free", ""); }, 400},
    {"no code", [] { return with("code", QJsonValue::Undefined); }, 400},
    {"empty code", [] { return with("code", ""); }, 400},
    {"code of 21", [] { return with("code", QString(21, u'x')); }, 400},
    {"code with a slash", [] { return with("code", "a/b"); }, 400},
    {"code outside 1251", [] { return with("code", "Ω1"); }, 400},
    {"free text as number", [] { return with("free", 5); }, 400},
    {"free text of 201", [] { return with("free", QString(201, u'x')); }, 400},
    {"free text outside 1251", [] { return with("free", "汉"); }, 400},
    {"free text with a line break", [] { return with("free", "a\r\nb"); }, 400},
    {"11 rows",
     [] { return with("answers", withoutFirst(validSubmission()["answers"].toArray())); }, 400},
    {"3 points",
     [] {
         return with("answers", rowsWith(4, QJsonArray{50, 30, 20}));
     },
     400},
    {"points text",
     [] {
         return with("answers", rowsWith(4, QJsonArray{"40", 30, 20, 10}));
     },
     400},
    {"points fraction",
     [] {
         return with("answers", rowsWith(4, QJsonArray{40.5, 29.5, 20, 10}));
     },
     400},
    {"points negative",
     [] {
         return with("answers", rowsWith(4, QJsonArray{-10, 70, 20, 20}));
     },
     400},
    {"points over 100",
     [] {
         return with("answers", rowsWith(4, QJsonArray{101, 0, 0, 0}));
     },
     400},
    {"sum 99",
     [] {
         return with("answers", rowsWith(11, QJsonArray{40, 30, 20, 9}));
     },
     400},
    {"11 times",
     [] { return with("seconds", withoutFirst(validSubmission()["seconds"].toArray())); }, 400},
    {"time fraction", [] { return with("seconds", secondsWith(3, 1.5)); }, 400},
    {"time negative", [] { return with("seconds", secondsWith(3, -1)); }, 400},
    {"time over a week", [] { return with("seconds", secondsWith(3, 604801)); }, 400},
    {"time of 99 999", [] { return with("seconds", secondsWith(3, 99999)); }, 201},
    {"time of 100 000", [] { return with("seconds", secondsWith(3, 100000)); }, 400},
    {"instruction time text", [] { return with("instructionSeconds", "12"); }, 400},
    {"instruction time over a week", [] { return with("instructionSeconds", 604801); }, 400},
};

class WebSubmission : public testing::TestWithParam<Case> {};

TEST_P(WebSubmission, EachRuleDecidesStatusAndFile)
{
    QTemporaryDir dir;
    web::SubmissionHandler handler(dir.path(), testfiles::programKey(), [] { return kReceived; });
    const web::SubmissionReply reply = handler.handle(GetParam().body());
    EXPECT_EQ(reply.status, GetParam().status) << reply.json.constData();
    const QJsonObject answer = QJsonDocument::fromJson(reply.json).object();
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    if (reply.status == 201) {
        EXPECT_EQ(files, QStringList{"Иванов-1OCAI.cry"});
        EXPECT_EQ(answer["file"].toString(), files.value(0));
    } else {
        EXPECT_TRUE(files.isEmpty());
        EXPECT_FALSE(answer["error"].toString().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, WebSubmission, testing::ValuesIn(kCases));

TEST(WebSubmissionResend, SameIdSameFileNewIdNextFreeName)
{
    QTemporaryDir dir;
    web::SubmissionHandler handler(dir.path(), testfiles::programKey(), [] { return kReceived; });
    const QByteArray body = QJsonDocument(validSubmission()).toJson();
    EXPECT_EQ(handler.handle(body).written, "Иванов-1OCAI.cry");
    const web::SubmissionReply again = handler.handle(body);
    EXPECT_EQ(again.status, 200);
    EXPECT_TRUE(again.written.isEmpty());
    EXPECT_EQ(again.json, R"({"file":"Иванов-1OCAI.cry"})");
    EXPECT_EQ(handler.handle(with("id", "123e4567-e89b-42d3-a456-426614174001")).written,
              "Иванов-1-2OCAI.cry");
    // A server started again on the folder still knows the first answer.
    web::SubmissionHandler restarted(dir.path(), testfiles::programKey(), [] { return kReceived; });
    EXPECT_EQ(restarted.handle(body).json, again.json);

    // The server's clock: the end is the receipt, the start that less every reported second.
    const auto parsed = web::parseSubmission(body, kReceived);
    const auto &answers = std::get<web::Submission>(parsed).answers;
    EXPECT_EQ(answers.finished, kReceived);
    EXPECT_EQ(answers.started.secsTo(kReceived), 132); // 12.5 + 12 * 10 s, whole seconds
}

// The page's question whether a code has answered, asked with whatever a network sends: a code
// the folder holds (written through the link or put there by hand, any letter case) is
// answered, anything but one code's query is refused.
TEST(WebCodeQuery, AnswersFromTheFolderAndRefusesAnyOtherQuery)
{
    QTemporaryDir dir;
    web::SubmissionHandler handler(dir.path(), testfiles::programKey(), [] { return kReceived; });
    ASSERT_EQ(handler.handle(QJsonDocument(validSubmission()).toJson()).status, 201);
    ASSERT_TRUE(testfiles::writeCodedResult(dir.path(), QStringLiteral("I4OCAI.cry"), "I4"));
    ASSERT_TRUE(testfiles::writeFile(dir.filePath("brokenOCAI.cry"), "not a result"));
    const QByteArray yes = R"({"answered":true})", no = R"({"answered":false})";
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"c=I4", yes},
        {"c=i4", yes},
        {"c=%D0%98%D0%B2%D0%B0%D0%BD%D0%BE%D0%B2-1", yes}, // "Иванов-1", written via the link
        {"c=%d0%b8%d0%b2%d0%b0%d0%bd%d0%be%d0%b2-1", yes},
        {"c=I5", no},
        {"c=broken", no},
        {"c=" + QByteArray(20, 'a'), no},
        {"c=" + QByteArray(21, 'a'), {}},
        {"c=" + QByteArray(5000, 'a'), {}},
        {"c=", {}},
        {"", {}},
        {"c", {}},
        {"x=I4", {}},
        {"c=I4&c=I5", {}},
        {"c=I4&x=1", {}},
        {"c=I%204", {}},
        {"c=I+4", {}},
        {"c=%00I4", {}},
        {"c=I4%0A", {}},
        {"c=..%2F..%2Fetc", {}},
        {"c=%FF%FE", {}},    // no UTF-8
        {"c=%C0%AF", {}},    // an overlong "/"
        {"c=%ED%A0%80", {}}, // a lone surrogate
        {"c=%E2%82%AC", {}}, // "€": no letter of a code
        {"c=%", {}},
        {"c=%zz", {}},
    };
    for (const auto &[query, json] : cases) {
        const web::SubmissionReply reply = handler.codeQuery(query);
        EXPECT_EQ(reply.status, json.isEmpty() ? 400 : 200) << query.left(60).constData();
        if (!json.isEmpty())
            EXPECT_EQ(reply.json, json) << query.constData();
        else
            EXPECT_TRUE(QJsonDocument::fromJson(reply.json)["error"].toString().contains("код"))
                << query.left(60).constData();
        EXPECT_TRUE(reply.written.isEmpty());
    }
    // A file that arrives later is seen at the next question.
    EXPECT_EQ(handler.codeQuery("c=I5").json, no);
    ASSERT_TRUE(testfiles::writeCodedResult(dir.path(), QStringLiteral("I5OCAI.cry"), "I5"));
    EXPECT_EQ(handler.codeQuery("c=I5").json, yes);
    // Nothing is written by asking.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

// A server killed at a moment of writing, then started again on the folder and sent the same
// questionnaire: one file in the end, and the resend answered with it when it was named.
struct Crash {
    const char *moment;
    bool named; // the killed server had given the file its name
    bool twin;  // another respondent's same answers, in the same second, were written before
};

void PrintTo(const Crash &c, std::ostream *os)
{
    *os << c.moment;
}

#ifdef Q_OS_UNIX
class WebSubmissionCrash : public testing::TestWithParam<Crash> {};

TEST_P(WebSubmissionCrash, ResendAfterKillCountsOnce)
{
    QTemporaryDir dir;
    const QByteArray body = QJsonDocument(validSubmission()).toJson();
    const QString twin = "Иванов-1OCAI.cry", own = GetParam().twin ? "Иванов-1-2OCAI.cry" : twin;
    if (GetParam().twin) {
        web::SubmissionHandler first(dir.path(), testfiles::programKey(), [] { return kReceived; });
        ASSERT_EQ(first.handle(with("id", "123e4567-e89b-42d3-a456-426614174001")).written, twin);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        web::SubmissionHandler handler(dir.path(), testfiles::programKey(),
                                       [] { return kReceived; });
        const auto die = [] { ::kill(::getpid(), SIGKILL); };
        if (GetParam().named)
            handler.setCrashPoints({}, die);
        else
            handler.setCrashPoints(die, {});
        handler.handle(body);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    web::SubmissionHandler restarted(dir.path(), testfiles::programKey(), [] { return kReceived; });
    const web::SubmissionReply reply = restarted.handle(body);
    EXPECT_EQ(reply.status, GetParam().named ? 200 : 201);
    EXPECT_EQ(QJsonDocument::fromJson(reply.json)["file"].toString(), own);
    EXPECT_EQ(QDir(dir.path()).entryList({"*OCAI.cry"}, QDir::Files).size(),
              GetParam().twin ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Moments, WebSubmissionCrash,
                         testing::Values(Crash{"before the name", false, false},
                                         Crash{"after the name", true, false},
                                         Crash{"before the name beside a twin", false, true},
                                         Crash{"after the name beside a twin", true, true}));
#endif

} // namespace
