// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/SoftwareUpdater.h"

namespace tiklo::test {

// An updater whose ability to check the test sets; counts starts and checks.
class FakeSoftwareUpdater : public SoftwareUpdater {
public:
    void start() override { ++starts; }
    bool canCheckForUpdates() const override { return canCheck; }
    void setCanCheckHandler(std::function<void(bool)> handler) override {
        handler_ = std::move(handler);
    }
    void checkForUpdates() override { ++checks; }

    // Changes the value and reports it as the real updater would.
    void setCanCheck(bool value) {
        canCheck = value;
        if (handler_) {
            handler_(value);
        }
    }

    bool canCheck = false;
    int starts = 0;
    int checks = 0;

private:
    std::function<void(bool)> handler_;
};

} // namespace tiklo::test
