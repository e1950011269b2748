// The desk's collection of answers over the network: which links a survey gets.
#include "desk/collection_groups.h"
#include "desk/survey_refresh.h"
#include "desk_files.h"
#include "survey_requests.h"
#include "web/group_names.h"
#include "web/survey_collection.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using deskfiles::writeResult;

// The survey's own answers get a link beside its groups': one written to it lands in the folder.
TEST(DeskCollection, ServesTheSurveyFolderItselfBesideItsGroups)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeResult(dir.filePath("a1OCAI.cry"), "a1"));
    ASSERT_TRUE(writeResult(dir.filePath("Продажи/p1OCAI.cry"), "p1"));
    const desk::Survey survey = desk::loadSurvey(dir.path());
    const desk::CollectionPlan plan = desk::collectionPlan(dir.path(), &survey);
    const auto groups = desk::collectionGroups(plan.groups, plan.ownAnswers);
    web::SurveyCollection collection;
    web::ServeSettings local;
    local.address = QHostAddress::LocalHost;
    const auto started = collection.start(std::get<QStringList>(groups), dir.path(), local);
    const auto *links = std::get_if<QList<web::SurveyLink>>(&started);
    ASSERT_TRUE(links && links->size() == 2 && links->at(1).folder == dir.filePath("Продажи"));
    QSignalSpy written(&collection, &web::SurveyCollection::questionnaireWritten);
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(links->at(0).url.port()));
    socket.write(testweb::post(links->at(0).url, testweb::kSubmission));
    ASSERT_TRUE(written.wait(10000));
    EXPECT_TRUE(QFile::exists(dir.filePath("Web-1OCAI.cry")));
}

// Typed names pass or fail ({}) as serve's --groups do; the survey folder itself comes first.
TEST(DeskCollection, TypedGroupsAreCheckedAsServeChecksThem)
{
    const std::tuple<const char *, bool, QStringList> cases[] = {
        {"", false, {""}},   {"Склад", true, {"", "Склад"}}, {"А, Б", false, {"А", "Б"}},
        {"A,,B", false, {}}, {"Отдел,отдел", false, {}},     {"исключённые", true, {}}};
    for (const auto &[typed, ownAnswers, expected] : cases) {
        const auto groups = desk::collectionGroups(QString::fromUtf8(typed), ownAnswers);
        const auto serve = web::parseGroupList(QString::fromUtf8(typed));
        if (!expected.isEmpty())
            EXPECT_EQ(std::get<QStringList>(groups), expected) << typed;
        else if (std::holds_alternative<QString>(serve))
            EXPECT_EQ(std::get<QString>(groups), std::get<QString>(serve)) << typed;
        else
            EXPECT_TRUE(std::get<QString>(groups).contains("исключённ")) << typed;
    }
}

} // namespace
