// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/InlineSearchSession.h"
#include "fcitx5/EmojiCandidate.h"

#include <chrono>
#include <memory>

#include <fcitx-utils/event.h>
#include <fcitx/inputcontext.h>
#include <fcitx/inputcontextproperty.h>

namespace tiklo {

class PickerRoad;

// Semicolon search in one input context of fcitx5: the shared session, shown there. The query
// is the field's preedit (or fcitx's popup's, where the field cannot show one), the results
// are fcitx's candidates, and the session's text is committed to the field.
class FcitxFieldSearch : public fcitx::InputContextProperty, private InlineSearchView {
public:
    FcitxFieldSearch(fcitx::InputContext& ic, fcitx::EventLoop& events, SettingsFileWatch& settings,
                     InlineSearchSession::CatalogSource catalog, PickerRoad& pickerRoad);

    InlineSearchSession& session() { return session_; }
    // The field as the shared session judges it.
    InlineSearchSession::Field field() const;
    // The field shows the preedit itself, not only fcitx's popup.
    bool showsPreedit() const { return clientPreedit_; }

private:
    void showSearch() override;
    void awaitPause(std::chrono::milliseconds pause) override;
    void showCursor() override;
    void hideSearch() override;
    void commit(const std::string& text) override;
    void openPicker(const std::optional<NamedGroup>& group) override;

    fcitx::InputContext& ic_;
    fcitx::EventLoop& events_;
    PickerRoad& pickerRoad_;
    EmojiCandidate::Chooser chooser_;
    InlineSearchSession session_;
    bool clientPreedit_ = false;
    std::unique_ptr<fcitx::EventSourceTime> pause_;
};

} // namespace tiklo
