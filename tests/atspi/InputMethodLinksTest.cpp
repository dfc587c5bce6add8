// SPDX-License-Identifier: GPL-3.0-or-later
// Tiklo's input-method front ends as the program hears them on the test's private session bus,
// played by objects of this process under their names: whether each is there, installed, and
// holds the focused field, and where the full picker's choice goes.
#include "platform/linux/InputMethodLinks.h"
#include "core/AddonBusNames.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/X11TestEnvironment.h"

#include <gtest/gtest.h>
#include <map>

namespace tiklo {
namespace {

using Method = InputMethodRoute::Method;
using State = InputMethodRoute::State;

// A front end's bus object, answering as the real ones do, on its own connection under its
// input method's name. Each takes every call, so that one sent to the wrong front end shows.
class FakeFrontEnd : public QObject {
    Q_OBJECT
public:
    FakeFrontEnd(const char* service, const char* path, const char* interface)
        : service_(QString::fromLatin1(service)), path_(QString::fromLatin1(path)),
          interface_(QString::fromLatin1(interface)),
          connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, service_)) {}
    ~FakeFrontEnd() override { QDBusConnection::disconnectFromBus(service_); }

    bool start() {
        return connection_.registerObject(path_, interface_, this,
                                          QDBusConnection::ExportAllSlots) &&
               connection_.registerService(service_);
    }
    bool stop() {
        connection_.unregisterObject(path_);
        return connection_.unregisterService(service_);
    }
    // The front end's request for the full picker, as it sends it: to the program's name; at
    // a group when one is given.
    bool askForPicker(const QString& kind = {}, const QString& group = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QString::fromLatin1(addonbus::programService),
            QString::fromLatin1(addonbus::programPath),
            QString::fromLatin1(addonbus::programInterface),
            QString::fromLatin1(kind.isEmpty() ? addonbus::openPickerMethod
                                               : addonbus::openPickerAtMethod));
        if (!kind.isEmpty()) {
            call << kind << group;
        }
        return connection_.send(call);
    }
    bool focus(bool focused) {
        this->focused = focused;
        QDBusMessage signal = QDBusMessage::createSignal(path_, interface_, "FocusChanged");
        signal << focused;
        return connection_.send(signal);
    }

    bool focused = false;
    // Whether its focused field asks for the picker when the program opens one of its own.
    bool fieldAsks = true;
    int pickerAsks = 0;
    QStringList committed;
    std::vector<bool> ownWindow;

public slots:
    bool ServesFocus() const { return focused; }
    void Commit(const QString& text) { committed << text; }
    void SetOwnWindowActive(bool active) { ownWindow.push_back(active); }
    bool AskForPicker() {
        ++pickerAsks;
        return fieldAsks;
    }

private:
    QString service_;
    QString path_;
    QString interface_;
    QDBusConnection connection_;
};

