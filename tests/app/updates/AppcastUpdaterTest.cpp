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

// A small HTTP server on 127.0.0.1 that answers with the response set, says nothing, or
// trickles its answer a byte at a time; it records each connection and request head.
class LoopbackHttpServer : public QObject {
public:
    enum class Mode { answer, silent, trickle };

    LoopbackHttpServer() {
        connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
        server_.listen(QHostAddress::LocalHost, 0);
    }
    bool listening() const { return server_.isListening(); }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }
    // Stops listening: the port is then closed, as with a server that is down.
    void close() { server_.close(); }
    void answer(int status, const QByteArray& body) {
        mode_ = Mode::answer;
        status_ = status;
        body_ = body;
    }
    void setMode(Mode mode) { mode_ = mode; }

    int connections = 0;
    QList<QByteArray> requests;

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections;
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { respond(socket); });
        }
    }
    // Once the head is whole; the requests carry no body.
    void respond(QTcpSocket* socket) {
        const qsizetype headEnd = socket->peek(socket->bytesAvailable()).indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return;
        }
        requests.append(socket->readAll().left(headEnd));
        switch (mode_) {
        case Mode::answer:
            socket->write("HTTP/1.1 " + QByteArray::number(status_) +
                          " Status\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
                          QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                          body_);
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

    QTcpServer server_;
    Mode mode_ = Mode::answer;
    int status_ = 200;
    QByteArray body_;
};

// Records what the updater would have shown, in a few words, and the last release offered;
// keeps the question's answer handler.
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
        offered = item;
    }
    void showCheckFailed(const QString& sentence) override {
        shown.push_back("failed: " + sentence.toStdString());
    }
    void askForAutomaticChecks(std::function<void(bool)> answer) override {
        ++questions;
        answerQuestion = std::move(answer);
    }

    std::vector<std::string> shown;
    std::optional<AppcastItem> offered;
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
               "</sparkle:version><description>Notes of " + version +
               "</description><link>https://tiklo.example/" + version + "</link></item>";
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
    std::unique_ptr<AppcastUpdater> launch() { return launch(server.url("/appcast.xml")); }

    // Runs a check the user asked for to its end; what it showed.
    std::string userCheck(AppcastUpdater& updater) {
        presenter.shown.clear();
        updater.checkForUpdates();
        EXPECT_FALSE(updater.canCheckForUpdates()) << "a check is running";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !presenter.shown.empty(); }, 10000));
        EXPECT_TRUE(updater.canCheckForUpdates());
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

TEST_F(AppcastUpdaterTest, UserChecksTellNewerSameOlderAndBrokenFeedsApart) {
    ASSERT_TRUE(server.listening());
    auto updater = launch();
    EXPECT_TRUE(updater->canCheckForUpdates());

    server.answer(200, feed({"0.0.9", "0.2.0", "0.1.5"}));
    EXPECT_EQ(userCheck(*updater), "update 0.2.0");
    EXPECT_EQ(presenter.offered->releaseNotes, "Notes of 0.2.0");
    EXPECT_EQ(presenter.offered->downloadPage, QUrl("https://tiklo.example/0.2.0"));
    // The request names the feed and nothing else.
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(server.requests.front().startsWith("GET /appcast.xml HTTP/1.1\r\n"));

    // The running version written shorter, and older ones, are no update.
    const std::vector<std::vector<const char*>> noUpdate = {{"0.1"}, {"0.0.9", "0.1.0"}, {"0.0.1"}};
    for (const auto& versions : noUpdate) {
        server.answer(200, feed(versions));
        EXPECT_EQ(userCheck(*updater), "up to date 0.1.0");
    }

    server.answer(200, feed({"0.2.0"}).left(120));
    EXPECT_EQ(userCheck(*updater),
              "failed: The update information from the server could not be read.");
    server.answer(404, "Not here");
    EXPECT_EQ(userCheck(*updater), "failed: The update server answered with an error (HTTP 404).");

    // Each check took the ability to check away while it ran and gave it back.
    EXPECT_EQ(canCheckValues, (std::vector<bool>{true, false, true, false, true, false, true, false,
                                                 true, false, true, false, true}));
    // No automatic check was allowed, so no check time was kept.
    EXPECT_FALSE(defaults.dataValue("lastUpdateCheckTime"));
}

TEST_F(AppcastUpdaterTest, UnreachableAndSlowServersEndInOneSentenceWithinTheLimit) {
    LoopbackHttpServer down;
    const QUrl closedPort = down.url("/appcast.xml");
    down.close();
    auto updater = launch(closedPort);
    EXPECT_EQ(userCheck(*updater), "failed: Tiklo could not reach the update server.");

    updater = launch();
    for (const auto mode : {LoopbackHttpServer::Mode::silent, LoopbackHttpServer::Mode::trickle}) {
        server.setMode(mode);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(userCheck(*updater), "failed: The update server did not answer in time.");
        EXPECT_GE(clock.elapsed(), timeLimit.count() - 50);
        EXPECT_LT(clock.elapsed(), 5000) << "the limit did not hold";
    }

    // Each check the user asks for shows its progress, which can end it: nothing more is
    // shown of it, and a new check can start at once.
    server.setMode(LoopbackHttpServer::Mode::silent);
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
    server.setMode(LoopbackHttpServer::Mode::answer);
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
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(presenter.questions, 0);
    EXPECT_TRUE(defaults.writes.empty());
    EXPECT_TRUE(canCheckValues.empty());

    server.answer(200, feed({"0.2.0"}));
    // First launch with a feed: nothing asked, nothing fetched.
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
    EXPECT_EQ(server.connections, 0);
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

    const double first = now;
    now = first + day - 1;
    timers.tick(hour);
    settle();
    EXPECT_EQ(server.connections, 1);
    // A new launch within the day does not check either.
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
