// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"
#include "catalog/EmojiCatalog.h"
#include "input/TextInjector.h"
#include "picker/EmojiResultsModel.h"
#include "picker/PickerContentModel.h"
#include "picker/PickerKeyRouting.h"
#include "picker/QueryTyping.h"
#include "platform/RunningApplication.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

class AppState;
class UsageHistory;

// The picker's state while it is shown, and its actions: searching, moving the highlight,
// choosing an emoji and cancelling. One per process. Main thread only.
class PickerSession : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The picker session is made by the program")
    // Writing is the search field's binding: it also highlights the first result and searches.
    Q_PROPERTY(QString query READ queryText WRITE setSearchText NOTIFY queryChanged)
    // The full picker's filter; All in the inline popup.
    Q_PROPERTY(
        tiklo::view::Category category READ category WRITE setCategory NOTIFY categoryChanged)
    // The full picker's tab; Emoji in the inline popup, which shows every kind.
    Q_PROPERTY(tiklo::view::Kind kind READ kind WRITE setKind NOTIFY kindChanged)
    Q_PROPERTY(
        int replacementBackspaces READ replacementBackspaces NOTIFY replacementBackspacesChanged)
    Q_PROPERTY(
        int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(tiklo::view::Presentation presentationMode READ presentationMode NOTIFY
                   presentationModeChanged)
    // Ctrl or Super is down: the inline popup shows its digit shortcuts.
    Q_PROPERTY(bool commandHeld READ commandHeld WRITE setCommandHeld NOTIFY commandHeldChanged)
    Q_PROPERTY(tiklo::EmojiResultsModel* results READ resultsModel CONSTANT)
    Q_PROPERTY(int resultCount READ resultCount NOTIFY resultsChanged)
    // The full picker's sections and rows.
    Q_PROPERTY(tiklo::PickerContentModel* content READ contentModel CONSTANT)

public:
    struct Services {
        std::function<const EmojiCatalog&()> catalog; // built on first use
        AppState& state;
        UsageHistory& history;
        TextInjector& injector;
        // For a picker the input method asked for; none where there is no input method.
        TextInjector* inputMethod = nullptr;
    };

    explicit PickerSession(Services services, QObject* parent = nullptr);

    const std::string& query() const { return query_; }
    view::Category category() const { return category_; }
    view::Kind kind() const { return kind_; }
    int replacementBackspaces() const { return replacementBackspaces_; }
    int selectedIndex() const { return selectedIndex_; }
    view::Presentation presentationMode() const { return presentationMode_; }
    bool commandHeld() const { return commandHeld_; }
    // The items found; the popup's rows also hold the group the query names, if any.
    const std::vector<const EmojiItem*>& results() const { return results_; }
    // The popup's row that opens the group the query names (namedGroupRow); -1 without one.
    int groupRow() const;
    const std::optional<NamedGroup>& namedGroup() const { return group_; }
    // The item at a row of the results as listed (the group's row is none).
    const EmojiItem* itemAt(int row) const;
    const std::optional<RunningApplication>& targetApp() const { return targetApp_; }

    void setQuery(const std::string& query);
    void setCategory(view::Category category);
    // Another tab: its results from the top.
    void setKind(view::Kind kind);
    // The full picker lists `group` of the tab of `kind` from its top (none: the tab's top),
    // as it shows next or now.
    void showGroup(view::Kind kind, const QString& group);
    void setReplacementBackspaces(int count);
    void setSelectedIndex(int index);
    void setPresentationMode(view::Presentation mode);
    void setCommandHeld(bool held);
    void setTargetApp(std::optional<RunningApplication> app) { targetApp_ = std::move(app); }
    // The picker's own window: a choice that keeps the picker open gives it the keyboard
    // back once the emoji is typed.
    void setPickerWindow(std::optional<RunningApplication> window) {
        pickerWindow_ = std::move(window);
    }
    // This showing was asked for by the input method, for a field it holds: choices go into
    // that field through it. Until reset. The target stays the window that was active, if
    // the window system named one (it names none while a Wayland field has the keyboard):
    // it is given the keyboard back, and the keys typed meanwhile follow once it has it.
    void deliverThroughInputMethod();

    void setSearchText(const QString& text);

    Q_INVOKABLE void refreshResults();
    Q_INVOKABLE void moveSelection(int delta);
    // `alternate`: the choice's alternate form (a kaomoji Markdown-escaped).
    Q_INVOKABLE void insertSelected(bool alternate = false);
    Q_INVOKABLE void insertAt(int index, bool keepOpen, bool alternate = false);
    void insert(const EmojiItem& item, bool keepOpen, bool alternate = false);
    // The same for an item of any section, named by its id; an unknown id does nothing.
    Q_INVOKABLE void insertItem(const QString& id, bool keepOpen, bool alternate = false);
    // Marks or unmarks a favorite, and ranks again: favorites rank first.
    Q_INVOKABLE void toggleFavorite(const QString& id);
    // A tone for one emoji, shown and typed over the default tone from now on.
    Q_INVOKABLE void chooseSkinTone(const QString& id, tiklo::view::SkinTone tone);
    // The emoji takes the default tone again.
    Q_INVOKABLE void useDefaultSkinTone(const QString& id);
    // Whether a tone was chosen for the emoji.
    Q_INVOKABLE bool hasOwnSkinTone(const QString& id) const;
    Q_INVOKABLE void reset();
    // A new showing: reset, with recents and ranking as the addon may have left them.
    void beginShowing();
    // Cancel: nothing typed, the target application back in front.
    Q_INVOKABLE void close();
    // Characters typed after the prefix that reached the application before the popup had the
    // keyboard: they join the query, and go with the prefix when an emoji replaces it.
    void appendTypedAhead(const std::string& text);
    // Whether `key`, typed after the query, ends semicolon search.
    bool givesWay(const QueryKey& key) const;
    // The prefix was punctuation: the popup goes, and the application gets what was typed
    // after the prefix, as typed, with the target back in front. Nothing is recorded.
    void giveWay();

    // Whether the picker last went by giving way (not by a choice or Escape): the keys typed on
    // then are the rest of what was typed.
    bool gaveWay() const { return gaveWay_; }

    // Applies one routed key; answers whether the event is consumed.
    bool handleKey(const PickerKeyEvent& event, bool gridLayout);

    QString queryText() const { return QString::fromStdString(query_); }
    EmojiResultsModel* resultsModel() { return &model_; }
    PickerContentModel* contentModel() { return &content_; }
    int resultCount() const { return static_cast<int>(results_.size()) + (group_ ? 1 : 0); }

signals:
    // The picker should go off screen at once (before anything is typed).
    void hideRequested();
    // A choice that cannot be made: an audible refusal.
    void beepRequested();

    void queryChanged();
    void categoryChanged();
    void kindChanged();
    void groupRequested(const QString& group);
    // The popup's row of a group was chosen: the full picker is to list it, for the same target
    // and the same characters to replace.
    void groupOpenRequested(tiklo::view::Kind kind, const QString& group);
    void replacementBackspacesChanged();
    void selectedIndexChanged();
    void presentationModeChanged();
    void commandHeldChanged();
    void resultsChanged();

private:
    const EmojiItem* itemWithID(const QString& id) const;
    // Inserts the item at `row`, or opens the group there.
    void choose(int row, bool keepOpen, bool alternate);
    TextInjector& injector() const;

    Services services_;
    std::string query_;
    view::Category category_ = view::Category::All;
    view::Kind kind_ = view::Kind::EmojiKind;
    int replacementBackspaces_ = 0;
    int selectedIndex_ = 0;
    view::Presentation presentationMode_ = view::Presentation::Full;
    bool commandHeld_ = false;
    std::vector<const EmojiItem*> results_;
    std::optional<NamedGroup> group_;
    std::optional<RunningApplication> targetApp_;
    std::optional<RunningApplication> pickerWindow_;
    bool throughInputMethod_ = false;
    bool gaveWay_ = false;
    QueryTyping typing_;
    EmojiResultsModel model_;
    PickerContentModel content_;
};

} // namespace tiklo
