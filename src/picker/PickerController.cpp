// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerController.h"

#include "app/AppState.h"
#include "picker/PanelSizes.h"
#include "picker/PickerPlacement.h"

#include <QMetaObject>

namespace tiklo {

PickerController::PickerController(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)),
      searchPause_(InlineSearchSession::searchPause) {
    connect(&services_.session, &PickerSession::hideRequested, this, &PickerController::hide);
    connect(&services_.session, &PickerSession::groupOpenRequested, this,
            &PickerController::showGroup);
    pauseTimer_.setSingleShot(true);
    connect(&pauseTimer_, &QTimer::timeout, this, [this] {
        if (awaitingSearch_) {
            reveal();
        }
    });
}

void PickerController::show(const std::string& query, int replacementBackspaces,
                            std::optional<RunningApplication> targetApp, view::Presentation mode) {
    // Before anything slow: the keys typed from here on belong to the picker.
    services_.hold.hold();
    awaitingKeyboard_ = true;
    std::optional<Rect> caret;
    if (mode == view::Presentation::Inline && services_.focusedField) {
        const FocusedField field = services_.focusedField();
        if (field.secret) {
            // Never in a password field: the prefix and what follows stay the password's,
            // and nothing of them reaches the picker or the usage history.
            awaitingKeyboard_ = false;
            services_.hold.releaseToFocus();
            return;
        }
        caret = field.caret;
    }
    PickerSession& session = services_.session;
    const std::optional<RunningApplication> target =
        targetApp ? targetApp : services_.workspace.frontmostApplication();
    // Nothing of an earlier showing carries over (what it had typed ahead, say).
    session.beginShowing();
    session.setTargetApp(target);
    session.setQuery(query);
    session.setCategory(view::Category::All);
    session.setReplacementBackspaces(replacementBackspaces);
    session.setPresentationMode(mode);
    session.setSelectedIndex(0);
    session.setCommandHeld(false);
    session.refreshResults();

    PickerPanel& panel = ensurePanel();
    const QSize size = PanelSizes::of(mode);
    panel.resize(size.width(), size.height());
    panel.setMovableByBackground(mode == view::Presentation::Full);
    position(panel, mode, caret);
    if (mode == view::Presentation::Inline) {
        // Seen once the query holds a search: a ";" of punctuation maps no window. The keys
        // stay held meanwhile, and the first of them decides.
        awaitingSearch_ = true;
        pauseTimer_.start(searchPause_);
        return;
    }
    reveal();
}

void PickerController::reveal() {
    awaitingSearch_ = false;
    pauseTimer_.stop();
    PickerPanel& panel = ensurePanel();
    const view::Presentation mode = services_.session.presentationMode();
    // Only the inline popup closes when it loses the keyboard; from now on, after the window
    // took the keyboard.
    closesOnDeactivation_ = false;
    present(panel, mode);
    if (const std::uint64_t window = panel.windowID(); window != 0) {
        services_.session.setPickerWindow(
            RunningApplication{services_.workspace.ownAppID(), 0, window});
    }
    closesOnDeactivation_ = mode == view::Presentation::Inline;
    shown_ = true;
    // The keys held meanwhile go to the picker once it really has the keyboard.
    services_.hold.releaseToOwnWindow();
}

void PickerController::showGroup(view::Kind kind, const QString& group) {
    PickerSession& session = services_.session;
    // What the popup would have replaced, the full picker's choice replaces, in the same place.
    const int backspaces = session.replacementBackspaces();
    const std::optional<RunningApplication> target = session.targetApp();
    hide();
    show("", backspaces, target, view::Presentation::Full);
    session.showGroup(kind, group);
}

void PickerController::withdraw() {
    // Never seen: the keys held go to the application as they were typed, the prefix is
    // already there.
    awaitingSearch_ = false;
    pauseTimer_.stop();
    awaitingKeyboard_ = false;
    services_.session.reset();
    services_.hold.releaseToFocus();
}

