#pragma once

namespace ui {

// The window's designed fonts are Windows fonts; elsewhere they map to metric-compatible
// or close free fonts.
void installFontSubstitutions();

} // namespace ui
