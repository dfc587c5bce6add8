// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppExceptions.h"

#include <algorithm>

namespace tiklo {

AppExceptions::AppExceptions(AppState& state, const Workspace& workspace, QObject* parent)
    : QObject(parent), state_(state), workspace_(workspace) {}

void AppExceptions::addCurrentApp() {
    const std::optional<RunningApplication> app = workspace_.lastOtherApplication();
    if (!app || app->appID.empty() || app->appID == workspace_.ownAppID()) {
        return;
    }
    const std::vector<std::string>& excluded = state_.excludedAppIDs();
    if (std::find(excluded.begin(), excluded.end(), app->appID) != excluded.end()) {
        return;
    }
    append(app->appID);
}

bool AppExceptions::add(const QString& text) {
    const std::string appID = text.trimmed().toStdString();
    const std::vector<std::string>& excluded = state_.excludedAppIDs();
    if (appID.empty() || std::find(excluded.begin(), excluded.end(), appID) != excluded.end()) {
        return false;
    }
    append(appID);
    return true;
}

void AppExceptions::remove(const QString& appID) {
    std::vector<std::string> kept = state_.excludedAppIDs();
    const auto removed = std::erase(kept, appID.toStdString());
    if (removed != 0) {
        state_.setExcludedAppIDs(std::move(kept));
    }
}

void AppExceptions::append(const std::string& appID) {
    const AppState::Batch batch(state_);
    std::vector<std::string> added = state_.excludedAppIDs();
    added.push_back(appID);
    state_.setExcludedAppIDs(added);
    std::sort(added.begin(), added.end());
    state_.setExcludedAppIDs(std::move(added));
}

} // namespace tiklo
