#pragma once
// Shows Screen in the window at the cost of what changed. SDL converts every pixel it is handed
// into the window's format (on a 24-bit desktop that is most of a frame's time), so a frame equal
// to the one already shown costs only the comparison with a copy of it.

// Called after each frame is drawn: hands SDL the rows of Screen that differ from the last frame
// shown, each run of such rows narrowed to the columns that differ; the whole of Screen when the
// window may have lost its picture.
void PresentScreen();
// The next PresentScreen shows the whole of Screen. Called when the video mode is set and when
// SDL asks the program to repaint the window.
void PresentWholeScreenNext();