// Each front end as it is installed, comes and goes; one answer to whether an input method
// holds the focused field; and where the picker's choice goes.
TEST(InputMethodLinksTest, FollowEachFrontEndAsItsInputMethodComesAndGoesAndAnswerTheAsker) {
    // The input methods' data folders, without the front ends' descriptions at first.
    const test::TempDir data;
    test::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", data.path().string());
    environment.set("XDG_DATA_DIRS", (data.path() / "system").string());

    InputMethodLinks links;
    std::map<Method, std::vector<State>> heard;
    links.watch([&heard](Method method, State state) { heard[method].push_back(state); });
    ASSERT_TRUE(test::waitUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard[Method::fcitx5], std::vector<State>{State::notInstalled});
    EXPECT_EQ(heard[Method::ibus], std::vector<State>{State::notInstalled});

    // Installed, then running: asked at once, and a field's focus is heard.
    data.write("fcitx5/addon/tiklo-fcitx5.conf", "installed\n");
    data.write("ibus/component/tiklo.xml", "installed\n");
    FakeFrontEnd fcitx5(addonbus::fcitxService, addonbus::addonPath, addonbus::addonInterface);
    FakeFrontEnd ibus(addonbus::ibusService, addonbus::ibusPath, addonbus::ibusInterface);
    ASSERT_TRUE(fcitx5.start());
    ASSERT_TRUE(ibus.start());
    ASSERT_TRUE(test::waitUntil(
        [&] { return heard[Method::fcitx5].size() == 2 && heard[Method::ibus].size() == 2; }));
    EXPECT_EQ(heard[Method::fcitx5].back(), State::on);
    EXPECT_EQ(heard[Method::ibus].back(), State::on);
    EXPECT_FALSE(links.holdsFocusedField());

    // One stops while its field has the focus (IBus when another source is chosen): it holds
    // none, and it is off. (Focus in and out of each front end's field: the input-method roads.)
    ASSERT_TRUE(ibus.focus(true));
    EXPECT_TRUE(test::waitUntil([&] { return links.holdsFocusedField(); }));
    ASSERT_TRUE(ibus.stop());
    ASSERT_TRUE(test::waitUntil([&] { return heard[Method::ibus].size() == 3; }));
    EXPECT_EQ(heard[Method::ibus].back(), State::off);
    EXPECT_FALSE(links.holdsFocusedField());

    // The picker's choice goes back, whole, to the front end whose field asked, and to no
    // other (fcitx5's way is its desktop tests'); only IBus hears of Tiklo's own windows, also
    // when it starts while one is active.
    std::vector<std::pair<std::string, std::string>> requests;
    links.onPickerRequest([&requests](const std::string& kind, const std::string& group) {
        requests.emplace_back(kind, group);
    });
    links.setOwnWindowActive(true);
    ASSERT_TRUE(ibus.start());
    ASSERT_TRUE(ibus.focus(true));
    ASSERT_TRUE(test::waitUntil([&] { return links.holdsFocusedField(); }));
    EXPECT_TRUE(test::waitUntil([&] { return ibus.ownWindow == std::vector<bool>{true}; }));
    links.setOwnWindowActive(false);
    ASSERT_TRUE(ibus.askForPicker());
    EXPECT_TRUE(test::waitUntil([&] { return requests.size() == 1; }));
    ASSERT_TRUE(ibus.askForPicker("symbol", "arrows"));
    EXPECT_TRUE(test::waitUntil([&] { return requests.size() == 2; }));
    EXPECT_EQ(requests,
              (std::vector<std::pair<std::string, std::string>>{{"", ""}, {"symbol", "arrows"}}));
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467 ";
    links.commit(family);
    ASSERT_TRUE(test::waitUntil([&] { return !ibus.committed.isEmpty(); }));
    EXPECT_EQ(ibus.committed, QStringList{QString::fromStdString(family)});
    EXPECT_EQ(ibus.ownWindow, (std::vector<bool>{true, false}));
    EXPECT_TRUE(fcitx5.committed.isEmpty());
    EXPECT_TRUE(fcitx5.ownWindow.empty());
}

// A picker the program opens of its own accord (`tiklo --picker`) waits, at the first launch,
// for both front ends' answers: only then is it known that an input method holds the focused
// field. That field asks for the picker, so that its choice is taken there; where none is held,
// or the field does not ask (a password field), the program's own picker opens.
TEST(InputMethodLinksTest, TheProgramsOwnPickerWaitsForTheAnswersAndGoesThroughTheFocusedField) {
    FakeFrontEnd ibus(addonbus::ibusService, addonbus::ibusPath, addonbus::ibusInterface);
    ibus.focused = true;
    ASSERT_TRUE(ibus.start());
    InputMethodLinks links;
    std::vector<bool> held;
    links.whenAnswered([&] { held.push_back(links.holdsFocusedField()); });
    ASSERT_TRUE(test::waitUntil([&] { return !held.empty(); }));

    int ownPickers = 0;
    const auto ownPicker = [&ownPickers] { ++ownPickers; };
    links.openPickerForFocusedField(ownPicker);
    ASSERT_TRUE(test::waitUntil([&] { return ibus.pickerAsks == 1; }));
    ibus.fieldAsks = false;
    links.openPickerForFocusedField(ownPicker);
    ASSERT_TRUE(test::waitUntil([&] { return ownPickers > 0; }));
    ASSERT_TRUE(ibus.focus(false));
    ASSERT_TRUE(test::waitUntil([&] { return !links.holdsFocusedField(); }));
    links.openPickerForFocusedField(ownPicker);
    EXPECT_EQ(ownPickers, 2);
    EXPECT_EQ(ibus.pickerAsks, 2);

    ASSERT_TRUE(ibus.stop());
    test::waitUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(held, std::vector<bool>{true});
    links.whenAnswered([&] { held.push_back(links.holdsFocusedField()); });
    EXPECT_EQ(held, (std::vector<bool>{true, false}));
}

} // namespace
} // namespace tiklo

#include "InputMethodLinksTest.moc"
