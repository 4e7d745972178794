#pragma once
// The handlers of the preview window, and the cleaning page's buttons that open it.

namespace app {
class App;
}

namespace preview {

// "Preview": shows the window modally and collects what the ticked items would remove;
// returns when the window is closed (or the main window unloads).
void cmdPreview_Click(app::App& app);
// "Report": shows the window on what the last run did.
void cmdReport_Click(app::App& app);

// The window's buttons.
void cmdCollect_Click(app::App& app);
void cmdLastRun_Click(app::App& app);
void cmdStop_Click(app::App& app);
void cmdSave_Click(app::App& app);
// Lists the targets of the item double-clicked.
void lvwItems_DblClick(app::App& app);
// Close and the close box. A collection under way stops at once; the window goes.
void UnloadPreview(app::App& app);

}  // namespace preview
