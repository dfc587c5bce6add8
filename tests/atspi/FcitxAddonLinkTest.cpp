// Tiklo's fcitx5 addon as the program hears it on the test's private session bus, played by
// an object of this process under fcitx5's name: whether it is there, installed, and holds
// the focused field.
#include "platform/linux/FcitxAddonLink.h"
#include "core/AddonBusNames.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/X11TestEnvironment.h"

#include <fstream>
#include <vector>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

using State = InputMethodRoute::State;

// The addon's bus object, answering as the real one does.
class FakeAddon : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tiklo.Fcitx5")
public:
    bool focused = false;
    QStringList committed;

public slots:
    bool ServesFocus() const { return focused; }
    void Commit(const QString& text) { committed << text; }
};

class FakeFcitx5 {
public:
    FakeFcitx5()
        : connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                    QStringLiteral("fake-fcitx5"))) {}
    ~FakeFcitx5() { QDBusConnection::disconnectFromBus(QStringLiteral("fake-fcitx5")); }

    bool start() {
        return connection_.registerObject(QString::fromLatin1(addonbus::addonPath), &addon_,
                                          QDBusConnection::ExportAllSlots) &&
               connection_.registerService(QString::fromLatin1(addonbus::fcitxService));
    }
    bool stop() {
        connection_.unregisterObject(QString::fromLatin1(addonbus::addonPath));
        return connection_.unregisterService(QString::fromLatin1(addonbus::fcitxService));
    }
    const QStringList& committed() const { return addon_.committed; }
    // The addon's request for the full picker, as it sends it: to the program's name.
    bool askForPicker() {
        return connection_.send(QDBusMessage::createMethodCall(
            QString::fromLatin1(addonbus::programService),
            QString::fromLatin1(addonbus::programPath),
            QString::fromLatin1(addonbus::programInterface), QStringLiteral("OpenPicker")));
    }
    bool focus(bool focused) {
        addon_.focused = focused;
        QDBusMessage signal = QDBusMessage::createSignal(
            QString::fromLatin1(addonbus::addonPath), QString::fromLatin1(addonbus::addonInterface),
            QStringLiteral("FocusChanged"));
        signal << focused;
        return connection_.send(signal);
    }

private:
    QDBusConnection connection_;
    FakeAddon addon_;
};

TEST(FcitxAddonLinkTest, FollowsTheAddonAsFcitx5ComesAndGoes) {
    // fcitx5's data folders, without the addon's description at first.
    const test::TempDir data;
    test::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", data.path().string());
    environment.set("XDG_DATA_DIRS", (data.path() / "system").string());

    FcitxAddonLink link;
    std::vector<State> heard;
    link.watch([&heard](State state) { heard.push_back(state); });
    ASSERT_TRUE(test::waitUntil([&] { return !heard.empty(); }));
    EXPECT_EQ(heard, std::vector<State>{State::notInstalled});
    EXPECT_FALSE(link.holdsFocusedField());

    // Installed, then fcitx5 starts with it: asked at once, and a field's focus is heard.
    std::filesystem::create_directories(data.path() / "fcitx5" / "addon");
    std::ofstream(data.path() / "fcitx5" / "addon" / "tiklo-fcitx5.conf") << "[Addon]\n";
    FakeFcitx5 fcitx5;
    ASSERT_TRUE(fcitx5.start());
    ASSERT_TRUE(test::waitUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard.back(), State::on);
    EXPECT_FALSE(link.holdsFocusedField());
    ASSERT_TRUE(fcitx5.focus(true));
    EXPECT_TRUE(test::waitUntil([&] { return link.holdsFocusedField(); }));
    ASSERT_TRUE(fcitx5.focus(false));
    EXPECT_TRUE(test::waitUntil([&] { return !link.holdsFocusedField(); }));

    // fcitx5 stops while a field has the focus: it holds none, and the addon is off.
    ASSERT_TRUE(fcitx5.focus(true));
    ASSERT_TRUE(test::waitUntil([&] { return link.holdsFocusedField(); }));
    ASSERT_TRUE(fcitx5.stop());
    ASSERT_TRUE(test::waitUntil([&] { return heard.size() == 3; }));
    EXPECT_EQ(heard.back(), State::off);
    EXPECT_FALSE(link.holdsFocusedField());
    // Settled: nothing more is heard.
    test::waitUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(heard.size(), 3U);
}

// The addon asks the program for the full picker by the program's name, and the emoji chosen
// goes back to the addon, whole.
TEST(FcitxAddonLinkTest, OpensThePickerTheAddonAsksForAndSendsItTheChoice) {
    FcitxAddonLink link;
    int requests = 0;
    link.onPickerRequest([&requests] { ++requests; });
    FakeFcitx5 fcitx5;
    ASSERT_TRUE(fcitx5.start());
    ASSERT_TRUE(fcitx5.askForPicker());
    EXPECT_TRUE(test::waitUntil([&] { return requests == 1; }));

    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467 ";
    link.commit(family);
    ASSERT_TRUE(test::waitUntil([&] { return !fcitx5.committed().isEmpty(); }));
    EXPECT_EQ(fcitx5.committed(), QStringList{QString::fromStdString(family)});
    EXPECT_TRUE(fcitx5.stop());
}

TEST(FcitxAddonLinkTest, NoSessionBusHoldsNothing) {
    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/tiklo-test-bus"), QStringLiteral("nowhere"));
    FcitxAddonLink link(nowhere);
    std::vector<State> heard;
    link.watch([&heard](State state) { heard.push_back(state); });
    EXPECT_EQ(heard.size(), 1U);
    EXPECT_FALSE(link.holdsFocusedField());
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace
} // namespace tiklo

#include "FcitxAddonLinkTest.moc"
