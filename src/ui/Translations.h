// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>
#include <string>

namespace tiklo {

// The windows' language: Tiklo's own texts and Qt's standard ones (dialog buttons) in the
// user's language, installed into the application for as long as this lives. Made before
// any window or menu, whose texts are read when they are built.
class Translations {
public:
    // The language of a POSIX locale name as the catalog reads it (UserLocale): "de_DE.UTF-8"
    // gives German; "C", "POSIX", an empty name and anything that is not a locale name give
    // English.
    static QLocale localeFor(const std::string& posixName);
    // The same for the session's locale of messages.
    static QLocale userLocale();

    explicit Translations(const QLocale& locale);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Whether Tiklo has its own texts in that language.
    bool translated() const { return tiklo_ != nullptr; }

    // Where the compiled catalogues are, inside the program.
    static constexpr const char* folder = ":/i18n";

private:
    std::unique_ptr<QTranslator> tiklo_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace tiklo
