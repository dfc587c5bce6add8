#include "fcitx5/TikloFcitxAddon.h"

#include "catalog/ReferenceClock.h"
#include "core/AddonBusNames.h"
#include "core/SettingsFile.h"
#include "fcitx5/FcitxQueryKey.h"

#include <dbus_public.h>
#include <fcitx-utils/capabilityflags.h>
#include <fcitx-utils/log.h>
#include <fcitx-utils/textformatflags.h>
#include <fcitx/candidatelist.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputcontextmanager.h>
#include <fcitx/inputpanel.h>
#include <fcitx/text.h>
#include <fcitx/userinterface.h>

#include <algorithm>

namespace tiklo {
namespace {

const std::vector<std::string> pageLabels{"1. ", "2. ", "3. ", "4. ", "5. ",
                                          "6. ", "7. ", "8. ", "9. "};

// Removes the last character (a whole UTF-8 sequence) of `text`.
void removeLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) {
        text.pop_back();
    }
}

} // namespace

TikloFcitxAddon::TikloFcitxAddon(fcitx::Instance* instance)
    : instance_(instance),
      settings_(SettingsFile::defaultPath(),
                // Files and reasons only: never a value, a key or a query.
                [](const std::string& message) { FCITX_WARN() << "Tiklo: " << message; }),
      busObject_([this](const std::string& sender, const std::string& text) {
          pickerRoad_->deliver(sender, text);
      }),
      // The first search must not wait for the catalog: build it and its indexes now.
      warmUp_([] {
          EmojiCatalog::shared().index();
          EmojiCatalog::shared().wordRuns();
      }),
      chooser_([this](fcitx::InputContext* ic, int index) { choose(ic, index); }) {
    instance_->inputContextManager().registerProperty("tikloSearchState", &stateFactory_);

    // After the input method: a prefix it used for itself (a Pinyin engine's ";", say) is
    // its own, and only the one it let through opens a search.
    handlers_.emplace_back(instance_->watchEvent(
        fcitx::EventType::InputContextKeyEvent, fcitx::EventWatcherPhase::PostInputMethod,
        [this](fcitx::Event& event) {
            onKeyAfterInputMethod(static_cast<fcitx::KeyEvent&>(event));
        }));
    // Before the input method: the picker's shortcut, and while a search is open, its keys.
    handlers_.emplace_back(instance_->watchEvent(
        fcitx::EventType::InputContextKeyEvent, fcitx::EventWatcherPhase::PreInputMethod,
        [this](fcitx::Event& event) {
            onKeyBeforeInputMethod(static_cast<fcitx::KeyEvent&>(event));
        }));
    // Where fcitx5 holds the focused field, Tiklo's program leaves the search to this addon.
    for (auto type :
         {fcitx::EventType::InputContextFocusIn, fcitx::EventType::InputContextFocusOut}) {
        handlers_.emplace_back(instance_->watchEvent(
            type, fcitx::EventWatcherPhase::PostInputMethod, [this, type](fcitx::Event& event) {
                const bool in = type == fcitx::EventType::InputContextFocusIn;
                busObject_.setFocused(in);
                if (in) {
                    pickerRoad_->focusedIn(
                        static_cast<fcitx::InputContextEvent&>(event).inputContext());
                }
            }));
    }
    fcitx::dbus::Bus* bus = nullptr;
    if (fcitx::AddonInstance* module = dbus()) {
        bus = module->call<fcitx::IDBusModule::bus>();
        bus->addObjectVTable(addonbus::addonPath, addonbus::addonInterface, busObject_);
    }
    pickerRoad_ = std::make_unique<PickerRoad>(bus);
    for (auto type : {fcitx::EventType::InputContextFocusOut, fcitx::EventType::InputContextReset,
                      fcitx::EventType::InputContextSwitchInputMethod}) {
        handlers_.emplace_back(instance_->watchEvent(
            type, fcitx::EventWatcherPhase::PreInputMethod, [this](fcitx::Event& event) {
                onLeave(static_cast<fcitx::InputContextEvent&>(event));
            }));
    }
}

TikloFcitxAddon::~TikloFcitxAddon() {
    if (warmUp_.joinable()) {
        warmUp_.join();
    }
}

