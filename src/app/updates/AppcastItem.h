// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/DottedVersion.h"

#include <QString>
#include <QUrl>

namespace tiklo {

// One release offered by the update feed.
struct AppcastItem {
    DottedVersion version;
    // What people are shown: the feed's short version string, else the version itself.
    QString displayVersion;
    // As the feed gives it (often HTML); shown as plain text.
    QString releaseNotes;
    // A web page (http or https) where the release can be downloaded.
    QUrl downloadPage;
};

} // namespace tiklo
