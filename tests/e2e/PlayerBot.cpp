#include "e2e/PlayerBot.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <bit>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* GameTitle = "Game";

std::string WindowTitle(::Display* x, ::Window window) {
  XTextProperty property{};
  if (XGetWMName(x, window, &property) == 0 || property.value == nullptr) return {};
  std::string title(reinterpret_cast<const char*>(property.value), property.nitems);
  XFree(property.value);
  return title;
}

bool Viewable(::Display* x, ::Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(x, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// One channel of a TrueColor pixel, scaled to 8 bits.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long value = (pixel & mask) >> shift;
  return static_cast<uint8_t>(bits >= 8 ? value >> (bits - 8) : value << (8 - bits));
}

}  // namespace

PlayerBot::PlayerBot(::Display* display) : X(display) {
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(X, &event, &error, &major, &minor)) throw std::runtime_error("the X server has no XTest");
  if (!XFixesQueryExtension(X, &event, &error)) throw std::runtime_error("the X server has no XFixes");
  major = 2;  // the cursor image needs version 2
  minor = 0;
  XFixesQueryVersion(X, &major, &minor);
}

bool PlayerBot::FindGameWindow() {
  ::Window root = 0, parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(X, DefaultRootWindow(X), &root, &parent, &children, &count) == 0) return false;
  std::unique_ptr<::Window, int (*)(void*)> owned(children, XFree);
  for (unsigned int i = 0; i < count; ++i) {
    if (WindowTitle(X, children[i]) == GameTitle && Viewable(X, children[i])) {
      Game = children[i];
      return true;
    }
  }
  return false;
}

Box PlayerBot::Placement() const {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(X, Game, &attributes) == 0) return {};
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(X, Game, DefaultRootWindow(X), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

std::optional<Image> PlayerBot::Grab() const {
  const Box place = Placement();
  if (place.W <= 0 || place.H <= 0) return std::nullopt;
  XImage* grabbed = XGetImage(X, DefaultRootWindow(X), place.X, place.Y, static_cast<unsigned>(place.W),
                              static_cast<unsigned>(place.H), AllPlanes, ZPixmap);
  if (grabbed == nullptr) return std::nullopt;
  Image shot(place.W, place.H);
  for (int y = 0; y < place.H; ++y) {
    for (int x = 0; x < place.W; ++x) {
      const unsigned long pixel = XGetPixel(grabbed, x, y);
      shot.At(x, y) = {Channel(pixel, grabbed->red_mask), Channel(pixel, grabbed->green_mask),
                       Channel(pixel, grabbed->blue_mask)};
    }
  }
  XDestroyImage(grabbed);
  return shot;
}

void PlayerBot::MoveOnScreen(int x, int y) const {
  XTestFakeMotionEvent(X, DefaultScreen(X), x, y, CurrentTime);
  XSync(X, False);
}

void PlayerBot::MoveTo(int x, int y) const {
  const Box place = Placement();
  MoveOnScreen(place.X + x, place.Y + y);
}

void PlayerBot::Button(bool pressed) const {
  XTestFakeButtonEvent(X, Button1, pressed ? True : False, CurrentTime);
  XSync(X, False);
}

void PlayerBot::Click(int x, int y) const {
  MoveTo(x, y);
  Button(true);
  Button(false);
}

void PlayerBot::Key(unsigned long keysym, bool down) const {
  XTestFakeKeyEvent(X, XKeysymToKeycode(X, keysym), down ? True : False, CurrentTime);
  XSync(X, False);
}

void PlayerBot::RequestClose() const {
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = Game;
  message.xclient.message_type = XInternAtom(X, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(X, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  XSendEvent(X, Game, False, NoEventMask, &message);
  XSync(X, False);
}

bool PlayerBot::PointerInvisible() const {
  XFixesCursorImage* cursor = XFixesGetCursorImage(X);
  if (cursor == nullptr) throw std::runtime_error("cannot read the pointer's image");
  bool invisible = true;
  const size_t pixels = static_cast<size_t>(cursor->width) * cursor->height;
  for (size_t i = 0; i < pixels; ++i) invisible = invisible && (cursor->pixels[i] >> 24) == 0;  // ARGB
  XFree(cursor);
  return invisible;
}
