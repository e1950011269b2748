#include "non_regular_files.h"
#include "web/folder_files.h"
#include "web/group_names.h"
#include "web/link_file.h"
#include "web/network_addresses.h"
#include "web/survey_collection.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

web::ServeSettings localSettings()
{
    web::ServeSettings settings;
    settings.address = QHostAddress::LocalHost;
    return settings;
}

// The links of a start, or the message of its refusal as the failure.
QStringList urlsOf(const std::variant<QList<web::SurveyLink>, web::StartError> &started)
{
    if (const auto *error = std::get_if<web::StartError>(&started)) {
        ADD_FAILURE() << error->message.toStdString();
        return {};
    }
    QStringList urls;
    for (const web::SurveyLink &link : std::get<QList<web::SurveyLink>>(started))
        urls << link.url.toString();
    return urls;
}

QString refusalOf(const std::variant<QList<web::SurveyLink>, web::StartError> &started)
{
    const auto *error = std::get_if<web::StartError>(&started);
    return error ? error->message : QString();
}

web::FolderLink savedLink(const QString &dir)
{
    const auto read = web::readFolderLink(dir);
    const auto *link = std::get_if<std::optional<web::FolderLink>>(&read);
    return link && *link ? **link : web::FolderLink{};
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(WebLink, RestartGivesTheSameLinksAndNewLinkKeepsTheSurvey)
{
    QTemporaryDir dir;
    web::SurveyCollection collection;
    const QStringList groups{"Продажи", "Склад"};
    const QStringList first = urlsOf(collection.start(groups, dir.path(), localSettings()));
    ASSERT_EQ(first.size(), 2);
    const QByteArray qr = contentOf(dir.filePath("Склад QR.svg"));
    const web::FolderLink saved = savedLink(dir.path());
    ASSERT_EQ(saved.links.size(), 2u);
    EXPECT_TRUE(first[0].endsWith(QStringLiteral(":%1/%2/")
                                      .arg(saved.port)
                                      .arg(QString::fromLatin1(saved.find("Продажи")->secret))))
        << first[0].toStdString();
    EXPECT_NE(saved.links[0].secret, saved.links[1].secret);
    collection.stop();

    web::SurveyCollection again; // as the desk's or a second ocai-cli serve's start
    EXPECT_EQ(urlsOf(again.start(groups, dir.path(), localSettings())), first);
    EXPECT_EQ(contentOf(dir.filePath("Склад QR.svg")), qr);
    again.stop();

    web::ServeSettings renewed = localSettings();
    renewed.newLink = true;
    const QStringList second = urlsOf(again.start(groups, dir.path(), renewed));
    ASSERT_EQ(second.size(), 2);
    EXPECT_NE(second[0], first[0]);
    EXPECT_NE(savedLink(dir.path()).find("Продажи")->secret, saved.find("Продажи")->secret);
    EXPECT_EQ(savedLink(dir.path()).survey, saved.survey);
    again.stop();
}

// A given token makes each served group's secret, and tells nothing of it: neither the token nor
// another group's secret can be read from one group's link.
TEST(WebLink, AGivenTokenGivesEachGroupItsOwnSecret)
{
    QTemporaryDir dir;
    web::SurveyCollection collection;
    ASSERT_EQ(urlsOf(collection.start({"Склад"}, dir.path(), localSettings())).size(), 1);
    const QByteArray random = savedLink(dir.path()).find("Склад")->secret;
    collection.stop();
    web::ServeSettings given = localSettings();
    given.token = "given-token-0123456789";
    const QStringList urls = urlsOf(collection.start({"", "Продажи"}, dir.path(), given));
    ASSERT_EQ(urls.size(), 2);
    const web::FolderLink saved = savedLink(dir.path());
    EXPECT_EQ(saved.find("")->secret, web::SurveyCollection::derivedSecret(given.token, ""));
    EXPECT_EQ(saved.find("Продажи")->secret,
              web::SurveyCollection::derivedSecret(given.token, "Продажи"));
    EXPECT_NE(saved.find("")->secret, saved.find("Продажи")->secret);
    EXPECT_EQ(saved.find("Склад")->secret, random); // not served: its link is left as it was
    for (const QString &url : urls)
        EXPECT_FALSE(url.contains(QString::fromLatin1(given.token))) << url.toStdString();
}

TEST(WebLink, TakenPortIsRefusedNamingItAndTheLinkStays)
{
    QTemporaryDir dir;
    web::SurveyCollection collection;
    ASSERT_EQ(urlsOf(collection.start({}, dir.path(), localSettings())).size(), 1);
    collection.stop();
    const QByteArray before = contentOf(dir.filePath(web::kLinkFileName));
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, savedLink(dir.path()).port));

    const QString refusal = refusalOf(collection.start({}, dir.path(), localSettings()));
    EXPECT_TRUE(refusal.contains(QString::number(squatter.serverPort()))) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains("--new-link"));
    EXPECT_EQ(contentOf(dir.filePath(web::kLinkFileName)), before);
}

