// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/AutomaticUpdateChecks.h"

#include <cmath>
#include <optional>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

constexpr const char* hasLaunchedBeforeKey = "hasLaunchedBefore";
constexpr const char* automaticChecksKey = "automaticallyChecksForUpdates";
// Seconds since 2001-01-01 UTC as JSON data, like every other stored time.
constexpr const char* lastCheckKey = "lastUpdateCheckTime";

std::optional<double> storedTime(const DefaultsStore& defaults) {
    const std::optional<std::string> data = defaults.dataValue(lastCheckKey);
    if (!data) {
        return std::nullopt;
    }
    const nlohmann::json value = nlohmann::json::parse(*data, nullptr, false);
    if (!value.is_number() || !std::isfinite(value.get<double>())) {
        return std::nullopt;
    }
    return value.get<double>();
}

} // namespace

AutomaticUpdateChecks::AutomaticUpdateChecks(DefaultsStore& defaults, Clock clock)
    : defaults_(defaults), clock_(std::move(clock)) {}

bool AutomaticUpdateChecks::launchNeedsQuestion() {
    if (consent() != Consent::unasked) {
        return false;
    }
    if (!defaults_.boolValue(hasLaunchedBeforeKey).value_or(false)) {
        defaults_.setBool(hasLaunchedBeforeKey, true);
        return false;
    }
    return true;
}

AutomaticUpdateChecks::Consent AutomaticUpdateChecks::consent() const {
    const std::optional<bool> answer = defaults_.boolValue(automaticChecksKey);
    if (!answer) {
        return Consent::unasked;
    }
    return *answer ? Consent::allowed : Consent::refused;
}

void AutomaticUpdateChecks::setConsent(bool allowed) {
    defaults_.setBool(automaticChecksKey, allowed);
}

bool AutomaticUpdateChecks::isDue() const {
    if (consent() != Consent::allowed) {
        return false;
    }
    const std::optional<double> last = storedTime(defaults_);
    if (!last) {
        return true;
    }
    const double elapsed = clock_() - *last;
    return elapsed < 0 || elapsed >= interval;
}

void AutomaticUpdateChecks::recordCheck() {
    defaults_.setData(lastCheckKey, nlohmann::json(clock_()).dump());
}

} // namespace tiklo
