#pragma once
// The handlers of the preview window, and the cleaning page's buttons that open it.

#include "preview/PreviewWindow.h"

namespace app {
struct Session;
}

namespace preview {

// "Preview": shows the window modally and collects what the ticked items would remove;
// returns when the window is closed (or the main window unloads).
void cmdPreview_Click(app::Session& session, PreviewWindow& w);
// "Report": shows the window on what the last run did.
void cmdReport_Click(app::Session& session, PreviewWindow& w);

// The window's buttons.
void cmdCollect_Click(app::Session& session, PreviewWindow& w);
void cmdLastRun_Click(app::Session& session, PreviewWindow& w);
void cmdStop_Click(app::Session& session, PreviewWindow& w);
void cmdSave_Click(app::Session& session, PreviewWindow& w);
// Lists the targets of the item double-clicked.
void lvwItems_DblClick(PreviewWindow& w);
// Close and the close box. A collection under way stops at once; the window goes.
void UnloadPreview(app::Session& session, PreviewWindow& w);

}  // namespace preview
