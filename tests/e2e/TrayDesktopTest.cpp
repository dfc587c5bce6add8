// SPDX-License-Identifier: GPL-3.0-or-later
// The tray program on a private desktop with an XEmbed tray (trayer): the welcome window at
// launch, the menu, a shortcut recorded in the settings window, and quitting.
#include "e2e/DefaultsPlist.h"
#include "e2e/TikloDesktop.h"
#include "support/Poll.h"
#include "support/X11TestClient.h"

#include <algorithm>
#include <sstream>
#include <thread>

#include <QImage>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

// Around the tray and the menu in the saved picture.
constexpr int pictureMargin = 12;
constexpr const char* welcomeTitle = "Welcome to Tiklo";

// The visible windows of the class `instance`, with their titles and places on the screen.
std::vector<std::pair<std::string, ScreenRect>> visibleWindows(const std::string& instance) {
    std::vector<std::pair<std::string, ScreenRect>> windows;
    std::istringstream ids(
        TikloDesktop::xdotool({"search", "--onlyvisible", "--classname", instance}).output);
    for (TikloDesktop::WindowID id = 0; ids >> id;) {
        const std::string title =
            TikloDesktop::xdotool({"getwindowname", std::to_string(id)}).output;
        if (const std::optional<ScreenRect> frame = TikloDesktop::windowFrame(id)) {
            windows.emplace_back(title.substr(0, title.find('\n')), *frame);
        }
    }
    return windows;
}

std::optional<ScreenRect> trayPanel() {
    const auto panels = visibleWindows("panel");
    return panels.empty() ? std::nullopt : std::optional(panels.front().second);
}

// Tiklo's window inside the tray's panel.
std::optional<ScreenRect> trayIcon() {
    const std::optional<ScreenRect> panel = trayPanel();
    for (const auto& [title, frame] : visibleWindows("tiklo")) {
        if (panel && frame.x >= panel->x && frame.right() <= panel->right() &&
            frame.y >= panel->y && frame.bottom() <= panel->bottom()) {
            return frame;
        }
    }
    return std::nullopt;
}

// The X id of Tiklo's visible window titled `title`.
std::optional<std::string> windowNamed(const std::string& title) {
    const std::string ids =
        TikloDesktop::xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).output;
    return ids.empty() ? std::nullopt : std::optional(ids.substr(0, ids.find('\n')));
}

bool settingsWindowShown() {
    return std::ranges::any_of(visibleWindows("tiklo"), [](const auto& window) {
        return window.first == "Tiklo" && window.second.width >= 400 && window.second.height >= 400;
    });
}

// The full picker is told from the settings window, also titled "Tiklo", by its size.
bool fullPickerShown() {
    return std::ranges::any_of(visibleWindows("tiklo"), [](const auto& window) {
        return window.second.width == 620 && window.second.height == 470;
    });
}

// Clicks the icon and waits for the menu; its place on the screen. The pointer rests on the
// icon before the click, as a hand's would: a press in the same instant as the pointer's arrival
// may go to the window manager instead. An icon just put in the tray may miss the first click,
// so a user's second click is allowed for.
std::optional<ScreenRect> openMenu(TikloDesktop& desktop) {
    const std::optional<ScreenRect> icon = trayIcon();
    for (int attempt = 0; icon && attempt < 3; ++attempt) {
        const int x = icon->x + icon->width / 2;
        const int y = icon->y + icon->height / 2;
        desktop.movePointer(x, y);
        std::this_thread::sleep_for(300ms);
        desktop.click(x, y);
        const std::optional<ScreenRect> menu = pollFor(
            []() -> std::optional<ScreenRect> {
                for (const auto& [title, rect] : visibleWindows("tiklo")) {
                    if (title == "Tiklo" && rect.y < 100 && rect.width >= 100 &&
                        rect.height >= 100) {
                        return rect;
                    }
                }
                return std::nullopt;
            },
            2s);
        if (menu) {
            return menu;
        }
    }
    return std::nullopt;
}

