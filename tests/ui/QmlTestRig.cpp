#include "ui/QmlTestRig.h"

namespace tiklo::test {
namespace {

// Mahjong tiles: emoji of their own, none of them ranked by the built-in tables.
constexpr char32_t firstTile = 0x1F000;
constexpr double now = 800000000.0;

std::string tile(std::size_t index) {
    const char32_t scalar = firstTile + static_cast<char32_t>(index);
    return QString::fromUcs4(&scalar, 1).toStdString();
}

} // namespace

QmlTestRig::QmlTestRig()
    : catalog_(std::make_unique<EmojiCatalog>(std::vector<EmojiItem>{}, [] { return now; })),
      session_({[this]() -> const EmojiCatalog& { return *catalog_; }, environment_.state,
                environment_.history, injector_}) {
    connect(&session_, &PickerSession::hideRequested, this, [this] { ++hides_; });
    reset();
}

QStringList QmlTestRig::typed() const {
    QStringList texts;
    for (const FakeTextInjector::Replace& replace : injector_.replaced) {
        texts.append(QString::fromStdString(replace.text));
    }
    return texts;
}

void QmlTestRig::reset() {
    items_.clear();
    injector_.replaced.clear();
    injector_.reactivated.clear();
    hides_ = 0;
    replaceCatalog();
    session_.reset();
    session_.setPresentationMode(view::Presentation::Inline);
    session_.setReplacementBackspaces(1);
    session_.refreshResults();
}

void QmlTestRig::fill(int count, const QStringList& names) {
    items_.clear();
    for (int i = 0; i < count; ++i) {
        const QString name =
            i < names.size() ? names[i] : QStringLiteral("item %1").arg(i, 2, 10, QChar(u'0'));
        QString shortcode = name;
        shortcode.replace(u' ', u'_');
        items_.push_back({tile(items_.size()),
                          name.toStdString(),
                          shortcode.toStdString(),
                          EmojiCategory::objects,
                          {},
                          false});
    }
    replaceCatalog();
}

void QmlTestRig::add(const QString& name, const QStringList& keywords) {
    std::vector<std::string> words;
    for (const QString& keyword : keywords) {
        words.push_back(keyword.toStdString());
    }
    std::sort(words.begin(), words.end());
    items_.push_back({tile(items_.size()), name.toStdString(),
                      "item_" + std::to_string(items_.size()), EmojiCategory::objects, words,
                      false});
    replaceCatalog();
}

void QmlTestRig::addHand(const QString& name) {
    items_.push_back({"\U0001F44B",
                      name.toStdString(),
                      "hand_" + std::to_string(items_.size()),
                      EmojiCategory::people,
                      {},
                      true});
    replaceCatalog();
}

void QmlTestRig::present(view::Presentation presentation) {
    session_.setPresentationMode(presentation);
    session_.refreshResults();
}

void QmlTestRig::replaceCatalog() {
    auto catalog = std::make_unique<EmojiCatalog>(items_, [] { return now; });
    // The session's results point into the catalog: they are replaced before it goes.
    std::swap(catalog_, catalog);
    session_.refreshResults();
}

} // namespace tiklo::test
