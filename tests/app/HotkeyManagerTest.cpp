#include "app/HotkeyManager.h"
#include "support/FakePlatform.h"
#include "support/LogCapture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(HotkeyManagerTest, IdsAreFreshAndRefusalsAreLoggedAndHoldNothing) {
    test::FakeHotkeyService service;
    HotkeyManager manager(service);
    EXPECT_EQ(manager.registerHotkey(Hotkey{}, [] {}), 1u);
    EXPECT_EQ(manager.registerHotkey(Hotkey{}, [] {}), 2u);
    EXPECT_EQ(service.calls.back().key, Hotkey::defaultKey);

    service.refuseWith = 10;
    test::LogCapture log;
    const std::uint32_t refused =
        manager.registerHotkey(Hotkey{{keysym::space, Modifier::super}}, [] {});
    EXPECT_EQ(refused, 3u);
    EXPECT_FALSE(manager.isRegistered(refused));
    ASSERT_EQ(log.lines.size(), 1);
    EXPECT_EQ(log.lines[0],
              "tiklo.hotkey: Tiklo: failed to register hotkey Super+Space (status 10)");

    // Unregistering a refused, unknown or already released id changes nothing.
    const auto callsBefore = service.calls.size();
    manager.unregister(refused);
    manager.unregister(99);
    EXPECT_EQ(service.calls.size(), callsBefore);
    manager.unregister(1);
    manager.unregister(1);
    EXPECT_EQ(service.grabbed, (std::set<std::uint32_t>{2}));
}

TEST(HotkeyManagerTest, PressesRunTheirActionOnALaterTurn) {
    test::FakeHotkeyService service;
    HotkeyManager manager(service);
    int fired = 0;
    const std::uint32_t id = manager.registerHotkey(Hotkey{}, [&] { ++fired; });
    service.press(id);
    EXPECT_EQ(fired, 0); // not inside the system's dispatch
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);

    service.press(42); // no action: consumed, nothing happens
    manager.unregister(id);
    service.press(id);
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
}

} // namespace
} // namespace tiklo
