#pragma once
// A list box's list, as it drops, is as wide as its widest entry within its screen, so every entry
// shows whole; a list too wide for the screen takes the screen's width. An entry's tail kept out of
// sight behind a long run of blanks (vb::ParteVisible) stays out of sight, never elided into view.

namespace vb {

// Every list box of the program drops its list so; called once, with the application object.
void InstalaListasDesplegadas();

}  // namespace vb
