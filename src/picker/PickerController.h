// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/InlineSearchSession.h"
#include "input/CaretLocator.h"
#include "input/PickerOpener.h"
#include "picker/PickerPanel.h"
#include "picker/PickerSession.h"
#include "platform/KeyboardHold.h"
#include "platform/Screens.h"
#include "platform/Workspace.h"

#include <chrono>
#include <functional>
#include <memory>

#include <QObject>
#include <QTimer>

namespace tiklo {

class AppState;

// Opens the one picker window in either presentation, routes its keys to the session, and
// takes it away again. Main thread only.
class PickerController : public QObject, public PickerOpener {
    Q_OBJECT
public:
    static constexpr double presentSeconds = 0.13;
    static constexpr double presentDrop = 6;

    struct Services {
        PickerSession& session;
        const AppState& state;
        const Workspace& workspace;
        const Screens& screens;
        // Holds what the user types from the opening until the picker has the keyboard.
        KeyboardHold& hold;
        // The field typed in: its caret, and whether it is a password field.
        std::function<FocusedField()> focusedField;
        // Makes the window on first use.
        std::function<std::unique_ptr<PickerPanel>()> makePanel;
    };

    explicit PickerController(Services services, QObject* parent = nullptr);

    void show(const std::string& query, int replacementBackspaces,
              std::optional<RunningApplication> targetApp, view::Presentation mode) override;
    // A key pressed after the prefix but before the hold began reached the application: a
    // character that keeps the query a search joins it (and goes with the prefix when the
    // emoji replaces it); punctuation, and any other key that acts there, make the popup
    // give way.
    bool keyTypedWhileHolding(const KeyDown& key) override;
    bool gaveWay() const override { return services_.session.gaveWay(); }
    void hide();
    // The full picker in place of the popup, listing `group` of the tab of `kind`.
    void showGroup(view::Kind kind, const QString& group);
    // Makes the window and the results for the empty query ready, so that the first showing
    // is as quick as the others. Main thread, while the user is not typing.
    void prepare();

    // How long the popup of a prefix alone waits for a key before it shows anyway. Zero shows
    // it on the next turn of the event loop (for measuring the showing itself).
    void setSearchPause(std::chrono::milliseconds pause) { searchPause_ = pause; }

    bool isGridLayout() const;
    bool hasPanel() const { return panel_ != nullptr; }

private:
    PickerPanel& ensurePanel();
    void position(PickerPanel& panel, view::Presentation mode, const std::optional<Rect>& caret);
    void present(PickerPanel& panel, view::Presentation mode);
    bool handleKey(const PickerKeyEvent& event);
    void deactivated();
    void activated();
    void prepareNextShowing();
    // Shows the picker set up by show(), and gives it the keys held.
    void reveal();
    // The popup will not be seen: the keys held go to the application.
    void withdraw();

    Services services_;
    std::unique_ptr<PickerPanel> panel_;
    // The inline popup closes when it loses the keyboard; the full picker stays.
    bool closesOnDeactivation_ = false;
    // The picker was shown and has not had the keyboard yet.
    bool awaitingKeyboard_ = false;
    bool shown_ = false;
    // The popup is set up and not yet seen: it waits for a key of a search, or a pause.
    bool awaitingSearch_ = false;
    std::chrono::milliseconds searchPause_;
    QTimer pauseTimer_;
};

} // namespace tiklo
