// The display: the game draws its 640x480 picture into the frame canvas and names each band it
// changed; the visible canvas shows the picture at the largest 4:3 size the window allows, counted
// in device pixels. Where a whole step (each game pixel k by k device pixels) comes close to that
// size it is used as it is; otherwise the picture goes up by the next whole step and is smoothed
// down to the fit, so no column of game pixels comes out wider than its neighbour.
'use strict';

const display = (() => {
  const width = 640, height = 480;
  // A whole step at least this near the fit is worth the border it leaves: it shows the game's own pixels.
  const close = 7 / 8;
  // A game pixel past the band: the smoothing reads the neighbours of the band's edge pixels.
  const reach = 1;
  const canvas = document.getElementById('canvas');
  const box = document.getElementById('box');
  const frame = document.createElement('canvas');
  frame.width = width;
  frame.height = height;
  const enlarged = document.createElement('canvas');
  let step = 1, sharp = false;

  function context(of) {
    return of.getContext('2d', {alpha: false, desynchronized: true});  // drawn straight to the screen
  }

  // Sizes the visible canvas for the window as it is now; its old picture is gone.
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const across = Math.floor(window.innerWidth * ratio), down = Math.floor(window.innerHeight * ratio);
    const scale = Math.min(across / width, down / height);
    step = Math.floor(scale);
    sharp = step < close * scale;
    const shown = sharp ? scale : step;
    const w = Math.min(across, Math.round(width * shown)), h = Math.min(down, Math.round(height * shown));
    // A whole step is the picture itself, each pixel a k by k square of the screen's: the browser
    // composites a quarter of the pixels or fewer at each change, where it would a k-times canvas.
    const [drawnW, drawnH] = sharp ? [w, h] : [width, height];
    if (canvas.width !== drawnW || canvas.height !== drawnH) {
      canvas.width = drawnW;
      canvas.height = drawnH;
    }
    const up = sharp && step > 0 ? step + 1 : 0;
    enlarged.width = width * up;
    enlarged.height = height * up;
    // Whole device pixels from the window's corner, so the canvas is never resampled by the browser.
    const place = (name, pixels) => box.style.setProperty(name, pixels / ratio + 'px');
    place('--left', (across - w) >> 1);
    place('--top', (down - h) >> 1);
    place('--width', w);
    place('--height', h);
    box.classList.toggle('whole', !sharp);
    box.classList.add('placed');
  }

  // Copies the frame's band (game pixels) to the visible canvas.
  function show(x, y, w, h) {
    const shown = context(canvas);
    if (!sharp) {
      shown.drawImage(frame, x, y, w, h, x, y, w, h);
      return;
    }
    let source = frame;
    if (enlarged.width) {
      const up = enlarged.width / width;
      const big = context(enlarged);
      big.imageSmoothingEnabled = false;
      big.drawImage(frame, x, y, w, h, x * up, y * up, w * up, h * up);
      source = enlarged;
    }
    // The whole picture drawn through the band's clip: each device pixel comes out as in a whole redraw.
    const sx = canvas.width / width, sy = canvas.height / height;
    const left = Math.max(0, Math.floor((x - reach) * sx)), top = Math.max(0, Math.floor((y - reach) * sy));
    const right = Math.ceil((x + w + reach) * sx), bottom = Math.ceil((y + h + reach) * sy);
    shown.save();
    shown.beginPath();
    shown.rect(left, top, right - left, bottom - top);
    shown.clip();
    shown.imageSmoothingEnabled = true;
    shown.imageSmoothingQuality = 'high';
    shown.drawImage(source, 0, 0, canvas.width, canvas.height);
    shown.restore();
  }

  // The game's band of pixels: where the visible canvas is the picture itself it goes straight there,
  // one canvas call; otherwise into the frame, to be scaled.
  function put(band, x, y) {
    if (!sharp) {
      context(canvas).putImageData(band, x, y);
    } else {
      frame.getContext('2d').putImageData(band, x, y);
      show(x, y, band.width, band.height);
    }
  }

  // The game's picture as it stands, for the page's tests.
  function picture() {
    return (sharp ? frame : canvas).getContext('2d');
  }

  function refit() {
    if (!sharp) frame.getContext('2d').drawImage(canvas, 0, 0);  // the picture so far is the visible canvas's
    fit();
    show(0, 0, width, height);
  }

  // A change of the device pixel ratio (another screen, the browser's zoom) fires no resize everywhere.
  function watchRatio() {
    matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)').addEventListener('change', () => {
      refit();
      watchRatio();
    }, {once: true});
  }

  window.addEventListener('resize', refit);
  window.addEventListener('orientationchange', refit);
  watchRatio();
  fit();
  return {frame, show, put, picture};
})();
