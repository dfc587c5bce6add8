// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/HotkeyRecorder.h"

#include "core/HotkeyCodec.h"
#include "core/KeyNames.h"
#include "ui/QtKeys.h"

#include <array>
#include <utility>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace tiklo {
namespace {

// Keys that only change what others do: pressed alone they end nothing.
constexpr auto modifierKeys = std::to_array<int>(
    {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Meta, Qt::Key_Super_L,
     Qt::Key_Super_R, Qt::Key_Hyper_L, Qt::Key_Hyper_R, Qt::Key_CapsLock, Qt::Key_NumLock,
     Qt::Key_ScrollLock, Qt::Key_Mode_switch});

// What KeyNames calls a key it has no name for.
constexpr const char* unnamed = "?";

} // namespace

HotkeyRecorder::HotkeyRecorder(HotkeyRegistration& registration, const KeyboardLayout* layout,
                               QObject* parent)
    : QObject(parent), registration_(registration), layout_(layout) {}

// Made and gone with the program's services: nothing is registered on the way out.
HotkeyRecorder::~HotkeyRecorder() {
    if (recording_) {
        finish();
    }
}

void HotkeyRecorder::start(QQuickItem* within) {
    if (recording_) {
        return;
    }
    window_ = within != nullptr ? within->window() : nullptr;
    // Without a window to watch, the whole program's keys are watched.
    QObject* watched = window_ ? static_cast<QObject*>(window_.data())
                               : static_cast<QObject*>(QCoreApplication::instance());
    if (watched != nullptr) {
        watched->installEventFilter(this);
    }
    registration_.unregisterHotkey();
    recording_ = true;
    setRefusal({});
    emit recordingChanged();
}

void HotkeyRecorder::setRefusal(QString refusal) {
    if (refusal_ != refusal) {
        refusal_ = std::move(refusal);
        emit refusalChanged();
    }
}

void HotkeyRecorder::stop() {
    if (!recording_) {
        return;
    }
    finish();
    registration_.registerHotkey();
    emit recordingChanged();
}

void HotkeyRecorder::finish() {
    if (window_) {
        window_->removeEventFilter(this);
    } else if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    window_.clear();
    recording_ = false;
}

void HotkeyRecorder::toggle(QQuickItem* within) {
    if (recording_) {
        stop();
    } else {
        start(within);
    }
}

HotkeyRecorder::Press HotkeyRecorder::interpret(const QKeyEvent& event,
                                                const KeyboardLayout* layout) {
    for (const int key : modifierKeys) {
        if (event.key() == key) {
            return {};
        }
    }
    const Modifiers modifiers = QtKeys::modifiersOf(event.modifiers());
    KeySym sym = layout != nullptr ? layout->keySymAt(event.nativeScanCode()) : keysym::none;
    if (sym == keysym::none) {
        sym = QtKeys::keysymOf(event.key());
    }
    // A key the settings file cannot keep would be lost at the next launch, and one without
    // a name could not be shown: neither is taken.
    if (modifiers.empty() || sym == keysym::escape || sym == keysym::none ||
        !HotkeyCodec::keyCodeOf(sym) || KeyNames::keyName(sym) == unnamed) {
        return {Outcome::cancel, {}};
    }
    return {Outcome::record, Hotkey{Key{sym, modifiers}}};
}

bool HotkeyRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (!recording_) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // No shortcut of the window acts on the key being recorded.
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const Press press = interpret(*static_cast<QKeyEvent*>(event), layout_);
    if (press.outcome == Outcome::ignore) {
        return QObject::eventFilter(watched, event);
    }
    finish();
    // Either way the shortcut is registered again: the new one, or the old one.
    if (press.outcome == Outcome::record) {
        if (!registration_.change(press.hotkey)) {
            setRefusal(tr("%1 is taken by another program")
                           .arg(QString::fromStdString(press.hotkey.display())));
            emit refused();
        }
    } else {
        registration_.registerHotkey();
    }
    emit recordingChanged();
    return true;
}

} // namespace tiklo
