// The player's input on the page, handed to the game's event queue (SdlEvents.cpp) in the picture's
// pixels: the mouse, the first finger on the canvas (device 1; a second finger is left alone), the
// keys, and sound woken by them where the browser suspended or interrupted it.
'use strict';

Module['listenToPlayer'] = (width, height) => {
  const canvas = Module['canvas'];
  const MOTION = 0, PRESS = 1, RELEASE = 2, KEY_DOWN = 3, KEY_UP = 4;  // SdlEvents.cpp's TPageEvent
  const MOUSE = 0, FINGER = 1;
  const held = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
  // A point of the page in the picture's pixels, clamped onto it as the desktop's window clamps.
  const point = (x, y) => {
    const box = canvas.getBoundingClientRect();
    const clamp = (v, most) => Math.min(most - 1, Math.max(0, Math.floor(v)));
    return [clamp((x - box.left) * width / box.width, width), clamp((y - box.top) * height / box.height, height)];
  };
  // Each event also wakes a resting frame driver (WebMain.cpp), so that the game answers at once.
  const hand = (kind, a, b, c, modifiers) => {
    _PushPageEvent(kind, a, b, c, modifiers);
    if (Module['inputCame']) Module['inputCame']();
  };
  const push = (kind, device, e, at) => hand(kind, device, at[0], at[1], held(e));
  const wake = () => {
    const audio = Module['audioContext'];
    if (audio && audio.state !== 'running' && !document.hidden) audio.resume();
  };

  canvas.addEventListener('mousedown', (e) => {
    wake();
    if (e.button === 0) push(PRESS, MOUSE, e, point(e.clientX, e.clientY));
  });
  window.addEventListener('mousemove', (e) => push(MOTION, MOUSE, e, point(e.clientX, e.clientY)));
  window.addEventListener('mouseup', (e) => {
    if (e.button === 0) push(RELEASE, MOUSE, e, point(e.clientX, e.clientY));
  });
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  // The finger's last place: the system may cancel a touch without one, and it still ends the drag.
  let finger = null, last = [0, 0];
  const touch = (e, kind) => {
    e.preventDefault();  // no mouse events after it, no scrolling or zooming under the game
    for (const t of e.changedTouches) {
      if (kind === PRESS && finger === null) finger = t.identifier;
      if (t.identifier !== finger) continue;
      if (kind !== RELEASE) last = point(t.clientX, t.clientY);
      push(kind, FINGER, e, last);
      if (kind === RELEASE) finger = null;
    }
  };
  const options = {passive: false};
  canvas.addEventListener('touchstart', (e) => (wake(), touch(e, PRESS)), options);
  canvas.addEventListener('touchmove', (e) => touch(e, MOTION), options);
  canvas.addEventListener('touchend', (e) => touch(e, RELEASE), options);
  canvas.addEventListener('touchcancel', (e) => touch(e, RELEASE), options);

  // The browser keeps its own keys: with Ctrl or Meta held, and the function keys (F11 is its fullscreen).
  const key = (kind) => (e) => {
    if (kind === KEY_DOWN) wake();
    hand(kind, e.keyCode, e.location, 0, held(e));
    if (!e.ctrlKey && !e.metaKey && !(e.keyCode >= 112 && e.keyCode <= 123)) e.preventDefault();
  };
  window.addEventListener('keydown', key(KEY_DOWN));
  window.addEventListener('keyup', key(KEY_UP));
};
