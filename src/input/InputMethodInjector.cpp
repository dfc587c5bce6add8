// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/InputMethodInjector.h"

namespace tiklo {

void InputMethodInjector::replace(int /*backspaces*/, std::string text,
                                  std::optional<RunningApplication> app) {
    route_.commit(text);
    // The hold ends once `app` (if any) is back in front.
    keys_.reactivate(std::move(app));
}

} // namespace tiklo
