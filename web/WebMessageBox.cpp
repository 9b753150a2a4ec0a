// The browser's message box: the report's box on the canvas, with the system pointer back. The page
// shows the report's text beside it and offers to play again, so nothing waits here.

#include "media/LibMessageBox.h"

#include "media/LibPresent.h"

void ShowMessageBox(const std::string& title, const std::string& text) {
  if (Screen == nullptr) return;
  DrawMessageBox(title, text);
  ShowSystemPointer(true);
  PresentScreen(Screen);
}