bool TikloFcitxAddon::serves(fcitx::InputContext* ic, const TriggerSettings& settings) const {
    if (!settings.masterEnabled ||
        ic->capabilityFlags().testAny(fcitx::CapabilityFlag::PasswordOrSensitive)) {
        return false;
    }
    const std::string& program = ic->program();
    return program != ownProgram && !settings.excludes(program);
}

void TikloFcitxAddon::onKeyBeforeInputMethod(fcitx::KeyEvent& keyEvent) {
    auto* ic = keyEvent.inputContext();
    if (state(ic)->active) {
        onKeyWhileSearching(keyEvent);
        return;
    }
    // Every shortcut has a modifier: plain typing costs nothing more here.
    if (keyEvent.isRelease() || !FcitxQueryKey::isShortcut(keyEvent.key()) ||
        !pickerRoad_->available() || ic->program() == ownProgram) {
        return;
    }
    // Whether or not search is enabled, as the program's own shortcut.
    if (FcitxQueryKey::isHotkey(keyEvent.rawKey(), settings_.current().hotkey.key)) {
        keyEvent.filterAndAccept();
        pickerRoad_->request(ic);
    }
}

void TikloFcitxAddon::onKeyAfterInputMethod(fcitx::KeyEvent& keyEvent) {
    // This runs for every key typed in every field: the cheap tests first.
    if (keyEvent.isRelease() || keyEvent.filtered() || FcitxQueryKey::isShortcut(keyEvent.key())) {
        return;
    }
    auto* ic = keyEvent.inputContext();
    if (state(ic)->active) {
        return;
    }
    const std::string typed = fcitx::Key::keySymToUTF8(keyEvent.key().sym());
    if (typed.empty()) {
        return;
    }
    const TriggerSettings& settings = settings_.current();
    if (typed != settings.triggerPrefix || !serves(ic, settings)) {
        return;
    }
    keyEvent.filterAndAccept();
    SearchState* search = state(ic);
    search->close();
    search->active = true;
    search->prefix = typed;
    refresh(ic);
}

void TikloFcitxAddon::onKeyWhileSearching(fcitx::KeyEvent& keyEvent) {
    auto* ic = keyEvent.inputContext();
    SearchState* search = state(ic);
    const fcitx::Key key = keyEvent.key();
    if (keyEvent.isRelease() || key.isModifier()) {
        // Shift and the like choose what the next key types; they reach the input method.
        return;
    }
    const bool firstKey = search->firstKey;
    search->firstKey = false;

    auto* list = ic->inputPanel().candidateList().get();
    if (const int digit = FcitxQueryKey::chooserDigit(key)) {
        keyEvent.filterAndAccept();
        // The numbers shown: the current page's.
        if (list != nullptr && digit <= list->size()) {
            list->candidate(digit - 1).select(ic);
        }
        return;
    }

    const QueryKey queryKey = FcitxQueryKey::of(key);
    const QueryState queryState{search->query, search->results.size(), firstKey};
    if (GiveWayRule::givesWay(queryState, queryKey, EmojiCatalog::shared().wordRuns())) {
        // The prefix was punctuation: what was typed goes in as typed, with the key that
        // ended it, in one commit so the two cannot arrive apart. A line end or a tab is no
        // text: it goes on to the application after the commit.
        if (queryKey.kind == QueryKey::Kind::text) {
            keyEvent.filterAndAccept();
            finish(ic, search->literal() + queryKey.text);
        } else {
            finish(ic, search->literal());
        }
        return;
    }

    if (FcitxQueryKey::isShortcut(key)) {
        // Copy, undo and the like are the application's; the search stays as it is.
        keyEvent.filter();
        return;
    }
    keyEvent.filterAndAccept();
    switch (key.sym()) {
    case FcitxKey_Return:
    case FcitxKey_KP_Enter:
    case FcitxKey_Linefeed:
        if (list != nullptr && list->cursorIndex() >= 0) {
            list->candidate(list->cursorIndex()).select(ic);
        }
        return;
    case FcitxKey_Escape:
        finish(ic, search->literal());
        return;
    case FcitxKey_BackSpace:
        if (search->query.empty()) {
            // The prefix itself goes, as a BackSpace after it in the document would take it.
            finish(ic, {});
        } else {
            removeLastCharacter(search->query);
            refresh(ic);
        }
        return;
    case FcitxKey_Up:
    case FcitxKey_KP_Up:
        moveCursor(ic, -1);
        return;
    case FcitxKey_Down:
    case FcitxKey_KP_Down:
        moveCursor(ic, 1);
        return;
    case FcitxKey_Page_Up:
    case FcitxKey_KP_Page_Up:
        moveCursor(ic, -pageSize);
        return;
    case FcitxKey_Page_Down:
    case FcitxKey_KP_Page_Down:
        moveCursor(ic, pageSize);
        return;
    default:
        break;
    }
    if (queryKey.kind == QueryKey::Kind::text) {
        search->query += queryKey.text;
        refresh(ic);
    }
    // Anything else (arrows across, Home, function keys) has no place in a one-line query.
}

