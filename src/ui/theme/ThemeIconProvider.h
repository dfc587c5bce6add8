// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QQuickImageProvider>
#include <QString>

class QQmlEngine;

namespace tiklo {

// Serves freedesktop theme icons to QML as "image://themeicon/<icon-name>?color=<colour>",
// painted in the given colour so symbols can take the text colours of the theme.
class ThemeIconProvider : public QQuickImageProvider {
public:
    static constexpr const char* providerId = "themeicon";
    // Used when the desktop's icon theme lacks a name (and on platforms without one).
    static constexpr const char* fallbackTheme = "Adwaita";
    // Size served when QML does not ask for one.
    static constexpr int defaultSize = 16;

    struct Request {
        QString iconName;
        QColor color; // invalid: the icon's own colours
    };

    ThemeIconProvider();

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;

    // Reads "<icon-name>[?color=<colour>]"; the colour may be percent-encoded and may name
    // an alpha as #AARRGGBB.
    static Request parse(const QString& id);

    // The named icon of the current or fallback theme; null when neither has it.
    static QIcon lookup(const QString& iconName);

    // Makes the provider available to `engine`, makes sure icon lookups reach the desktop's
    // icon folders and the fallback theme, and lets the engine find the program's QML
    // modules, which are compiled in under qrc:/qt/qml (not searched by default in Qt 6.4).
    // Call once per engine, before loading QML.
    static void install(QQmlEngine& engine);

private:
    QHash<QString, QIcon> cache_;
};

} // namespace tiklo
