// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/Appcast.h"

#include <QXmlStreamReader>

namespace tiklo {
namespace {

constexpr auto sparkleNamespace =
    QLatin1String("http://www.andymatuschak.org/xml-namespaces/sparkle");

// What one <item> said, before it is checked.
struct RawItem {
    QString version;
    QString shortVersion;
    QString description;
    QString link;
    QString enclosureURL;
    QString enclosureVersion;
    QString enclosureShortVersion;
};

bool isSparkle(const QXmlStreamReader& reader, QLatin1String name) {
    return reader.namespaceUri() == sparkleNamespace && reader.name() == name;
}

bool isPlain(const QXmlStreamReader& reader, QLatin1String name) {
    return reader.namespaceUri().isEmpty() && reader.name() == name;
}

// Only web addresses are opened for people; a feed cannot make Tiklo open files or other
// programs' schemes.
std::optional<QUrl> webAddress(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.isRelative() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        return std::nullopt;
    }
    return url;
}

std::optional<AppcastItem> check(const RawItem& raw) {
    const QString versionText = raw.version.isEmpty() ? raw.enclosureVersion : raw.version;
    const std::optional<DottedVersion> version = DottedVersion::parse(versionText);
    std::optional<QUrl> address = webAddress(raw.link);
    if (!address) {
        address = webAddress(raw.enclosureURL);
    }
    if (!version || !address) {
        return std::nullopt;
    }
    QString display = raw.shortVersion.isEmpty() ? raw.enclosureShortVersion : raw.shortVersion;
    if (display.trimmed().isEmpty()) {
        display = versionText;
    }
    return AppcastItem{*version, display.trimmed(), raw.description.trimmed(), *address};
}

RawItem readItem(QXmlStreamReader& reader) {
    RawItem raw;
    while (reader.readNextStartElement()) {
        if (isSparkle(reader, QLatin1String("version"))) {
            raw.version = reader.readElementText().trimmed();
        } else if (isSparkle(reader, QLatin1String("shortVersionString"))) {
            raw.shortVersion = reader.readElementText().trimmed();
        } else if (isPlain(reader, QLatin1String("description"))) {
            raw.description = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (isPlain(reader, QLatin1String("link"))) {
            raw.link = reader.readElementText().trimmed();
        } else if (isPlain(reader, QLatin1String("enclosure"))) {
            const QXmlStreamAttributes attributes = reader.attributes();
            raw.enclosureURL = attributes.value(QLatin1String("url")).toString();
            raw.enclosureVersion =
                attributes.value(sparkleNamespace, QLatin1String("version")).toString().trimmed();
            raw.enclosureShortVersion =
                attributes.value(sparkleNamespace, QLatin1String("shortVersionString"))
                    .toString()
                    .trimmed();
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    return raw;
}

} // namespace

std::optional<Appcast> Appcast::parse(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    Appcast appcast;
    if (!reader.readNextStartElement() || !isPlain(reader, QLatin1String("rss"))) {
        return std::nullopt;
    }
    while (reader.readNextStartElement()) {
        if (!isPlain(reader, QLatin1String("channel"))) {
            reader.skipCurrentElement();
            continue;
        }
        while (reader.readNextStartElement()) {
            if (!isPlain(reader, QLatin1String("item"))) {
                reader.skipCurrentElement();
                continue;
            }
            if (std::optional<AppcastItem> item = check(readItem(reader))) {
                appcast.items_.push_back(std::move(*item));
            }
        }
    }
    // Reading to the end also catches what follows the document element.
    while (!reader.atEnd()) {
        reader.readNext();
    }
    if (reader.hasError() || appcast.items_.empty()) {
        return std::nullopt;
    }
    return appcast;
}

const AppcastItem& Appcast::newest() const {
    const AppcastItem* best = &items_.front();
    for (const AppcastItem& item : items_) {
        if (item.version > best->version) {
            best = &item;
        }
    }
    return *best;
}

} // namespace tiklo