bool PickerController::keyTypedWhileHolding(const KeyDown& key) {
    PickerSession& session = services_.session;
    if (!awaitingKeyboard_) {
        return false;
    }
    if (key.synthetic || session.presentationMode() != view::Presentation::Inline) {
        return true;
    }
    // Held keys reach the popup in order once it is seen; until then each tells whether it
    // will be.
    const bool held = services_.hold.took(key.scanCode, key.time);
    if (held && !awaitingSearch_) {
        return true;
    }
    const std::string typed = key.charactersIgnoringModifiers.value_or("");
    if (typed.empty() && keysym::isModifier(key.key.sym)) {
        return true;
    }
    const QueryKey queryKey = QueryKey::of(key.key, typed);
    const bool searches = queryKey.kind == QueryKey::Kind::text && !session.givesWay(queryKey);
    if (searches || (held && keysym::isDeadKey(key.key.sym))) {
        if (!held) {
            session.appendTypedAhead(typed);
        }
        if (awaitingSearch_) {
            reveal();
        }
        return true;
    }
    if (held) {
        withdraw();
        return true;
    }
    // The key acted in the application in a way the popup cannot follow (Backspace, a
    // shortcut, Return), or it was punctuation: the popup gives way. The held keys follow
    // once the application has the keyboard back, not before.
    awaitingKeyboard_ = false;
    session.giveWay();
    return true;
}

void PickerController::prepare() {
    // A picker shown before has paid for its first showing already.
    if (panel_) {
        return;
    }
    PickerPanel& panel = ensurePanel();
    // The full picker's rows are laid out too, so that its first showing finds them made;
    // its view stays hidden meanwhile.
    services_.session.setPresentationMode(view::Presentation::Full);
    services_.session.refreshResults();
    // As the first showing will most likely be: the popup of a ";" with an empty query.
    services_.session.setPresentationMode(view::Presentation::Inline);
    services_.session.refreshResults();
    panel.resize(PanelSizes::inlinePopup.width(), PanelSizes::inlinePopup.height());
    panel.prepare();
    // Finding the caret the first time connects to the accessibility bus.
    if (services_.focusedField) {
        services_.focusedField();
    }
}

void PickerController::hide() {
    closesOnDeactivation_ = false;
    awaitingSearch_ = false;
    pauseTimer_.stop();
    if (awaitingKeyboard_) {
        // It never had the keyboard: what was held goes where the keyboard is.
        awaitingKeyboard_ = false;
        if (services_.hold.isHolding()) {
            services_.hold.releaseToFocus();
        }
    }
    if (panel_) {
        panel_->hide();
    }
    shown_ = false;
    // Later, once nothing waits: the next showing starts from the empty query, and finding
    // its results ready it shows them without rebuilding the list.
    QMetaObject::invokeMethod(this, &PickerController::prepareNextShowing, Qt::QueuedConnection);
}

void PickerController::prepareNextShowing() {
    if (!shown_ && services_.session.query().empty()) {
        services_.session.refreshResults();
    }
}

bool PickerController::isGridLayout() const {
    return services_.session.presentationMode() == view::Presentation::Full &&
           services_.state.pickerMode() == view::PickerMode::Grid;
}

PickerPanel& PickerController::ensurePanel() {
    if (!panel_) {
        panel_ = services_.makePanel();
        panel_->setKeyHandler([this](const PickerKeyEvent& event) { return handleKey(event); });
        panel_->setDeactivatedHandler([this] { deactivated(); });
        panel_->setActivatedHandler([this] { activated(); });
    }
    return *panel_;
}

void PickerController::position(PickerPanel& panel, view::Presentation mode,
                                const std::optional<Rect>& caret) {
    const Rect frame = panel.frame();
    const Screens& screens = services_.screens;
    if (const std::optional<Point> origin =
            PickerPlacement::origin(mode, {frame.width, frame.height}, caret, screens.screens(),
                                    screens.mainScreen(), screens.mouseLocation())) {
        panel.move(*origin);
    }
}

void PickerController::present(PickerPanel& panel, view::Presentation mode) {
    const bool animated = mode == view::Presentation::Inline && !services_.screens.reduceMotion();
    panel.show(animated, presentDrop, presentSeconds);
}

bool PickerController::handleKey(const PickerKeyEvent& event) {
    if (!panel_ || !panel_->isActive()) {
        return false;
    }
    // Keys reach it: it has the keyboard, whether or not the window system said so yet (it
    // does not when the window was active before it was last hidden). Holds begun from here
    // on (a choice's, or giving way's) are not the opening's, and hiding leaves them be.
    awaitingKeyboard_ = false;
    return services_.session.handleKey(event, isGridLayout());
}

void PickerController::activated() {
    awaitingKeyboard_ = false;
}

void PickerController::deactivated() {
    if (!closesOnDeactivation_) {
        return;
    }
    // Act on a later turn, outside the window system's focus change.
    QMetaObject::invokeMethod(
        this,
        [this] {
            hide();
            services_.session.reset();
        },
        Qt::QueuedConnection);
}

} // namespace tiklo