// One user's road: the welcome window in front at the first launch, finished with the keyboard
// alone and stored as finished; the next launch leaves the desktop alone, and launches while it
// runs show its settings or its full picker. From the tray's menu, Settings, where a shortcut
// recorded with the keyboard works at once and is stored; quitting frees the shortcut.
TEST(TrayDesktopTest, WelcomeSettingsShortcutAndQuitFromTheTray) {
    TikloDesktop desktop({.accessibility = false, .onboarded = false, .target = false});
    ASSERT_TRUE(desktop.ready()) << desktop.error();
    const ChildProcess tray(
        {"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "120",
         "--height", "28"},
        {.output = ChildProcess::Stream::discard, .errors = ChildProcess::Stream::discard});
    ASSERT_TRUE(pollFor([] { return trayPanel().has_value(); }, 10s)) << "the tray did not appear";
    // Tiklo, once its icon sits in the tray. (Probing the hotkey meanwhile could take it from
    // Tiklo as it registers it.)
    const auto startTiklo = [&] {
        return desktop.launchTiklo() &&
               pollFor([&] { return !desktop.tikloRunning() || trayIcon().has_value(); }, 30s) &&
               desktop.tikloRunning();
    };
    // Through the menu's last item, reached with the arrow keys as a user would.
    const auto quitFromMenu = [&] {
        return openMenu(desktop) && TikloDesktop::key("Up") && TikloDesktop::key("Return") &&
               pollFor([&] { return !desktop.tikloRunning(); }, 10s);
    };
    ASSERT_FALSE(std::filesystem::exists(desktop.defaultsFile()));
    ASSERT_TRUE(startTiklo()) << "Tiklo did not take its place in the tray";
    ASSERT_TRUE(pollFor([] { return windowNamed(welcomeTitle); }, 10s)) << "no welcome window";
    const auto welcomeInFront = [] {
        return TikloDesktop::xdotool({"getactivewindow", "getwindowname"}).output ==
               std::string(welcomeTitle) + "\n";
    };
    EXPECT_TRUE(pollFor(welcomeInFront, 10s)) << "the welcome window is not in front";

    // Return on "Get started", on "Continue", then on "Start using Tiklo".
    ASSERT_TRUE(desktop.keySequence({"Return", "Return", "Return"}, 500ms));
    EXPECT_TRUE(pollFor([] { return !windowNamed(welcomeTitle).has_value(); }, 5s))
        << "the window stays after finishing";
    EXPECT_EQ(storedBool(desktop.defaultsFile(), "didCompleteOnboarding"), true)
        << "not stored as finished";
    ASSERT_TRUE(quitFromMenu()) << "no menu after clicking the icon, or Tiklo did not quit";

    ASSERT_TRUE(startTiklo());
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(windowNamed(welcomeTitle).has_value()) << "the welcome window opened again";

    // Launched again, as from the menu, the running Tiklo shows its settings and stays the one
    // running; with --picker it shows its full picker.
    EXPECT_EQ(ChildProcess::run({TIKLO_EXECUTABLE}).status, 0);
    EXPECT_TRUE(pollFor(settingsWindowShown, 10s)) << "a second launch showed no settings";
    EXPECT_TRUE(desktop.tikloRunning());
    EXPECT_EQ(ChildProcess::run({TIKLO_EXECUTABLE, "--picker"}).status, 0);
    EXPECT_TRUE(pollFor(fullPickerShown, 10s)) << "tiklo --picker showed no full picker";
    ASSERT_TRUE(TikloDesktop::key("Escape"));
    ASSERT_TRUE(pollFor([] { return !fullPickerShown(); }, 5s));

    // The tray with its open menu, as the README shows it.
    const std::optional<ScreenRect> menu = openMenu(desktop);
    ASSERT_TRUE(menu) << "no menu after clicking the icon";
    const ScreenRect panel = *trayPanel();
    const std::filesystem::path whole =
        std::filesystem::path(TIKLO_TRAY_SCREENSHOT).parent_path() / "tray_menu_screen.png";
    ASSERT_TRUE(desktop.screenshot(whole));
    const QImage screen(QString::fromStdString(whole.string()));
    ASSERT_FALSE(screen.isNull());
    const int left = std::max(0, std::min(menu->x, panel.x) - pictureMargin);
    const int right = std::min(
        screen.width(), std::max(menu->x + menu->width, panel.x + panel.width) + pictureMargin);
    const int bottom = std::min(screen.height(), menu->y + menu->height + pictureMargin);
    EXPECT_TRUE(screen.copy(left, 0, right - left, bottom).save(TIKLO_TRAY_SCREENSHOT));
    ASSERT_TRUE(desktop.keySequence({"Down", "Down", "Return"}, 50ms)); // Settings
    ASSERT_TRUE(pollFor(settingsWindowShown, 10s)) << "no settings window";
    EXPECT_TRUE(TikloDesktop::hotkeyHeld());
    const std::optional<std::string> window = windowNamed("Tiklo");
    ASSERT_TRUE(window);
    ASSERT_TRUE(TikloDesktop::xdotool({"windowactivate", "--sync", *window}).succeeded());
    std::this_thread::sleep_for(300ms);
    // Tab to the sidebar's second entry and choose it; Tab past the last two entries and the
    // page's two switches to the recorder and start it; then the new shortcut.
    ASSERT_TRUE(desktop.keySequence(
        {"Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab", "Tab", "space"}, 80ms));
    std::this_thread::sleep_for(300ms);
    // While it records, Tiklo lets its shortcut go.
    ASSERT_TRUE(pollFor([] { return !TikloDesktop::hotkeyHeld(); }, 5s))
        << "the recorder did not start";
    ASSERT_TRUE(TikloDesktop::key("ctrl+shift+space"));
    const std::string storedHotkey = R"({"keyCode":49,"modifiers":4608})";
    ASSERT_TRUE(
        pollFor([&] { return storedData(desktop.defaultsFile(), "hotkey") == storedHotkey; }, 5s))
        << "the settings file does not hold Ctrl+Shift+Space";
    // Pressed now, the new shortcut opens the full picker; the old one is free again.
    ASSERT_TRUE(TikloDesktop::key("ctrl+shift+space"));
    EXPECT_TRUE(pollFor(fullPickerShown, 10s)) << "the full picker did not open";
    EXPECT_FALSE(TikloDesktop::hotkeyHeld());
    ASSERT_TRUE(TikloDesktop::key("Escape"));
    ASSERT_TRUE(pollFor([] { return !fullPickerShown(); }, 5s));

    ASSERT_TRUE(quitFromMenu()) << "Tiklo still runs after Quit Tiklo";
    X11TestClient other;
    const xcb_keycode_t space = other.keycode(' ');
    ASSERT_NE(space, 0);
    EXPECT_EQ(other.grabKey(space, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT), 0)
        << "the shortcut is still held after quitting";
}

} // namespace
} // namespace tiklo::test
