#pragma once

// The Korvel view of the skin as the session holds it now, before anything
// is saved: the window's "Korvel表示" shows it after every change.

#include "korvel/KorvelView.h"
#include "skin/SkinSession.h"

namespace tf {

#include <map>
#include <string>
#include <vector>

// The view of one window (or one converter thread): it draws the definition
// a save would write (its "_EQ" file while the equalizer is shown, as the
// joined images are what the player shows then) with the images a save
// would write beside it. What its last view was drawn from is kept, so that
// the view after a change is composed and drawn again only where the change
// reaches. A session other than the last one meets images of other keys and
// starts afresh. One object is used by one thread at a time.
class LiveKorvelView {
public:
    KorvelView render(const SkinSession& session, const ViewOptions& options = {});

private:
    // What the last view was drawn from. The window draws a view after
    // every change of a setting, and most changes leave every image as it
    // was: composing the joined images again, and drawing the whole view
    // again over new images, would be most of the work.
    std::vector<qint64> m_inputs;
    std::map<std::string, Bitmap> m_composed; // by folded name
    KorvelViewRenderer m_renderer;
};

} // namespace tf
