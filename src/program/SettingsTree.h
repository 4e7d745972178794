#pragma once
// The settings tree on the left of the main window: the only way to switch pages.
#include <string>

namespace program {
class App;

// The picture of the Hardware Info node: one beyond the twelve of the other nodes.
constexpr int kHardwareIcon = 13;

void BuildSettingsTree(App& app);
void tvw1_Click(App& app);
void tvw1_Expand(App& app, int node);
void tvw1_Collapse(App& app, int node);

}  // namespace program
