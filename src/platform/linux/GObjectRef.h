// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib-object.h>

#include <memory>

namespace tiklo {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
};

// Owns one reference to a GObject (the "transfer full" results of libatspi).
template <typename T> using GObjectRef = std::unique_ptr<T, GObjectUnref>;

} // namespace tiklo
