// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputMethodRoute.h"
#include "platform/linux/InputMethodLink.h"
#include "platform/linux/ProgramBusObject.h"

#include <QDBusConnection>
#include <QObject>

namespace tiklo {

// Tiklo's input-method front ends (fcitx5's addon, the IBus engine) as one route: one answer
// to whether an input method holds the focused field, and the full picker for the one that
// asked. The program is on the bus under its own name for them (and for a second launch of
// itself). Main thread only.
class InputMethodLinks : public QObject, public InputMethodRoute {
    Q_OBJECT
public:
    explicit InputMethodLinks(QDBusConnection connection = QDBusConnection::sessionBus(),
                              QObject* parent = nullptr);

    // The program's own object on the bus.
    ProgramBusObject& program() { return program_; }
    // Runs `then` once both front ends have answered or are known not to run: until then,
    // whether an input method holds the focused field is not known.
    void whenAnswered(std::function<void()> then);
    // A picker the program opens of its own accord (a second launch, `tiklo --picker`): where
    // an input method holds the focused field, that field asks for it, and the choice goes
    // back there; elsewhere, or when it does not ask, `otherwise` opens it.
    void openPickerForFocusedField(std::function<void()> otherwise);

    bool holdsFocusedField() const override;
    void watch(Listener listener) override;
    void onPickerRequest(PickerRequest open) override;
    void commit(const std::string& text) override;
    void setOwnWindowActive(bool active) override;

private:
    ProgramBusObject program_;
    InputMethodLink fcitx5_;
    InputMethodLink ibus_;
    // The one that held the field when the picker was asked for: its choice goes back there.
    InputMethodLink* asking_ = nullptr;
};

} // namespace tiklo