void TikloFcitxAddon::onLeave(fcitx::InputContextEvent& event) {
    auto* ic = event.inputContext();
    SearchState* search = state(ic);
    if (!search->active) {
        return;
    }
    // What was typed stays typed. When the field loses the focus, preedit it showed itself
    // is committed already (by fcitx, or by the field when it commits on unfocus); text shown
    // only in fcitx's popup, and anything on a reset or a switch, is committed here.
    const bool committedAlready =
        event.type() == fcitx::EventType::InputContextFocusOut && search->clientPreedit;
    finish(ic, committedAlready ? std::string() : search->literal());
}

void TikloFcitxAddon::refresh(fcitx::InputContext* ic) {
    SearchState* search = state(ic);
    const TriggerSettings& settings = settings_.current();
    search->results = EmojiCatalog::shared().search(search->query, std::nullopt, settings.favorites,
                                                    settings.emojiUsage, settings.recents);

    auto& panel = ic->inputPanel();
    panel.reset();
    if (!search->results.empty()) {
        auto list = std::make_unique<fcitx::CommonCandidateList>();
        list->setPageSize(pageSize);
        list->setLayoutHint(fcitx::CandidateLayoutHint::Vertical);
        list->setLabels(pageLabels);
        int index = 0;
        for (const EmojiItem* item : search->results) {
            list->append<EmojiCandidate>(item->displayEmoji(settings.skinToneFor(item->emoji)),
                                         item->name, index++, &chooser_);
        }
        list->setGlobalCursorIndex(0);
        panel.setCandidateList(std::move(list));
    }

    const std::string text = search->literal();
    search->clientPreedit = ic->capabilityFlags().test(fcitx::CapabilityFlag::Preedit);
    if (search->clientPreedit) {
        fcitx::Text preedit(text, fcitx::TextFormatFlag::Underline);
        preedit.setCursor(static_cast<int>(text.size()));
        panel.setClientPreedit(preedit);
    } else {
        // A field that cannot show preedit: fcitx's popup shows the query.
        fcitx::Text preedit(text);
        preedit.setCursor(static_cast<int>(text.size()));
        panel.setPreedit(preedit);
    }
    ic->updatePreedit();
    ic->updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void TikloFcitxAddon::moveCursor(fcitx::InputContext* ic, int delta) {
    auto* list = dynamic_cast<fcitx::CommonCandidateList*>(ic->inputPanel().candidateList().get());
    if (list == nullptr || list->totalSize() == 0) {
        return;
    }
    // Stops at either end, as the popup's list does.
    const int target = std::clamp(list->globalCursorIndex() + delta, 0, list->totalSize() - 1);
    list->setPage(target / pageSize);
    list->setGlobalCursorIndex(target);
    ic->updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void TikloFcitxAddon::choose(fcitx::InputContext* ic, int resultIndex) {
    SearchState* search = state(ic);
    if (!search->active || resultIndex < 0 ||
        resultIndex >= static_cast<int>(search->results.size())) {
        return;
    }
    const EmojiItem& item = *search->results[static_cast<std::size_t>(resultIndex)];
    const TriggerSettings& settings = settings_.current();
    std::string text = item.displayEmoji(settings.skinToneFor(item.emoji));
    if (settings.insertSpaceAfterTrigger) {
        text += ' ';
    }
    finish(ic, text);
    // After the commit: the field has its emoji before the file is written.
    settings_.recordUse(item, secondsSinceReferenceDate());
}

void TikloFcitxAddon::finish(fcitx::InputContext* ic, const std::string& text) {
    state(ic)->close();
    ic->inputPanel().reset();
    ic->updatePreedit();
    ic->updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
    if (!text.empty()) {
        ic->commitString(text);
    }
}

} // namespace tiklo
