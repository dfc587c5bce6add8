#pragma once

#include "catalog/EmojiCatalog.h"
#include "catalog/PickerPresentationMode.h"
#include "input/TextInjector.h"
#include "picker/EmojiResultsModel.h"
#include "picker/PickerKeyRouting.h"
#include "platform/RunningApplication.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

namespace tiklo {

class AppState;
class UsageHistory;

// The picker's state while it is shown, and its actions: searching, moving the highlight,
// choosing an emoji and cancelling. One per process. Main thread only.
class PickerSession : public QObject {
    Q_OBJECT
    // Writing is the search field's binding: it also highlights the first result and searches.
    Q_PROPERTY(QString query READ queryText WRITE setSearchText NOTIFY queryChanged)
    Q_PROPERTY(QString category READ categoryName WRITE setCategoryName NOTIFY categoryChanged)
    Q_PROPERTY(
        int replacementBackspaces READ replacementBackspaces NOTIFY replacementBackspacesChanged)
    Q_PROPERTY(
        int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(QString presentationMode READ presentationModeName NOTIFY presentationModeChanged)
    Q_PROPERTY(bool commandHeld READ commandHeld WRITE setCommandHeld NOTIFY commandHeldChanged)
    Q_PROPERTY(EmojiResultsModel* results READ resultsModel CONSTANT)
    Q_PROPERTY(int resultCount READ resultCount NOTIFY resultsChanged)

public:
    struct Services {
        std::function<const EmojiCatalog&()> catalog; // built on first use
        AppState& state;
        UsageHistory& history;
        TextInjector& injector;
    };

    explicit PickerSession(Services services, QObject* parent = nullptr);

    const std::string& query() const { return query_; }
    std::optional<EmojiCategory> category() const { return category_; }
    int replacementBackspaces() const { return replacementBackspaces_; }
    int selectedIndex() const { return selectedIndex_; }
    PickerPresentationMode presentationMode() const { return presentationMode_; }
    bool commandHeld() const { return commandHeld_; }
    const std::vector<const EmojiItem*>& results() const { return results_; }
    const std::optional<RunningApplication>& targetApp() const { return targetApp_; }

    void setQuery(const std::string& query);
    void setCategory(std::optional<EmojiCategory> category);
    void setReplacementBackspaces(int count);
    void setSelectedIndex(int index);
    void setPresentationMode(PickerPresentationMode mode);
    void setCommandHeld(bool held);
    void setTargetApp(std::optional<RunningApplication> app) { targetApp_ = std::move(app); }

    void setSearchText(const QString& text);

    Q_INVOKABLE void refreshResults();
    Q_INVOKABLE void moveSelection(int delta);
    Q_INVOKABLE void insertSelected();
    Q_INVOKABLE void insertAt(int index, bool keepOpen);
    void insert(const EmojiItem& item, bool keepOpen);
    Q_INVOKABLE void reset();
    // Cancel: nothing typed, the target application back in front.
    Q_INVOKABLE void close();

    // Applies one routed key; answers whether the event is consumed.
    bool handleKey(const PickerKeyEvent& event, bool gridLayout);

    QString queryText() const { return QString::fromStdString(query_); }
    QString categoryName() const;
    void setCategoryName(const QString& name);
    QString presentationModeName() const;
    EmojiResultsModel* resultsModel() { return &model_; }
    int resultCount() const { return static_cast<int>(results_.size()); }

signals:
    // The picker should go off screen at once (before anything is typed).
    void hideRequested();
    // A choice that cannot be made: an audible refusal.
    void beepRequested();

    void queryChanged();
    void categoryChanged();
    void replacementBackspacesChanged();
    void selectedIndexChanged();
    void presentationModeChanged();
    void commandHeldChanged();
    void resultsChanged();

private:
    Services services_;
    std::string query_;
    std::optional<EmojiCategory> category_;
    int replacementBackspaces_ = 0;
    int selectedIndex_ = 0;
    PickerPresentationMode presentationMode_ = PickerPresentationMode::full;
    bool commandHeld_ = false;
    std::vector<const EmojiItem*> results_;
    std::optional<RunningApplication> targetApp_;
    EmojiResultsModel model_;
};

} // namespace tiklo
