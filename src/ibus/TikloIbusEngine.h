// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib-object.h>

namespace tiklo {

class IbusProgramLink;
class SettingsFileWatch;

// The IBus engine type, one object per input context IBus gives it: each one an
// IbusFieldSearch. Every object shares `settings` and `link`, which outlive them all.
GType tikloIbusEngineType(SettingsFileWatch& settings, IbusProgramLink& link);

} // namespace tiklo
