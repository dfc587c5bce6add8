// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/AppcastUpdater.h"
#include "support/FakeInput.h"
#include "support/FakePlatform.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// A small HTTP server on 127.0.0.1 that answers with the status and body set, says nothing,
// or trickles its answer a byte at a time; it counts the connections.
struct LoopbackHttpServer : QTcpServer {
    enum class Mode { answer, silent, trickle };

    LoopbackHttpServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { respond(socket); });
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(serverPort()));
    }
    void answer(int newStatus, const QByteArray& newBody) {
        mode = Mode::answer;
        status = newStatus;
        body = newBody;
    }

    Mode mode = Mode::answer;
    int status = 200;
    QByteArray body;
    int connections = 0;

private:
    // Once the head is whole; the requests carry no body.
    void respond(QTcpSocket* socket) {
        if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n")) {
            return;
        }
        socket->readAll();
        switch (mode) {
        case Mode::answer:
            socket->write("HTTP/1.1 " + QByteArray::number(status) +
                          " Status\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
            break;
        case Mode::silent:
            break;
        case Mode::trickle: {
            // Always something new, never the end: only a limit on the whole request stops it.
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            auto* timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            timer->start(50);
            break;
        }
        }
    }
};

// Records what the updater would have shown, in a few words; keeps the question's answer
// handler.
struct FakeUpdatePresenter : UpdatePresenter {
    void showChecking(std::function<void()> cancel) override {
        ++checkingShown;
        cancelCheck = std::move(cancel);
    }
    void showUpToDate(const QString& currentVersion) override {
        shown.push_back("up to date " + currentVersion.toStdString());
    }
    void showUpdateAvailable(const AppcastItem& item, const QString&) override {
        shown.push_back("update " + item.displayVersion.toStdString());
    }
    void showCheckFailed(const QString& sentence) override {
        shown.push_back("failed: " + sentence.toStdString());
    }
    void askForAutomaticChecks(std::function<void(bool)> answer) override {
        ++questions;
        answerQuestion = std::move(answer);
    }

    std::vector<std::string> shown;
    int questions = 0;
    int checkingShown = 0;
    std::function<void()> cancelCheck;
    std::function<void(bool)> answerQuestion;
};

using namespace std::chrono_literals;

constexpr auto timeLimit = 400ms;
constexpr double day = AutomaticUpdateChecks::interval;
constexpr double hour = AppcastUpdater::dueCheckSeconds;

QByteArray feed(const std::vector<const char*>& versions) {
    QByteArray xml = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel>)";
    for (const char* version : versions) {
        xml += QByteArray("<item><sparkle:version>") + version +
               "</sparkle:version><link>https://tiklo.example/" + version + "</link></item>";
    }
    return xml + "</channel></rss>";
}

class AppcastUpdaterTest : public ::testing::Test {
protected:
    std::unique_ptr<AppcastUpdater> launch(QUrl feedURL) {
        auto updater = std::make_unique<AppcastUpdater>(
            AppcastUpdater::Config{std::move(feedURL), "0.1.0", timeLimit},
            AppcastUpdater::Services{presenter, defaults, timers, [this] { return now; }});
        updater->setCanCheckHandler([this](bool value) { canCheckValues.push_back(value); });
        updater->start();
        return updater;
    }
    std::unique_ptr<AppcastUpdater> launch() { return launch(server.url()); }

    // Runs a check the user asked for to its end; what it showed. The ability to check is
    // taken away while it runs and given back.
    std::string userCheck(AppcastUpdater& updater) {
        presenter.shown.clear();
        canCheckValues.clear();
        updater.checkForUpdates();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.shown.empty(); }, 10000));
        EXPECT_EQ(canCheckValues, (std::vector<bool>{false, true}));
        return presenter.shown.empty() ? "nothing" : presenter.shown.front();
    }

    // Lets the event loop run for a while, for anything that should not happen.
    static void settle() { QTest::qWait(200); }

    LoopbackHttpServer server;
    FakeUpdatePresenter presenter;
    test::FakeDefaultsStore defaults;
    test::ManualTimerFactory timers;
    double now = 700000000.0;
    std::vector<bool> canCheckValues;
};