TEST(WebLink, DamagedLinkFileIsRefusedUnlessANewLinkIsAsked)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(web::kLinkFileName);
    // A file this program could not have written: any of them could send answers elsewhere.
    const QByteArray head = R"({"port":8080,"survey":"0123456789abcdef0123456789abcdef",)";
    const QByteArray secret = R"("secret":"0123456789abcdef0123456789abcdef")";
    const QByteArray other = R"("secret":"fedcba9876543210fedcba9876543210")";
    for (const QByteArray &bytes :
         {QByteArray("{"), QByteArray(R"({"token":"short","port":1,"survey":"")"),
          QByteArray(R"({"token":"0123456789abcdef","port":70000,)"
                     R"("survey":"0123456789abcdef0123456789abcdef"})"),
          head + R"("links":{}})",
          head + R"("links":[{"group":"А",)" + secret + R"(},{"group":"Б",)" + secret + "}]}",
          head + R"("links":[{"group":"А",)" + secret + R"(},{"group":"А",)" + other + "}]}",
          head + R"("links":[{"group":"..",)" + secret + "}]}",
          head + R"("links":[{"group":"../Склад",)" + secret + "}]}",
          head + R"("links":[{"group":7,)" + secret + "}]}",
          head + R"("links":[{"group":"А","secret":"short"}]})",
          head + R"("links":[{"group":"А","secret":"0123456789abcdef/.."}]})",
          head + R"("links":[{"group":"А"}]})", head + R"("links":["А"]})",
          head + R"("links":[]})" + QByteArray(300 * 1024, ' ')}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        web::SurveyCollection collection;
        EXPECT_TRUE(refusalOf(collection.start({"А"}, dir.path(), localSettings()))
                        .contains(QDir::toNativeSeparators(path)))
            << bytes.left(200).constData();
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("А")));
        EXPECT_EQ(contentOf(path), bytes);
        web::ServeSettings renewed = localSettings();
        renewed.newLink = true;
        EXPECT_EQ(urlsOf(collection.start({}, dir.path(), renewed)).size(), 1);
    }
}

// Each name the collection keeps in its folders, with something planted under it.
class WebLinkPlanted : public testing::TestWithParam<const char *> {};

#ifdef Q_OS_UNIX
TEST_P(WebLinkPlanted, IsRefusedAtStartNamedAndLeftAlone)
{
    QTemporaryDir dir, outside;
    QDir(dir.path()).mkdir("Склад");
    const QString name = QString::fromUtf8(GetParam());
    const QString path = QDir(dir.path()).filePath(name);
    const QString target = QDir(outside.path()).filePath("target");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("outside");
    file.close();
    QStringList planted = testfiles::makeSpecialFiles(QDir(outside.path()), "");
    planted << target;
    for (const QString &thing : planted) {
        QFile::remove(path);
        ASSERT_TRUE(QFile::link(thing, path));
        if (thing.endsWith("/fifo")) { // the pipe itself, not a link to it
            QFile::remove(path);
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        }
        const auto state = testfiles::pathState(path);
        web::SurveyCollection collection;
        const QString refusal = refusalOf(collection.start({"Склад"}, dir.path(), localSettings()));
        EXPECT_TRUE(refusal.contains(QDir::toNativeSeparators(path))) << refusal.toStdString();
        EXPECT_EQ(testfiles::pathState(path), state);
        EXPECT_EQ(contentOf(target), "outside");
    }
}

