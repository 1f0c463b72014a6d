#pragma once

namespace tf {

// Picks the Qt platform for a program that draws text into images but shows
// no window, unless the user chose one: it must work without a display and
// measure text with the fonts the system really has.
void ChooseHeadlessGuiPlatform();

} // namespace tf
