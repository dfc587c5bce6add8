// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/AtspiAccessibility.h"

#include <algorithm>

#include "platform/linux/AtspiCallBudget.h"
#include "platform/linux/AtspiFocusedElement.h"
#include "platform/linux/GObjectRef.h"
#include "platform/linux/ScopedGError.h"

#include <atspi/atspi.h>
#include <unistd.h>

#include <utility>

namespace tiklo {
namespace {

using Clock = std::chrono::steady_clock;

// Once a connection to the accessibility bus failed, how long before trying again: finding
// the bus may block on the session bus, which is not worth doing on every query.
constexpr auto reconnectInterval = std::chrono::seconds(10);

// libatspi's state is per process, and so is whether it could connect.
bool connectOnce() {
    static bool connected = false;
    static std::optional<Clock::time_point> lastFailure;
    if (connected) {
        return true;
    }
    if (lastFailure && Clock::now() - *lastFailure < reconnectInterval) {
        return false;
    }
    // 0: connected now; 1: someone in this process connected before.
    const int result = atspi_init();
    connected = result == 0 || result == 1;
    if (!connected) {
        // Without a bus every later libatspi call aborts the process; atspi_exit makes
        // atspi_init try again instead of reporting "already done".
        atspi_exit();
        lastFailure = Clock::now();
    }
    return connected;
}

struct Search {
    const AtspiCallBudget& budget;
    int nodesLeft = AtspiAccessibility::maximumNodes;
    // The element found hides what is typed into it.
    bool secret = false;
};

// Depth first, the first element that has keyboard focus and text. A focused element
// without text (a window, a combo box) may still hold the one that has both.
GObjectRef<AtspiText> findFocusedText(AtspiAccessible* node, int depth, Search& search) {
    if (depth > AtspiAccessibility::maximumDepth || search.nodesLeft <= 0 || !search.budget.arm()) {
        return nullptr;
    }
    --search.nodesLeft;
    const GObjectRef<AtspiStateSet> states(atspi_accessible_get_state_set(node));
    if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_DEFUNCT)) {
        return nullptr;
    }
    if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED)) {
        if (!search.budget.arm()) {
            return nullptr;
        }
        if (GObjectRef<AtspiText> text{atspi_accessible_get_text_iface(node)}) {
            // GTK's entries with hidden text and Qt's password fields both say so by role.
            ScopedGError error;
            search.secret = search.budget.arm() && atspi_accessible_get_role(node, error.slot()) ==
                                                       ATSPI_ROLE_PASSWORD_TEXT;
            return text;
        }
    }
    ScopedGError error;
    if (!search.budget.arm()) {
        return nullptr;
    }
    const gint count = atspi_accessible_get_child_count(node, error.slot());
    if (error.failed()) {
        return nullptr;
    }
    for (gint index = 0; index < count && search.nodesLeft > 0; ++index) {
        if (!search.budget.arm()) {
            return nullptr;
        }
        const GObjectRef<AtspiAccessible> child(
            atspi_accessible_get_child_at_index(node, index, error.slot()));
        if (error.failed() || !child) {
            // A child that cannot be had still counts, or a broken list would never end.
            --search.nodesLeft;
            continue;
        }
        if (GObjectRef<AtspiText> text = findFocusedText(child.get(), depth + 1, search)) {
            return text;
        }
    }
    return nullptr;
}

} // namespace

AtspiAccessibility::AtspiAccessibility(std::function<std::optional<long>()> frontmostPid)
    : frontmostPid_(std::move(frontmostPid)) {}

std::unique_ptr<FocusedElement> AtspiAccessibility::focusedElement() {
    // 0 stands for an unknown window owner: every application is searched then.
    const long pid = std::max(frontmostPid_ ? frontmostPid_().value_or(0) : 0L, 0L);
    const long ownPid = getpid();
    // Tiklo's own tree is served by the thread that would be waiting for the answer.
    if (pid == ownPid || !connectOnce()) {
        return nullptr;
    }
    const AtspiCallBudget budget(Clock::now() + queryBudget, callTimeout, startupTimeout);
    if (!budget.arm()) {
        return nullptr;
    }
    const GObjectRef<AtspiAccessible> desktop(atspi_get_desktop(0));
    if (!desktop) {
        return nullptr;
    }
    ScopedGError error;
    if (!budget.arm()) {
        return nullptr;
    }
    const gint applications = atspi_accessible_get_child_count(desktop.get(), error.slot());
    if (error.failed()) {
        return nullptr;
    }
    Search search{budget};
    for (gint index = 0; index < applications && search.nodesLeft > 0; ++index) {
        if (!budget.arm()) {
            return nullptr;
        }
        const GObjectRef<AtspiAccessible> application(
            atspi_accessible_get_child_at_index(desktop.get(), index, error.slot()));
        if (error.failed() || !application) {
            continue;
        }
        // Asked of the bus, not of the application: answers even when the application hangs.
        const long applicationPid =
            atspi_accessible_get_process_id(application.get(), error.slot());
        if (error.failed() || applicationPid == ownPid || (pid != 0 && applicationPid != pid)) {
            continue;
        }
        if (GObjectRef<AtspiText> text = findFocusedText(application.get(), 0, search)) {
            return std::make_unique<AtspiFocusedElement>(std::move(text), budget, search.secret);
        }
    }
    return nullptr;
}

} // namespace tiklo
