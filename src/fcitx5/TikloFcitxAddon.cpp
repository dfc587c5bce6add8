// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/TikloFcitxAddon.h"

#include "catalog/EmojiCatalog.h"
#include "core/AddonBusNames.h"
#include "core/SettingsFile.h"
#include "fcitx5/FcitxKeys.h"

#include <dbus_public.h>
#include <fcitx-utils/capabilityflags.h>
#include <fcitx-utils/log.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputcontextmanager.h>

namespace tiklo {
namespace {

// fcitx5's own switch shows it: `fcitx5 --verbose=tiklo=5`.
FCITX_DEFINE_LOG_CATEGORY(tikloLog, "tiklo");

} // namespace

TikloFcitxAddon::TikloFcitxAddon(fcitx::Instance* instance)
    : instance_(instance),
      settings_(SettingsFile::defaultPath(),
                // Files and reasons only: never a value, a key or a query.
                [](const std::string& message) { FCITX_LOGC(tikloLog, Warn) << message; }),
      busObject_([this](const std::string& sender,
                        const std::string& text) { pickerRoad_->deliver(sender, text); },
                 [this](const std::string& sender) { return askForPicker(sender); }),
      // The first search must not wait for the catalog: build it and its indexes now.
      warmUp_([] { EmojiCatalog::shared().prepare(); }),
      searchFactory_([this](fcitx::InputContext& ic) {
          return new FcitxFieldSearch(
              ic, instance_->eventLoop(), settings_,
              []() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, *pickerRoad_);
      }) {
    // Each field's search holds the picker's road: it is there before the first field is,
    // and fcitx makes the property at once for the fields that exist already.
    fcitx::dbus::Bus* bus = nullptr;
    if (fcitx::AddonInstance* module = dbus()) {
        bus = module->call<fcitx::IDBusModule::bus>();
        bus->addObjectVTable(addonbus::addonPath, addonbus::addonInterface, busObject_);
    }
    pickerRoad_ = std::make_unique<PickerRoad>(bus);
    instance_->inputContextManager().registerProperty("tikloSearchState", &searchFactory_);

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

bool TikloFcitxAddon::keyPressed(fcitx::KeyEvent& keyEvent) {
    auto* ic = keyEvent.inputContext();
    const fcitx::Key& raw = keyEvent.rawKey();
    FcitxFieldSearch* field = search(ic);
    field->session().setPickerAvailable(pickerRoad_->available());
    // The modifiers and the place as typed (Ctrl+Shift+1 stays Shift), the text as fcitx
    // reads the key.
    return field->session().keyPressed(FcitxKeys::toKey(raw), FcitxKeys::text(keyEvent.key()),
                                       field->field());
}

bool TikloFcitxAddon::askForPicker(const std::string& sender) {
    fcitx::InputContext* ic = instance_->mostRecentInputContext();
    if (ic == nullptr || !ic->hasFocus() || !pickerRoad_->isProgram(sender)) {
        return false;
    }
    FcitxFieldSearch* field = search(ic);
    field->session().setPickerAvailable(pickerRoad_->available());
    return field->session().askForPicker(field->field());
}

void TikloFcitxAddon::onKeyBeforeInputMethod(fcitx::KeyEvent& keyEvent) {
    if (keyEvent.isRelease()) {
        return;
    }
    const bool searching = search(keyEvent.inputContext())->session().active();
    // Every shortcut has a modifier: plain typing costs nothing more here.
    if (!searching && !FcitxKeys::isShortcut(keyEvent.rawKey())) {
        return;
    }
    if (keyPressed(keyEvent)) {
        keyEvent.filterAndAccept();
    } else if (searching && search(keyEvent.inputContext())->session().active() &&
               !keyEvent.key().isModifier()) {
        // A shortcut while searching is the application's, not the input method's.
        keyEvent.filter();
    }
}

void TikloFcitxAddon::onKeyAfterInputMethod(fcitx::KeyEvent& keyEvent) {
    // This runs for every key typed in every field: the cheap tests first. A prefix the input
    // method used for itself never gets here.
    if (keyEvent.isRelease() || keyEvent.filtered() || FcitxKeys::isShortcut(keyEvent.rawKey()) ||
        search(keyEvent.inputContext())->session().active()) {
        return;
    }
    if (keyPressed(keyEvent)) {
        keyEvent.filterAndAccept();
    }
}

void TikloFcitxAddon::onLeave(fcitx::InputContextEvent& event) {
    FcitxFieldSearch* field = search(event.inputContext());
    // What was typed stays typed. When the field loses the focus, preedit it showed itself
    // is committed already (by fcitx, or by the field when it commits on unfocus); text shown
    // only in fcitx's popup, and anything on a reset or a switch, is committed here.
    field->session().leave(event.type() == fcitx::EventType::InputContextFocusOut &&
                           field->showsPreedit());
}

} // namespace tiklo
