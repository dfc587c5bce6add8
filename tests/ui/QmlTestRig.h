#pragma once

#include "app/ViewEnums.h"
#include "catalog/EmojiCatalog.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <memory>

#include <QObject>
#include <QStringList>

namespace tiklo::test {

// The real session and store for the views under Qt Quick Test, over an in-memory catalog
// the test fills, with what the session asked for counted.
class QmlTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(tiklo::PickerSession* session READ session CONSTANT)
    Q_PROPERTY(tiklo::AppState* appState READ appState CONSTANT)
    // The texts handed to the injector, in order.
    Q_PROPERTY(QStringList typed READ typed)
    Q_PROPERTY(int hides READ hides)
    // Cancellations: the target application brought back without typing.
    Q_PROPERTY(int closes READ closes)
    // Requests for the accessibility permission made through the store.
    Q_PROPERTY(int accessibilityRequests READ accessibilityRequests)

public:
    QmlTestRig();

    PickerSession* session() { return &session_; }
    AppState* appState() { return &environment_.state; }
    QStringList typed() const;
    int hides() const { return hides_; }
    int closes() const { return static_cast<int>(injector_.reactivated.size()); }
    int accessibilityRequests() const { return environment_.trust.requests; }

    // A fresh inline popup over an empty catalog, with nothing asked for yet.
    Q_INVOKABLE void reset();
    // `count` items, named "item 00", "item 01"... or by `names`, in that order in the
    // results: each with an emoji of its own that no built-in ranking favours.
    Q_INVOKABLE void fill(int count, const QStringList& names = {});
    // One more item, found by its keywords too.
    Q_INVOKABLE void add(const QString& name, const QStringList& keywords);
    // One more item that takes a skin tone: a waving hand.
    Q_INVOKABLE void addHand(const QString& name);
    Q_INVOKABLE void present(tiklo::view::Presentation presentation);

private:
    void replaceCatalog();

    FakeAppEnvironment environment_;
    FakeTextInjector injector_;
    std::vector<EmojiItem> items_;
    std::unique_ptr<EmojiCatalog> catalog_;
    PickerSession session_;
    int hides_ = 0;
};

} // namespace tiklo::test
