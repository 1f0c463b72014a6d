#pragma once

// The Korvel view of the skin as the session holds it now, before anything
// is saved: the window's "Korvel表示" shows it after every change.

#include "korvel/KorvelView.h"
#include "skin/SkinSession.h"

namespace tf {

// Draws the definition a save would write (its "_EQ" file while the
// equalizer is shown, as the joined images are what the player shows then)
// with the images a save would write beside it. What the last view of the
// calling thread was drawn from is kept, so that the view after a change is
// composed and drawn again only where the change reaches.
KorvelView RenderSessionKorvelView(const SkinSession& session, const ViewOptions& options = {});

} // namespace tf
