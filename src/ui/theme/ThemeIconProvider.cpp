// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QUrl>

namespace tiklo {

ThemeIconProvider::ThemeIconProvider() : QQuickImageProvider(QQuickImageProvider::Pixmap) {}

ThemeIconProvider::Request ThemeIconProvider::parse(const QString& id) {
    Request request;
    const qsizetype query = id.indexOf(u'?');
    request.iconName = query < 0 ? id : id.left(query);
    if (query < 0) {
        return request;
    }
    const QStringList pairs = id.mid(query + 1).split(u'&', Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        if (!pair.startsWith(QLatin1String("color="))) {
            continue;
        }
        QString value = QUrl::fromPercentEncoding(pair.mid(6).toUtf8());
        if (!value.startsWith(u'#')) {
            value.prepend(u'#');
        }
        request.color = QColor::fromString(value);
    }
    return request;
}

QIcon ThemeIconProvider::lookup(const QString& iconName) {
    if (QIcon::hasThemeIcon(iconName)) {
        return QIcon::fromTheme(iconName);
    }
    // GTK themes ship their symbolic icons as "<name>.symbolic.png" renderings (besides SVG),
    // which Qt 6.4's theme loader does not read; without an SVG plugin it would fall back to
    // an unrelated full-colour icon. Collect those renderings by size.
    const QString fileName = iconName + QStringLiteral(".symbolic.png");
    for (const QString& theme : {QIcon::themeName(), QIcon::fallbackThemeName()}) {
        if (theme.isEmpty()) {
            continue;
        }
        for (const QString& base : QIcon::themeSearchPaths()) {
            const QDir themeDir(base + u'/' + theme);
            QIcon icon;
            const QStringList sizeDirs = themeDir.entryList({QStringLiteral("*x*")}, QDir::Dirs);
            for (const QString& sizeDir : sizeDirs) {
                bool ok = false;
                const int size = sizeDir.section(u'x', 0, 0).toInt(&ok);
                if (!ok || size <= 0) {
                    continue;
                }
                const QDir dir(themeDir.filePath(sizeDir));
                for (const QString& context : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                    const QString path = dir.filePath(context + u'/' + fileName);
                    if (QFileInfo::exists(path)) {
                        icon.addFile(path, QSize(size, size));
                        break;
                    }
                }
            }
            if (!icon.isNull()) {
                return icon;
            }
        }
    }
    return {};
}

QPixmap ThemeIconProvider::requestPixmap(const QString& id, QSize* size,
                                         const QSize& requestedSize) {
    const Request request = parse(id);
    const QSize target(requestedSize.width() > 0 ? requestedSize.width() : defaultSize,
                       requestedSize.height() > 0 ? requestedSize.height() : defaultSize);
    auto cached = cache_.constFind(request.iconName);
    if (cached == cache_.cend()) {
        cached = cache_.insert(request.iconName, lookup(request.iconName));
    }
    if (cached->isNull()) {
        return {};
    }
    // Exactly the pixels asked for: Qt Quick already scales the request for the screen.
    QPixmap pixmap = cached->pixmap(target, 1.0);
    if (pixmap.isNull()) {
        return {};
    }
    if (request.color.isValid()) {
        // Keep the symbol's shape (its alpha) and replace its colour.
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), request.color);
    }
    if (size) {
        *size = pixmap.size();
    }
    return pixmap;
}

void ThemeIconProvider::install(QQmlEngine& engine) {
    // Without a desktop platform theme (the offscreen platform, a bare X session) Qt looks
    // for icon themes only in its resources.
    QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList dataDirs =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                  QStandardPaths::LocateDirectory);
    bool added = false;
    for (const QString& dir : dataDirs) {
        if (!searchPaths.contains(dir)) {
            searchPaths.append(dir);
            added = true;
        }
    }
    if (added) {
        QIcon::setThemeSearchPaths(searchPaths);
    }
    QIcon::setFallbackThemeName(QString::fromLatin1(fallbackTheme));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QIcon::setThemeName(QString::fromLatin1(fallbackTheme));
    }
    const QString modules = QStringLiteral("qrc:/qt/qml");
    if (!engine.importPathList().contains(modules)) {
        engine.addImportPath(modules);
    }
    engine.addImageProvider(QString::fromLatin1(providerId), new ThemeIconProvider);
}

} // namespace tiklo
