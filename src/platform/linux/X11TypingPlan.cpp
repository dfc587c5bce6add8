// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11TypingPlan.h"

#include <algorithm>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {

std::optional<xcb_keysym_t> X11TypingPlan::keysymFor(char32_t c) {
    if (c == U'\r' || c == U'\n') {
        return XKB_KEY_Return;
    }
    if (c == U'\t') {
        return XKB_KEY_Tab;
    }
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return std::nullopt;
    }
    if (c <= 0xff) {
        return static_cast<xcb_keysym_t>(c);
    }
    return static_cast<xcb_keysym_t>(0x01000000 + c);
}

X11TypingPlan X11TypingPlan::make(std::u32string_view text, const X11KeyboardMapping& mapping,
                                  std::size_t maxBorrowed) {
    const std::vector<xcb_keycode_t> spare = mapping.spareKeycodes();
    const std::size_t limit = maxBorrowed == 0 ? spare.size() : std::min(spare.size(), maxBorrowed);
    const std::optional<xcb_keycode_t> returnKey = mapping.keycodeFor(XKB_KEY_Return);
    const std::optional<xcb_keycode_t> tabKey = mapping.keycodeFor(XKB_KEY_Tab);

    X11TypingPlan plan;
    X11TypingBatch batch;
    for (const char32_t c : text) {
        const std::optional<xcb_keysym_t> keysym = keysymFor(c);
        if (!keysym) {
            continue;
        }
        if (*keysym == XKB_KEY_Return && returnKey) {
            batch.keys.push_back(*returnKey);
            continue;
        }
        if (*keysym == XKB_KEY_Tab && tabKey) {
            batch.keys.push_back(*tabKey);
            continue;
        }
        const auto mapped =
            std::find_if(batch.mappings.begin(), batch.mappings.end(),
                         [&](const auto& entry) { return entry.second == *keysym; });
        if (mapped != batch.mappings.end()) {
            batch.keys.push_back(mapped->first);
            continue;
        }
        if (limit == 0) {
            ++plan.untypable;
            continue;
        }
        if (batch.mappings.size() == limit) {
            plan.batches.push_back(std::move(batch));
            batch = {};
        }
        const xcb_keycode_t keycode = spare[batch.mappings.size()];
        batch.mappings.emplace_back(keycode, *keysym);
        batch.keys.push_back(keycode);
    }
    if (!batch.keys.empty()) {
        plan.batches.push_back(std::move(batch));
    }
    return plan;
}

} // namespace tiklo