// Each check the user asks for ends in one sentence within the time limit.
TEST_F(AppcastUpdaterTest, UserChecksTellEachOutcomeApartWithinTheLimit) {
    LoopbackHttpServer down;
    const QUrl closedPort = down.url();
    down.close(); // as with a server that is down
    auto updater = launch(closedPort);
    EXPECT_EQ(canCheckValues, std::vector<bool>{true});
    EXPECT_EQ(userCheck(*updater), "failed: Tiklo could not reach the update server.");

    ASSERT_TRUE(server.isListening());
    updater = launch();
    // A valid feed, but far larger than any feed is.
    const QByteArray huge = feed({"0.2.0"}) + QByteArray(FeedDownloader::defaultSizeLimit, ' ');
    const std::tuple<int, QByteArray, std::string> answers[] = {
        {200, feed({"0.0.9", "0.2.0", "0.1.5"}), "update 0.2.0"},
        // The running version written shorter, and older ones, are no update.
        {200, feed({"0.1"}), "up to date 0.1.0"},
        {200, feed({"0.0.1"}), "up to date 0.1.0"},
        {200, feed({"0.2.0"}).left(120),
         "failed: The update information from the server could not be read."},
        {200, huge, "failed: The update information from the server could not be read."},
        {404, "Not here", "failed: The update server answered with an error (HTTP 404)."},
    };
    for (const auto& [status, body, shown] : answers) {
        server.answer(status, body);
        EXPECT_EQ(userCheck(*updater), shown) << body.left(400).toStdString();
    }
    // No automatic check was allowed, so no check time was kept.
    EXPECT_FALSE(defaults.dataValue("lastUpdateCheckTime"));

    for (const auto mode : {LoopbackHttpServer::Mode::silent, LoopbackHttpServer::Mode::trickle}) {
        server.mode = mode;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(userCheck(*updater), "failed: The update server did not answer in time.");
        EXPECT_GE(clock.elapsed(), timeLimit.count() - 50);
        EXPECT_LT(clock.elapsed(), 5000) << "the limit did not hold";
    }

    // The progress shown can end a check: nothing more is shown of it, and a new check can
    // start at once.
    server.mode = LoopbackHttpServer::Mode::silent;
    presenter.shown.clear();
    const int progressBefore = presenter.checkingShown;
    updater->checkForUpdates();
    EXPECT_EQ(presenter.checkingShown, progressBefore + 1);
    EXPECT_FALSE(updater->canCheckForUpdates());
    ASSERT_TRUE(presenter.cancelCheck);
    presenter.cancelCheck();
    EXPECT_TRUE(QTest::qWaitFor([&] { return updater->canCheckForUpdates(); }, 2000));
    QTest::qWait(timeLimit.count() + 200);
    EXPECT_TRUE(presenter.shown.empty());
    // Too late to cancel, it changes nothing.
    presenter.cancelCheck();
    server.answer(200, feed({"0.1.0"}));
    EXPECT_EQ(userCheck(*updater), "up to date 0.1.0");
}

TEST_F(AppcastUpdaterTest, NothingIsFetchedWithoutAFeedOrBeforeTheUserAgreed) {
    // Without a feed no check can start, and nothing is asked or stored, at any launch.
    auto updater = launch(QUrl());
    updater = launch(QUrl());
    EXPECT_FALSE(updater->canCheckForUpdates());
    updater->checkForUpdates();
    settle();
    EXPECT_TRUE(defaults.writes.empty());
    EXPECT_TRUE(canCheckValues.empty());

    server.answer(200, feed({"0.2.0"}));
    // First launch with a feed: nothing asked, nothing fetched (nor shown, to the end).
    updater = launch();
    settle();
    timers.tick(hour);
    settle();
    EXPECT_EQ(presenter.questions, 0);
    EXPECT_EQ(timers.running(hour), 0);

    // Second launch: asked once; unanswered, still nothing, and asked again at the next.
    updater = launch();
    EXPECT_EQ(presenter.questions, 1);
    timers.tick(hour);
    settle();
    updater = launch();
    EXPECT_EQ(presenter.questions, 2);

    // Refused: kept, never asked again, never fetched by itself.
    presenter.answerQuestion(false);
    EXPECT_EQ(defaults.boolValue("automaticallyChecksForUpdates"), false);
    now += 10 * day;
    timers.tick(hour);
    updater = launch();
    timers.tick(hour);
    settle();
    EXPECT_EQ(presenter.questions, 2);
    EXPECT_EQ(server.connections, 0);
    EXPECT_TRUE(presenter.shown.empty());

    // The user's own check still works.
    EXPECT_EQ(userCheck(*updater), "update 0.2.0");
    EXPECT_EQ(server.connections, 1);
}

TEST_F(AppcastUpdaterTest, AgreedChecksRunAtMostOnceADayAndSpeakOnlyOfNewerVersions) {
    server.answer(200, feed({"0.1.0"}));
    auto updater = launch();
    updater = launch();
    ASSERT_EQ(presenter.questions, 1);
    presenter.answerQuestion(true);
    // The first check follows the answer at once; being up to date, it shows nothing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections == 1; }, 5000));
    settle();
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_TRUE(updater->canCheckForUpdates());

    // Neither the hourly timer within the day nor a new launch checks again.
    const double first = now;
    now = first + day - 1;
    timers.tick(hour);
    settle();
    updater = launch();
    settle();
    EXPECT_EQ(server.connections, 1);

    server.answer(200, feed({"0.3.0"}));
    now = first + day;
    timers.tick(hour);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !presenter.shown.empty(); }, 5000));
    EXPECT_EQ(server.connections, 2);
    EXPECT_EQ(presenter.shown, std::vector<std::string>{"update 0.3.0"});

    // Failures of automatic checks are not shown.
    presenter.shown.clear();
    server.answer(500, "down");
    now = first + 2 * day + 1;
    timers.tick(hour);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections == 3; }, 5000));
    settle();
    EXPECT_TRUE(presenter.shown.empty());
    timers.tick(hour);
    settle();
    EXPECT_EQ(server.connections, 3);
    // Checks of their own show no progress either.
    EXPECT_EQ(presenter.checkingShown, 0);
}

} // namespace
} // namespace tiklo