INSTANTIATE_TEST_SUITE_P(Names, WebLinkPlanted,
                         testing::Values(".ocai-link", "Склад QR.png", "Склад QR.svg",
                                         "Склад/.ocai-received"));
#endif

#ifdef Q_OS_UNIX
TEST(WebLink, FolderFilesNeverGoThroughALinkOrWaitOnAPipe)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("target"), link = dir.filePath("link"),
                  fifo = dir.filePath("fifo");
    ASSERT_FALSE(web::appendToFolderFile(target, "outside"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const QString &path : {link, fifo}) {
        EXPECT_TRUE(web::appendToFolderFile(path, "x\n").has_value());
        EXPECT_TRUE(std::holds_alternative<QString>(web::readFolderFile(path, 100)));
    }
    EXPECT_EQ(contentOf(target), "outside");
    EXPECT_EQ(std::get<std::optional<QByteArray>>(web::readFolderFile(target, 100)), "outside");
    EXPECT_TRUE(std::holds_alternative<QString>(web::readFolderFile(target, 3)));
}
#endif

TEST(WebAddresses, DefaultRouteWinsOverTheFirstPrivateAddress)
{
    const QByteArray table =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "docker0\t000011AC\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n"
        "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
        "eth0\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
        "tun0\t00000000\t0100080A\t0002\t0\t0\t50\t00000000\t0\t0\t0\n"; // down
    EXPECT_EQ(web::defaultRouteInterface(table), "eth0");
    EXPECT_EQ(web::defaultRouteInterface("Iface\tDestination\n"), "");

    const auto choice = [](const char *interface, const char *address) {
        return web::NetworkChoice{interface, interface, QHostAddress(address), false};
    };
    const QList<web::NetworkChoice> ordered =
        web::orderChoices({choice("docker0", "172.17.0.1"), choice("eth0", "2001:db8::5"),
                           choice("wlan1", "203.0.113.9"), choice("eth0", "10.0.0.7")},
                          "eth0");
    QStringList addresses;
    for (const web::NetworkChoice &each : ordered)
        addresses << each.address.toString() + (each.defaultRoute ? "*" : "");
    EXPECT_EQ(addresses, (QStringList{"10.0.0.7*", "2001:db8::5*", "172.17.0.1", "203.0.113.9"}));

    const QHostAddress chosen("192.0.2.44");
    EXPECT_EQ(web::reachableAddress(QHostAddress::Any, chosen), chosen);
    EXPECT_EQ(web::reachableAddress(QHostAddress::LocalHost, chosen), QHostAddress::LocalHost);
}

TEST(WebAddresses, AnAddressNotOfThisComputerIsRefused)
{
    QTemporaryDir dir;
    web::ServeSettings settings = localSettings();
    settings.advertised = QHostAddress("192.0.2.254");
    web::SurveyCollection collection;
    EXPECT_TRUE(refusalOf(collection.start({}, dir.path(), settings)).contains("192.0.2.254"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace

// A group is a folder: a name the system cannot give a folder is refused before anything is
// made, and every other name becomes its folder as typed.
TEST(WebGroupNames, NamesTheSystemCannotGiveAFolderAreRefused)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        bool windowsRefuses; // elsewhere such a name is a folder like any other
    } cases[] = {{"Отдел <продаж>", true},  {"A:B", true},           {"Кто?", true},
                 {"«Кавычки» \"x\"", true}, {"Склад.", true},        {"con", true},
                 {"NUL.txt", true},         {"COM1", true},          {"Отдел & 'x' ]]", false},
                 {"CONSOLE", false},        {"Ω 日本 Отдел", false}, {"LPT0", false}};
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        const QString problem = web::groupNameProblem(name);
#ifdef Q_OS_WIN
        const bool refused = c.windowsRefuses;
#else
        const bool refused = false;
#endif
        EXPECT_EQ(!problem.isEmpty(), refused) << c.name << " " << problem.toStdString();
        if (refused)
            EXPECT_TRUE(problem.contains(name)) << c.name;
        else
            EXPECT_TRUE(QDir(dir.path()).mkdir(name) && QFileInfo(dir.filePath(name)).isDir())
                << c.name;
    }
}
