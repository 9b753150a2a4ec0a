// The game's pictures and sounds, fetched in the small forms tools/web-assets makes them in and
// written back into Emscripten's file system as the desktop's very files, which the game's own
// loaders read unchanged. The title comes first and alone, for the start screen; the rest loads
// behind it.
'use strict';

const gameAssets = (() => {
  const folder = 'assets/';

  async function fetchBytes(name) {
    const response = await fetch(folder + name);
    if (!response.ok) throw new Error(`${name}: ${response.status} ${response.statusText}`);
    return new Uint8Array(await response.arrayBuffer());
  }

  // A gzipped file's contents. A host that sends it as Content-Encoding: gzip has inflated it already.
  async function fetchGzipped(name) {
    const bytes = await fetchBytes(name);
    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
    const inflated = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(inflated).arrayBuffer());
  }

  // The desktop's scrambling of its asset files (src/media/LibFiles.h), its own inverse: four bytes
  // at a time with the key's 256 bytes as words, for bytes that start a buffer.
  const key = new Uint32Array(Uint8Array.from({length: 256}, (_, i) => i).buffer);
  function scrambled(bytes) {
    const words = bytes.byteOffset % 4 === 0 ? new Uint32Array(bytes.buffer, bytes.byteOffset, bytes.length >> 2) : [];
    for (let i = 0; i < words.length; ++i) words[i] ^= key[i & 63];
    for (let i = 4 * words.length; i < bytes.length; ++i) bytes[i] ^= i & 255;
    return bytes;
  }

  // Lets the page run between parts of a long piece of work.
  const pause = () => new Promise((resume) => setTimeout(resume));

  // The sound's own frames out of what the browser decoded, as the desktop's 16-bit PCM WAV file.
  // tools/web-assets encoded `wrapped` frames, the sound's from `start` on. A decoder that ignores
  // the encoder's note of its delay (the stream then is that much longer) puts `delay` more before.
  async function wavFile(sound, decoded) {
    const from = sound.start + (decoded.length >= sound.wrapped + sound.delay ? sound.delay : 0);
    if (decoded.length < from + sound.frames) throw new Error(`${sound.file}: decoded short`);
    const sides = [];
    for (let c = 0; c < sound.channels; ++c) sides.push(decoded.getChannelData(Math.min(c, decoded.numberOfChannels - 1)));
    const frameBytes = 2 * sound.channels, dataBytes = sound.frames * frameBytes;
    const view = new DataView(new ArrayBuffer(44 + dataBytes));
    const text = (at, word) => [...word].forEach((letter, i) => view.setUint8(at + i, letter.charCodeAt(0)));
    text(0, 'RIFF');
    view.setUint32(4, 36 + dataBytes, true);
    text(8, 'WAVEfmt ');
    view.setUint32(16, 16, true);
    view.setUint16(20, 1, true);  // PCM
    view.setUint16(22, sound.channels, true);
    view.setUint32(24, sound.rate, true);
    view.setUint32(28, sound.rate * frameBytes, true);
    view.setUint16(32, frameBytes, true);
    view.setUint16(34, 16, true);
    text(36, 'data');
    view.setUint32(40, dataBytes, true);
    const samples = new Int16Array(view.buffer, 44);  // little-endian, as every browser's machine
    for (let i = 0, at = 0; i < sound.frames; ++i) {
      for (const side of sides) samples[at++] = Math.max(-32767, Math.min(32767, Math.round(side[from + i] * 32767)));
      if (i % 32768 === 32767) await pause();  // the music takes a while
    }
    return scrambled(new Uint8Array(view.buffer));
  }

  // An offline context decodes without the user's gesture that a sounding one needs.
  async function soundFile(sound) {
    const encoded = await fetchBytes(sound.file);
    const decoded = await new OfflineAudioContext(sound.channels, 1, sound.rate).decodeAudioData(encoded.buffer);
    return wavFile(sound, decoded);
  }

  // Every file the game reads, as [path, the desktop's bytes].
  async function gameFiles(title, list) {
    const pictures = fetchGzipped('pictures.gz').then((bytes) => {
      let at = 0;
      return list.pictures.map(([path, size]) => [path, scrambled(bytes.slice(at, at += size))]);
    });
    const sounds = Promise.all(Object.entries(list.sounds).map(async ([path, sound]) => [path, await soundFile(sound)]));
    return [[list.title, scrambled(title.slice())], ...(await Promise.all([pictures, sounds])).flat()];
  }

  const title = fetchGzipped('title.gz');
  let files = null;

  return {
    // The title picture's BMP bytes, unscrambled.
    title: title,
    // Starts fetching every other file: once the start screen shows, so that its picture comes first.
    fetchAll: () => {
      if (files) return;
      const list = fetchBytes('files.json').then((bytes) => JSON.parse(new TextDecoder().decode(bytes)));
      files = Promise.all([title, list]).then(([title, list]) => gameFiles(title, list));
      files.catch(() => {});  // reported when the page writes them
    },
    // After fetchAll, resolves when every file the game reads is in `fs` (Emscripten's FS); rejects
    // with the first file that could not be fetched or decoded.
    writeInto: async (fs) => {
      for (const [path, bytes] of await files) {
        fs.mkdirTree('/' + path.slice(0, path.lastIndexOf('/')));
        fs.writeFile('/' + path, bytes, {canOwn: true});  // kept as they are, not copied
      }
    },
  };
})();
