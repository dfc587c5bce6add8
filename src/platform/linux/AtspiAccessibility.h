// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityProvider.h"

#include <chrono>
#include <functional>
#include <optional>

namespace tiklo {

// The focused text element of the frontmost application, read over AT-SPI 2.
//
// libatspi keeps process-wide state and is not thread-safe: use every instance from the
// main thread. Its connections are dispatched by the default GLib main context, which Qt's
// event loop runs on Linux.
class AtspiAccessibility : public AccessibilityProvider {
public:
    // One query (the lookup plus the calls on the element it returns) ends within this.
    static constexpr std::chrono::milliseconds queryBudget{100};
    // Longest wait for one reply, and for the first replies of an application seen for the
    // first time; both are cut short by what is left of the query's budget.
    static constexpr std::chrono::milliseconds callTimeout{50};
    static constexpr std::chrono::milliseconds startupTimeout{100};
    // Bounds on the search through an application's tree.
    static constexpr int maximumDepth = 64;
    static constexpr int maximumNodes = 5000;

    // `frontmostPid` answers the process id of the frontmost window; nothing when unknown,
    // in which case every application is searched.
    explicit AtspiAccessibility(std::function<std::optional<long>()> frontmostPid);

    std::unique_ptr<FocusedElement> focusedElement() override;

private:
    std::function<std::optional<long>()> frontmostPid_;
};

} // namespace tiklo
