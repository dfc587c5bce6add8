// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/TikloFcitxAddon.h"

#include <fcitx/addonfactory.h>
#include <fcitx/addonmanager.h>

namespace tiklo {
namespace {

class TikloFcitxFactory : public fcitx::AddonFactory {
    fcitx::AddonInstance* create(fcitx::AddonManager* manager) override {
        return new TikloFcitxAddon(manager->instance());
    }
};

} // namespace
} // namespace tiklo

FCITX_ADDON_FACTORY(tiklo::TikloFcitxFactory);
