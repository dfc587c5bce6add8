// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo {

// The Tiklo that already runs for this user, as a second launch reaches it: through its
// object on the session bus. Needs a Qt application object.
class RunningProgram {
public:
    // Asking ends within this.
    static constexpr int replyTimeoutMs = 2000;

    // Calls `method` (ShowPicker, ShowSettings) of the running program; whether it answered.
    static bool ask(const char* method);
};

} // namespace tiklo
