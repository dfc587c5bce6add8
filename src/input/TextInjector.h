// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyStroke.h"
#include "platform/RunningApplication.h"

#include <optional>
#include <string>
#include <vector>

namespace tiklo {

// Typing into another application, as the picker needs it. All calls return at once.
class TextInjector {
public:
    virtual ~TextInjector() = default;
    // The user's keys are held from now until the next replace or reactivate has done its
    // work, then typed after it: called before the picker goes away, so that no key falls
    // between the picker and the application.
    virtual void holdKeys() = 0;
    // Keys that Tiklo's window took are typed into the application as they were typed, first
    // of the keys held: after holdKeys, once the next replace or reactivate has done its work.
    virtual void forwardKeys(const std::vector<KeyStroke>& keys) = 0;
    virtual void replace(int backspaces, std::string text,
                         std::optional<RunningApplication> app) = 0;
    virtual void reactivate(std::optional<RunningApplication> app) = 0;
};

} // namespace tiklo
