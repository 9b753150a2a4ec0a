// The high scores in the browser's local storage: the bytes of highscores.bin under one key, read
// into the game's file before it starts and stored again whenever the game has written the file.
// Bytes that are not what was stored come back as they are: the game then meets a damaged file.
Module['preRun'] = (Module['preRun'] || []).concat(() => {
  const key = 'boglings/highscores.bin';
  const file = '/highscores.bin';
  let storage = null;
  try {
    storage = window.localStorage;
    storage.setItem(key + '.probe', '');
    storage.removeItem(key + '.probe');
  } catch (e) {
    storage = null;
  }
  Module['scoreStorage'] = storage !== null;
  if (storage === null) return;

  const saved = storage.getItem(key);
  if (saved !== null) {
    let bytes;
    try {
      bytes = Uint8Array.from(atob(saved), (c) => c.charCodeAt(0));
    } catch (e) {
      bytes = new TextEncoder().encode(saved);
    }
    FS.writeFile(file, bytes);
  }
  const keep = (path) => {
    if (!path.startsWith('/')) path = FS.cwd() + '/' + path;
    if (path.replace(/\/+/g, '/') !== file || !FS.analyzePath(file).exists) return;
    try {
      storage.setItem(key, btoa(String.fromCharCode(...FS.readFile(file))));
    } catch (e) {
      Module['printErr']('highscores.bin: the browser refused to keep the high scores: ' + e.message);
    }
  };
  // A save writes a new file and renames it over the old, or rewrites the old in place.
  const rename = FS.rename;
  FS.rename = (from, to) => {
    rename(from, to);
    keep(to);
  };
  const close = FS.close;
  FS.close = (stream) => {
    const path = stream.path, written = (stream.flags & 3) !== 0;
    close(stream);
    if (written) keep(path);
  };
});
