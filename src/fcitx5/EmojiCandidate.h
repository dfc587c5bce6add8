// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcitx/candidatelist.h>

#include <functional>

namespace tiklo {

// One search result in fcitx's candidate list: the emoji as it would be typed, and its name.
// Choosing it (by mouse, or through the addon's keys) hands its place among the results back.
class EmojiCandidate : public fcitx::CandidateWord {
public:
    using Chooser = std::function<void(fcitx::InputContext*, int)>;

    EmojiCandidate(const std::string& emoji, const std::string& name, int index,
                   const Chooser* chooser);
    void select(fcitx::InputContext* inputContext) const override;

private:
    int index_;
    const Chooser* chooser_;
};

} // namespace tiklo
