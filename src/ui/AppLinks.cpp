// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AppLinks.h"

namespace tiklo {

const QUrl& AppLinks::newsletter() {
    static const QUrl address(QStringLiteral("https://tiklo.io/newsletter"));
    return address;
}

} // namespace tiklo
