// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/InputMethodLinks.h"

#include "core/AddonBusNames.h"

#include <memory>
#include <utility>

namespace tiklo {

InputMethodLinks::InputMethodLinks(QDBusConnection connection, QObject* parent)
    : QObject(parent), program_(this), fcitx5_(InputMethodLink::fcitx5, connection, this),
      ibus_(InputMethodLink::ibus, connection, this) {
    if (!connection.isConnected()) {
        return;
    }
    // One program holds the name (a second one never starts): the front ends' sign that
    // someone opens the picker, and whose text they take.
    connection.registerObject(QString::fromLatin1(addonbus::programPath), &program_,
                              QDBusConnection::ExportScriptableSlots);
    connection.registerService(QString::fromLatin1(addonbus::programService));
}

bool InputMethodLinks::holdsFocusedField() const {
    return fcitx5_.holdsFocusedField() || ibus_.holdsFocusedField();
}

void InputMethodLinks::watch(Listener listener) {
    fcitx5_.watch([listener](State state) { listener(Method::fcitx5, state); });
    ibus_.watch([listener](State state) { listener(Method::ibus, state); });
}

void InputMethodLinks::whenAnswered(std::function<void()> then) {
    const auto answered = [this] {
        return fcitx5_.state() != State::unknown && ibus_.state() != State::unknown;
    };
    if (answered()) {
        then();
        return;
    }
    // Runs once: the waiting object goes with it, and the connections with that.
    auto* const waiting = new QObject(this);
    auto pending = std::make_shared<std::function<void()>>(std::move(then));
    const auto check = [waiting, answered, pending] {
        if (*pending && answered()) {
            const std::function<void()> run = std::exchange(*pending, nullptr);
            waiting->deleteLater();
            run();
        }
    };
    connect(&fcitx5_, &InputMethodLink::stateChanged, waiting, check);
    connect(&ibus_, &InputMethodLink::stateChanged, waiting, check);
}

void InputMethodLinks::openPickerForFocusedField(std::function<void()> otherwise) {
    InputMethodLink* holder = ibus_.holdsFocusedField()     ? &ibus_
                              : fcitx5_.holdsFocusedField() ? &fcitx5_
                                                            : nullptr;
    if (holder == nullptr) {
        otherwise();
        return;
    }
    holder->askForPicker([otherwise = std::move(otherwise)](bool asked) {
        if (!asked) {
            otherwise();
        }
    });
}

void InputMethodLinks::onPickerRequest(PickerRequest open) {
    program_.openPicker = [this, open = std::move(open)](const std::string& kind,
                                                         const std::string& group) {
        asking_ = ibus_.holdsFocusedField() ? &ibus_ : &fcitx5_;
        open(kind, group);
    };
}

void InputMethodLinks::commit(const std::string& text) {
    (asking_ != nullptr ? *asking_ : fcitx5_).commit(text);
}

void InputMethodLinks::setOwnWindowActive(bool active) {
    fcitx5_.setOwnWindowActive(active);
    ibus_.setOwnWindowActive(active);
}

} // namespace tiklo
