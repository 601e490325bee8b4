#pragma once

class CMainFrame;

// Puts the view's styles at the top of the window's view menu, 標準表示 (the
// classic picture) and 見やすい表示 (the modern view), one click each, with
// the axis titles and the legend as choices of their own, and while the
// classic picture is chosen says in the status bar, for a while, where the
// modern view is.
void AddViewStyleMenu(CMainFrame& frame);
