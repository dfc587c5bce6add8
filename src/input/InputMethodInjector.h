// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/TextInjector.h"
#include "platform/InputMethodRoute.h"

namespace tiklo {

// Typing through the input method, for a full picker it asked for: the field it holds may be
// one Tiklo cannot type into (any field on Wayland). The input method commits the text once
// the window system has given the field the focus back; the user's keys are held meanwhile
// and the picker's own window is brought back as for any insertion.
class InputMethodInjector : public TextInjector {
public:
    InputMethodInjector(TextInjector& keys, InputMethodRoute& route) : keys_(keys), route_(route) {}

    void holdKeys() override { keys_.holdKeys(); }
    void forwardKeys(const std::vector<KeyStroke>& keys) override { keys_.forwardKeys(keys); }
    // The picker was opened by its shortcut, so nothing typed before it is to be deleted.
    void replace(int backspaces, std::string text, std::optional<RunningApplication> app) override;
    void reactivate(std::optional<RunningApplication> app) override { keys_.reactivate(app); }

private:
    TextInjector& keys_;
    InputMethodRoute& route_;
};

} // namespace tiklo
