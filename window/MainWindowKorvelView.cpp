// The "Korvel表示" switch: the preview panel shows the player's view of the
// skin as it stands, drawn again after every change, instead of the
// composed images. Nothing is saved for it.

#include "platform/Errors.h"
#include "session/LiveKorvelView.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"

#include <QCheckBox>
#include <QTimer>

namespace tf {

bool TForm1::korvelViewShown() const
{
    return KorvelViewSwitch->isChecked() && m_app.SkinLoaded;
}

void TForm1::ScheduleKorvelView()
{
    // One redraw for all the changes one user action makes, after the
    // handlers have written them into the session.
    if (m_korvelViewPending || !korvelViewShown())
        return;
    m_korvelViewPending = true;
    QTimer::singleShot(0, this, [this] {
        m_korvelViewPending = false;
        ShowKorvelView();
    });
}

void TForm1::ShowKorvelView()
{
    const bool shown = korvelViewShown();
    KorvelPicture->setVisible(shown);
    PlacePreviews();
    if (!shown)
        return;
    try {
        const KorvelView view = m_korvelView.render(m_session);
        m_korvelPlaylist = view.PlaylistWindow;
        KorvelPicture->setPicture(view.Image);
        PlacePlaylistSizePanel();
    } catch (const AppError& error) {
        // A state the view cannot draw: back to the composed images, and say why.
        KorvelViewSwitch->setChecked(false);
        m_prompts.showError(error.message());
    }
}

QPoint TForm1::PlaylistPointOfKorvelView(QPoint position) const
{
    return position - QPoint(m_korvelPlaylist.left, m_korvelPlaylist.top);
}

} // namespace tf
