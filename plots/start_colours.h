#pragma once

// The colour choosers' items after start-up (see plots::ColorForIndex): red for the current
// state, blue for the preferred. Without Qt Gui, so that argument parsing takes them too.
namespace plots {

constexpr int kStartCurrentColour = 1;
constexpr int kStartPreferredColour = 3;

} // namespace plots
