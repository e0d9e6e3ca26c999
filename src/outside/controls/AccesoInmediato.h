#pragma once
// A button reached by its Alt-letter acts at once, as a click on it does: the letter gives it the
// keyboard where a click would (its focus policy) and clicks it before the next key is read. Qt
// would show it pressed and click it a moment later, so a key typed meanwhile (F4 to save) would
// act on the window as it was before the letter. A letter that several buttons of the window share
// only moves the keyboard among them, as Qt does.
namespace vb {

// Every button of the program answers its Alt-letter so; called once, by the application object.
void InstalaAccesoInmediato();

}  // namespace vb
