// The page around the game: its start screen, the game's messages, and what follows the game's end.
// The picture's place and scale are the display's (display.js).
'use strict';

const canvas = document.getElementById('canvas');
const start = document.getElementById('start');
const status = document.getElementById('status');
const messages = document.getElementById('messages');

// Once the frame loop sleeps, the game runs in the browser's timers: a fault there reaches no
// caller, only the window.
window.addEventListener('error', (event) => Module.onAbort(event.message));

function say(text) {
  status.textContent = text;
}

// Standard error reaches the page: the fatal report, and a save that could not be made.
function showMessage(text) {
  messages.hidden = false;
  messages.textContent += text + '\n';
}

// The start screen: the game's title, the first of its files to arrive, on black where the menu
// shows it (MenuLayout.h), before the rest has come.
async function drawTitle() {
  const centreX = 400, centreY = 80;
  const title = await createImageBitmap(new Blob([await gameAssets.title], {type: 'image/bmp'}));
  const lettering = document.createElement('canvas');
  lettering.width = title.width;
  lettering.height = title.height;
  const letters = lettering.getContext('2d');
  letters.drawImage(title, 0, 0);
  // The picture's magenta is its transparent colour.
  const area = letters.getImageData(0, 0, title.width, title.height);
  const pixels = area.data;
  for (let i = 0; i < pixels.length; i += 4) {
    if (pixels[i] >= 248 && pixels[i + 1] < 4 && pixels[i + 2] >= 248) pixels[i + 3] = 0;
  }
  letters.putImageData(area, 0, 0);
  const frame = display.frame.getContext('2d');
  frame.fillStyle = '#000';
  frame.fillRect(0, 0, 640, 480);
  frame.drawImage(lettering, centreX - (title.width >> 1), centreY - (title.height >> 1));
  display.show(0, 0, 640, 480);
}

// What the page says of the high scores when the browser cannot keep them (storage.js).
const storageNotes = {
  none: 'This browser keeps no data for this page: the high scores last until it is closed.',
  full: 'The browser\'s storage is full: a new high score may not be kept.',
};

// Enter or Space pressed, not held, take the start button's action as a click does.
function isPress(event) {
  return event.type === 'click' || ((event.key === 'Enter' || event.key === ' ') && !event.repeat);
}

// Shows the start screen's button, worded for a finger where the device has touch; a tap or click
// anywhere starts, and so do the keys.
function offerPlay() {
  if (Module.ended) return;  // the game's files could not be had
  const touch = matchMedia('(pointer: coarse)').matches || navigator.maxTouchPoints > 0;
  start.textContent = touch ? 'tap to play' : 'click to play';
  start.hidden = false;
  start.focus({preventScroll: true});
  window.addEventListener('click', play, true);
  window.addEventListener('keydown', play, true);
}

function play(event) {
  if (!isPress(event)) return;
  event.preventDefault();
  window.removeEventListener('click', play, true);
  window.removeEventListener('keydown', play, true);
  Module.clicked = performance.now();
  start.hidden = true;
  document.body.classList.add('playing');
  // Created inside the tap, the audio context may sound at once. The sounds' own rate, and the
  // desktop's latency (its mixer's 4096 samples): larger blocks cost the browser a fraction of the
  // processor that small ones do.
  try {
    Module.audioContext = new AudioContext({latencyHint: 'playback', sampleRate: 44100});
  } catch (e) {
    showMessage('This browser cannot play sound; the game plays silently.');
  }
  gameReady.then(() => {
    say(storageNotes[Module.scoreStorage] || '');
    Module.callMain([]);
  }, () => {});
}

var Module = {
  canvas: canvas,
  putBand: display.put,  // a band of the game's picture, as ImageData
  thisProgram: 'boglings',  // the program's name in a fatal report, as on the desktop
  print: (text) => console.log(text),
  printErr: (text) => {
    console.error(text);
    showMessage(text);
  },
  onRuntimeInitialized: () => runtimeUp(),
  // A fault of the browser's runtime itself, which no report of the game's covers.
  onAbort: (what) => {
    if (Module.ended) return;
    showMessage('The game stopped in the browser: ' + what);
    Module.gameEnded(1);
  },
  // The game has ended: the exit entry (code 0), or a fatal report (1) already shown above.
  gameEnded: (code) => {
    Module.ended = true;
    document.body.classList.remove('playing');
    document.body.classList.add('ended');
    say(code === 0 ? 'Thanks for playing.' : 'The game has stopped.');
    start.textContent = 'play again';
    start.hidden = false;
    canvas.style.cursor = 'default';
    const again = (event) => isPress(event) && location.reload();
    start.onclick = again;
    start.focus({preventScroll: true});
    window.addEventListener('keydown', again, true);
  },
};
// The game's files in its file system, once its runtime is up; the start waits for them.
let runtimeUp;
const gameReady = new Promise((resolve) => (runtimeUp = resolve)).then(() => gameAssets.writeInto(FS));
gameReady.then(() => say(''), (e) => {
  showMessage('The game could not load its pictures and sounds: ' + e.message);
  Module.gameEnded(1);
});
// The start screen shows as soon as its picture is in, before the game's other files: a tap
// meanwhile starts the game once they have come.
drawTitle().catch((e) => console.error('No title picture: ' + e)).then(() => {
  Module.startShown = performance.now();
  offerPlay();
  // The game's code and other files come behind the start screen, after it has been painted.
  const fetchAll = () => {
    gameAssets.fetchAll();
    document.body.append(Object.assign(document.createElement('script'), {src: 'boglings.js'}));
  };
  if (document.hidden) fetchAll();
  else requestAnimationFrame(() => setTimeout(fetchAll));
});
