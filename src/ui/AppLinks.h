// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace tiklo {

// Fixed addresses outside the program.
class AppLinks {
public:
    // The page of Orlen's newsletter, opened by the tray menu; formed once.
    static const QUrl& newsletter();
};

} // namespace tiklo
