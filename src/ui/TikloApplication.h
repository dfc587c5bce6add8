#pragma once

#include <functional>

namespace tiklo {

class AppState;
class EventTap;

// Start-up and termination of the running program.
class TikloApplication {
public:
    TikloApplication(AppState& state, EventTap& tap, std::function<void()> showFullPicker);

    // Registers the global hotkey, then starts observing keys (which retries by itself
    // while the permission is missing).
    void start();
    // Releases the hotkey and stops observing. Nothing is saved: every setting already was.
    void terminate();

private:
    AppState& state_;
    EventTap& tap_;
    std::function<void()> showFullPicker_;
};

} // namespace tiklo
