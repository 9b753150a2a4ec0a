// The high scores in the browser's local storage: the bytes of highscores.bin under one key. The
// game's file is taken from the store whenever the game opens it to read, so a save merges with what
// another tab has saved meanwhile, and a new file the game renames over it is stored first: a store
// the browser refuses fails the rename, the file stays as it was, and the game tells the name as not
// saved, as on the desktop. (The game always saves by renaming here: the page's files have no owners
// or links to keep.) Bytes that are not what was stored come back as they are: the game then meets
// a damaged file.
Module['preRun'] = (Module['preRun'] || []).concat(() => {
  const key = 'boglings/highscores.bin';
  const file = '/highscores.bin';
  // Emscripten's numbers for ENOSPC and EIO (WASI's), which a pre-js cannot take from its headers.
  const noSpace = 51, inputOutput = 29;
  let storage = null;
  try {
    storage = window.localStorage;
    storage.getItem(key);
  } catch (e) {
    Module['scoreStorage'] = 'none';
    return;
  }
  // A full store still gives the table; only a new name cannot be kept.
  try {
    storage.setItem(key + '.probe', '');
    storage.removeItem(key + '.probe');
    Module['scoreStorage'] = 'kept';
  } catch (e) {
    Module['scoreStorage'] = 'full';
  }

  const isFile = (path) => (path.startsWith('/') ? path : FS.cwd() + '/' + path).replace(/\/+/g, '/') === file;
  const load = () => {
    const saved = storage.getItem(key);
    if (saved === null) return;
    let bytes;
    try {
      bytes = Uint8Array.from(atob(saved), (c) => c.charCodeAt(0));
    } catch (e) {
      bytes = new TextEncoder().encode(saved);
    }
    FS.writeFile(file, bytes);
  };
  const open = FS.open;
  FS.open = (path, flags, ...rest) => {
    // The game opens by number, for reading with O_RDONLY (0) in the low bits; writeFile above opens
    // for writing, by letter or by number.
    if (typeof path === 'string' && isFile(path) && typeof flags === 'number' && (flags & 3) === 0) load();
    return open(path, flags, ...rest);
  };
  const rename = FS.rename;
  FS.rename = (from, to) => {
    if (isFile(to)) {
      try {
        storage.setItem(key, btoa(String.fromCharCode(...FS.readFile(from))));
      } catch (e) {
        throw new FS.ErrnoError(e.name === 'QuotaExceededError' ? noSpace : inputOutput);
      }
    }
    rename(from, to);
  };
});
