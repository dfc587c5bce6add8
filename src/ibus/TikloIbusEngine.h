// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glib-object.h>

typedef struct _IBusFactory IBusFactory;

namespace tiklo {

class IbusProgramLink;
class SettingsFileWatch;

// Makes `factory` serve Tiklo's engine as `name`, one object per input context IBus gives it:
// each one an IbusFieldSearch, told which client has the focus. Every object shares
// `settings` and `link`, which outlive them all.
void serveTikloIbusEngine(IBusFactory* factory, const char* name, SettingsFileWatch& settings,
                          IbusProgramLink& link);

} // namespace tiklo
