// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/EmojiCandidate.h"

namespace tiklo {

EmojiCandidate::EmojiCandidate(const std::string& emoji, const std::string& name, int index,
                               const Chooser* chooser)
    : fcitx::CandidateWord(fcitx::Text(emoji + "  " + name)), index_(index), chooser_(chooser) {}

void EmojiCandidate::select(fcitx::InputContext* inputContext) const {
    (*chooser_)(inputContext, index_);
}

} // namespace tiklo
