// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/ReferenceClock.h"
#include "core/DefaultsStore.h"

namespace tiklo {

// Whether and when Tiklo looks for updates by itself, kept in the settings file: it asks
// once, on the second launch (the first is for trying the program), and then checks at most
// once a day, and only if the user agreed.
class AutomaticUpdateChecks {
public:
    static constexpr double interval = 24 * 60 * 60;

    enum class Consent { unasked, allowed, refused };

    AutomaticUpdateChecks(DefaultsStore& defaults, Clock clock);

    // Call once per launch: true when the user is to be asked now.
    bool launchNeedsQuestion();
    Consent consent() const;
    void setConsent(bool allowed);

    // Allowed, and the last automatic check is a day ago or more (or never happened, or
    // lies in the future because the clock was set back).
    bool isDue() const;
    void recordCheck();

private:
    DefaultsStore& defaults_;
    Clock clock_;
};

} // namespace tiklo
