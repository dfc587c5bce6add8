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
    // Appended, then sorted: observers see both steps, the store is written once.
    const AppState::Batch batch(state_);
    std::vector<std::string> added = excluded;
    added.push_back(app->appID);
    state_.setExcludedAppIDs(added);
    std::sort(added.begin(), added.end());
    state_.setExcludedAppIDs(std::move(added));
}

} // namespace tiklo
