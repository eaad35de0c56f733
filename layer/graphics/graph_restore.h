#pragma once

// Graphs after a lost display: flagged lost, then loaded again by the restore handler.

namespace layer {

// Flags every live graph lost, calls the restore handler with their number and makes the fonts
// again. Returns 0.
int MarkGraphsLost();
// The built-in restore handler: every lost graph with a file is loaded again from it; graphs
// of one file share one load. The count is not used.
void ReloadLostGraphs(int count);

}  // namespace layer
