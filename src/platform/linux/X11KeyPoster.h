#pragma once

#include "KeyPoster.h"
#include "Sleeper.h"
#include "SyntheticEventLedger.h"
#include "Utf16ChunkDecoder.h"
#include "X11WindowPing.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include <xcb/xcb.h>

namespace tiklo {

// Posts key events with XTEST, on a connection of its own: the poster runs on the
// injector's worker thread and waits for the server there, while Qt's connection keeps
// delivering the main thread's events undisturbed. Every event is entered in the ledger
// just before it is sent, so the keyboard monitor knows it for Tiklo's own.
//
// Text is typed by mapping spare keycodes to the characters' keysyms for a moment
// (X11TypingPlan). The whole chunk is typed when postText is called with down = true; the
// matching call with down = false has nothing left to do. Post from one thread at a time.
class X11KeyPoster : public KeyPoster {
public:
    // Pause (microseconds) so that applications see a new mapping before its keys; shorter
    // ones lose or double characters.
    static constexpr std::uint32_t settleAfterMapping = 30000;
    // The mapping may only change again once the application has read the keys with it
    // (it asks the server for the keymap when it gets to the change, which may be late:
    // a busy application would then type the wrong characters, or none). The active
    // application is pinged and the mapping kept until it answers, for at most
    // `acknowledgementTimeout`; one that does not answer pings gets a fixed pause.
    static constexpr std::chrono::milliseconds acknowledgementTimeout{1000};
    static constexpr std::uint32_t settleAfterTyping = 50000;

    struct Options {
        std::string display; // empty: $DISPLAY
        // Spare keycodes used at once (0: all there are), so tools that borrow them too
        // (xdotool) find some left.
        std::size_t maxBorrowedKeycodes = 0;
    };

    X11KeyPoster(SyntheticEventLedger& ledger, Sleeper& sleeper);
    X11KeyPoster(SyntheticEventLedger& ledger, Sleeper& sleeper, Options options);
    ~X11KeyPoster() override;
    X11KeyPoster(const X11KeyPoster&) = delete;
    X11KeyPoster& operator=(const X11KeyPoster&) = delete;

    // False when the display cannot be reached or lacks XTEST; nothing is posted then.
    bool available() const;

    void postKey(std::uint16_t keyCode, bool down) override;
    void postText(std::u16string_view chunk, bool down) override;

private:
    void fakeKey(xcb_keycode_t keycode, bool press);
    void roundTrip();
    void awaitTyped(std::optional<xcb_window_t> application);

    SyntheticEventLedger& ledger_;
    Sleeper& sleeper_;
    Options options_;
    xcb_connection_t* connection_;
    X11WindowPing ping_;
    bool xtest_ = false;
    Utf16ChunkDecoder decoder_;
    // The keycode each held virtual key went down on, so its release goes to the same key
    // even if the keymap changed in between.
    std::map<std::uint16_t, xcb_keycode_t> held_;
};

} // namespace tiklo
