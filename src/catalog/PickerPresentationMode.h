#pragma once

namespace tiklo {

// The small popup opened by the trigger prefix, or the window opened by the hotkey.
// Only compared, never stored. (`inline` is a keyword, hence `inlinePopup`.)
enum class PickerPresentationMode { inlinePopup, full };

} // namespace tiklo
