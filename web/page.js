// The page around the game: its start screen, the canvas scaled by whole steps to the window, the
// game's messages, and what follows the game's end.
'use strict';

const canvas = document.getElementById('canvas');
const box = document.getElementById('box');
const start = document.getElementById('start');
const status = document.getElementById('status');
const messages = document.getElementById('messages');

// The largest whole step at which the canvas and the line under it fit the window.
function fit() {
  const step = Math.floor(Math.min(window.innerWidth / 640, (window.innerHeight - 64) / 480));
  box.style.setProperty('--scale', Math.max(1, step));
}
window.addEventListener('resize', fit);
// Once the frame loop sleeps, the game runs in the browser's timers: a fault there reaches no
// caller, only the window.
window.addEventListener('error', (event) => Module.onAbort(event.message));
fit();

function say(text) {
  status.textContent = text;
}

// Standard error reaches the page: the fatal report, and a save that could not be made.
function showMessage(text) {
  messages.hidden = false;
  messages.textContent += text + '\n';
}

// The start screen: the game's title picture, read from the game's own files, on black.
async function drawTitle() {
  const bytes = FS.readFile('/sprites/title.dat');
  for (let i = 0; i < bytes.length; ++i) bytes[i] ^= i & 255;
  const picture = await createImageBitmap(new Blob([bytes], {type: 'image/bmp'}));
  const context = canvas.getContext('2d');
  context.fillStyle = '#000';
  context.fillRect(0, 0, canvas.width, canvas.height);
  const x = (canvas.width - picture.width) >> 1, y = (canvas.height - picture.height) >> 2;
  context.drawImage(picture, x, y);
  // The picture's magenta is its transparent colour.
  const area = context.getImageData(x, y, picture.width, picture.height);
  const pixels = area.data;
  for (let i = 0; i < pixels.length; i += 4) {
    if (pixels[i] >= 248 && pixels[i + 1] < 4 && pixels[i + 2] >= 248) pixels[i] = pixels[i + 2] = 0;
  }
  context.putImageData(area, x, y);
}

// What the page says of the high scores when the browser cannot keep them (storage.js).
const storageNotes = {
  none: 'This browser keeps no data for this page: the high scores last until it is closed.',
  full: 'The browser\'s storage is full: a new high score may not be kept.',
};

function play() {
  Module.clicked = performance.now();
  start.hidden = true;
  box.onclick = null;
  // Created inside the click, the audio context may sound at once.
  try {
    Module.audioContext = new AudioContext();
  } catch (e) {
    showMessage('This browser cannot play sound; the game plays silently.');
  }
  say(storageNotes[Module.scoreStorage] || '');
  Module.callMain([]);
}

var Module = {
  canvas: canvas,
  thisProgram: 'boglings',  // the program's name in a fatal report, as on the desktop
  print: (text) => console.log(text),
  printErr: (text) => {
    console.error(text);
    showMessage(text);
  },
  onRuntimeInitialized: async () => {
    try {
      await drawTitle();
    } catch (e) {
      console.error('No title picture: ' + e);
    }
    say('');
    Module.startShown = performance.now();
    start.hidden = false;
    box.onclick = play;
  },
  // A fault of the browser's runtime itself, which no report of the game's covers.
  onAbort: (what) => {
    if (Module.ended) return;
    showMessage('The game stopped in the browser: ' + what);
    Module.gameEnded(1);
  },
  // The game has ended: the exit entry (code 0), or a fatal report (1) already shown above.
  gameEnded: (code) => {
    Module.ended = true;
    say(code === 0 ? 'Thanks for playing.' : 'The game has stopped.');
    start.textContent = 'play again';
    start.hidden = false;
    canvas.style.cursor = 'default';
    start.onclick = () => location.reload();
  },
};
