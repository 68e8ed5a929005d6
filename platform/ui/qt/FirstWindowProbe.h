#pragma once

// A hook for start-up checks on a real display: with VELMORA_EXIT_ON_FIRST_WINDOW set, the
// first top-level window the display system shows is reported on standard output as
//   first window: <platform> <width>x<height> scale <ratio> "<title>"
// and the program exits with status 0 at once, whatever dialog it is in.

class QApplication;

namespace ui {

void InstallFirstWindowProbe(QApplication& app);

} // namespace ui
