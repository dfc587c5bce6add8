// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib.h>

namespace tiklo {

// The error slot of one GLib call at a time; whatever it holds is freed on reuse and at the
// end of the scope.
class ScopedGError {
public:
    ScopedGError() = default;
    ~ScopedGError() { g_clear_error(&error_); }
    ScopedGError(const ScopedGError&) = delete;
    ScopedGError& operator=(const ScopedGError&) = delete;

    // For the next call's GError** argument; clears what an earlier call left.
    GError** slot() {
        g_clear_error(&error_);
        return &error_;
    }
    bool failed() const { return error_ != nullptr; }

private:
    GError* error_ = nullptr;
};

} // namespace tiklo
