// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/FcitxFieldSearch.h"

#include "fcitx5/PickerRoad.h"

#include <fcitx-utils/capabilityflags.h>
#include <fcitx-utils/textformatflags.h>
#include <fcitx/candidatelist.h>
#include <fcitx/inputpanel.h>
#include <fcitx/text.h>
#include <fcitx/userinterface.h>

#include <string>
#include <utility>
#include <vector>

namespace tiklo {
namespace {

const std::vector<std::string> pageLabels{"1. ", "2. ", "3. ", "4. ", "5. ",
                                          "6. ", "7. ", "8. ", "9. "};

} // namespace

FcitxFieldSearch::FcitxFieldSearch(fcitx::InputContext& ic, fcitx::EventLoop& events,
                                   SettingsFileWatch& settings,
                                   InlineSearchSession::CatalogSource catalog,
                                   PickerRoad& pickerRoad)
    : ic_(ic), events_(events), pickerRoad_(pickerRoad),
      chooser_([this](fcitx::InputContext*, int index) {
          session_.choose(static_cast<std::size_t>(index));
      }),
      session_(settings, std::move(catalog), *this) {}

void FcitxFieldSearch::showSearch() {
    auto& panel = ic_.inputPanel();
    panel.reset();
    const bool shown = session_.candidatesShown();
    if (shown && session_.candidateCount() > 0) {
        auto list = std::make_unique<fcitx::CommonCandidateList>();
        list->setPageSize(InlineSearchSession::pageSize);
        list->setLayoutHint(fcitx::CandidateLayoutHint::Vertical);
        list->setLabels(pageLabels);
        for (std::size_t index = 0; index < session_.candidateCount(); ++index) {
            const InlineSearchSession::Candidate shown = session_.candidate(index);
            list->append<EmojiCandidate>(shown.emoji, shown.name, static_cast<int>(index),
                                         &chooser_);
        }
        const int cursor = static_cast<int>(session_.cursor());
        list->setPage(cursor / InlineSearchSession::pageSize);
        list->setGlobalCursorIndex(cursor);
        panel.setCandidateList(std::move(list));
    }

    const std::string text = session_.preedit();
    clientPreedit_ = ic_.capabilityFlags().test(fcitx::CapabilityFlag::Preedit);
    if (clientPreedit_) {
        fcitx::Text preedit(text, fcitx::TextFormatFlag::Underline);
        preedit.setCursor(static_cast<int>(text.size()));
        panel.setClientPreedit(preedit);
    } else if (shown) {
        // A field that cannot show preedit: fcitx's popup shows the query, with the results.
        fcitx::Text preedit(text);
        preedit.setCursor(static_cast<int>(text.size()));
        panel.setPreedit(preedit);
    }
    ic_.updatePreedit();
    ic_.updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void FcitxFieldSearch::awaitPause(std::chrono::milliseconds pause) {
    const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(pause);
    pause_ = events_.addTimeEvent(CLOCK_MONOTONIC,
                                  fcitx::now(CLOCK_MONOTONIC) +
                                      static_cast<std::uint64_t>(microseconds.count()),
                                  0, [this](fcitx::EventSourceTime*, std::uint64_t) {
                                      // Ended here, not by resetting pause_: the source must
                                      // outlive its own callback.
                                      session_.pauseEnded();
                                      return true;
                                  });
}

void FcitxFieldSearch::showCursor() {
    auto* list = dynamic_cast<fcitx::CommonCandidateList*>(ic_.inputPanel().candidateList().get());
    if (list == nullptr) {
        return;
    }
    const int cursor = static_cast<int>(session_.cursor());
    list->setPage(cursor / InlineSearchSession::pageSize);
    list->setGlobalCursorIndex(cursor);
    ic_.updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void FcitxFieldSearch::hideSearch() {
    pause_.reset();
    clientPreedit_ = false;
    ic_.inputPanel().reset();
    ic_.updatePreedit();
    ic_.updateUserInterface(fcitx::UserInterfaceComponent::InputPanel);
}

void FcitxFieldSearch::commit(const std::string& text) {
    ic_.commitString(text);
}

InlineSearchSession::Field FcitxFieldSearch::field() const {
    return {ic_.program(),
            ic_.capabilityFlags().testAny(fcitx::CapabilityFlag::PasswordOrSensitive)};
}

void FcitxFieldSearch::openPicker(const std::optional<NamedGroup>& group) {
    pickerRoad_.request(&ic_, group);
}

} // namespace tiklo
