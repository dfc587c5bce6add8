// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Translations.h"

#include "catalog/UserLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tiklo {
namespace {

// The translator for `name` in `locale` from `directory`, installed; null when there is none.
std::unique_ptr<QTranslator> installed(const QLocale& locale, const QString& name,
                                       const QString& directory) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), directory) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

} // namespace

QLocale Translations::localeFor(const std::string& posixName) {
    // The most specific name the catalog would read; none means English.
    const std::vector<std::string> chain = UserLocale::cldrLocales(posixName);
    if (chain.empty()) {
        return QLocale(QLocale::English);
    }
    const QLocale locale(QString::fromStdString(chain.front()));
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

QLocale Translations::userLocale() {
    return localeFor(UserLocale::fromEnvironment());
}

Translations::Translations(const QLocale& locale) {
    // English is the texts' own language: a catalogue for it would only repeat them.
    if (locale.language() == QLocale::English) {
        return;
    }
    tiklo_ = installed(locale, QStringLiteral("tiklo"), QString::fromLatin1(folder));
    // Qt's buttons follow only where the rest of the window does, not into a mixed window.
    if (tiklo_ == nullptr) {
        return;
    }
    qt_ = installed(locale, QStringLiteral("qtbase"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translations::~Translations() {
    for (const auto& translator : {tiklo_.get(), qt_.get()}) {
        if (translator != nullptr) {
            QCoreApplication::removeTranslator(translator);
        }
    }
}

} // namespace tiklo
