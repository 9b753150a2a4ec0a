// The service worker: stores the whole site on the first visit and serves it with no network. Each
// build's site lives in a cache of its own, named by the build's content, so a page is never served
// a mix of two builds; a new build's worker takes the files that did not change from the cache of
// the one before and only the others from the network. It waits until the page starts it (offline.js).
'use strict';

// Made by the build (ListSite.cmake): every other file of the site with its SHA-256.
const FILES = @SITE_FILES@;
const CACHE = 'boglings-@SITE_BUILD@';
const OURS = 'boglings-';
const LIST = 'site-files.json';  // each cache's record of its files, for the next build's install

async function sha256(bytes) {
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  return Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('');
}

// The caches of the builds before, by the path and hash of each file they hold.
async function olderFiles() {
  const found = new Map();
  for (const name of await caches.keys()) {
    if (!name.startsWith(OURS) || name === CACHE) continue;
    const cache = await caches.open(name);
    const list = await cache.match(LIST);
    if (!list) continue;  // an install that never ended
    for (const [path, hash] of Object.entries(await list.json())) found.set(path + ' ' + hash, cache);
  }
  return found;
}

// A file as the server sends it, taken only with this build's bytes: a server that has meanwhile
// moved to another build fails the install, which the browser tries again at a later visit.
async function fetched(path, hash) {
  const response = await fetch(path, {cache: 'no-cache'});
  if (!response.ok || (await sha256(await response.clone().arrayBuffer())) !== hash) {
    throw new Error(path + ' is not the file of this build');
  }
  return response;
}

self.addEventListener('install', (event) => event.waitUntil((async () => {
  const older = await olderFiles();
  const cache = await caches.open(CACHE);
  await Promise.all(Object.entries(FILES).map(async ([path, hash]) => {
    const kept = older.get(path + ' ' + hash);
    await cache.put(path, (kept && (await kept.match(path))) || (await fetched(path, hash)));
  }));
  await cache.put(LIST, new Response(JSON.stringify(FILES)));
})()));

self.addEventListener('activate', (event) => event.waitUntil((async () => {
  for (const name of await caches.keys()) {
    if (name.startsWith(OURS) && name !== CACHE) await caches.delete(name);
  }
})()));

// The page asks at its start, when this build is stored and waiting (offline.js).
self.addEventListener('message', (event) => {
  if (event.data === 'start') self.skipWaiting();
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== location.origin) return;
  if (url.pathname.endsWith('/')) url.pathname += 'index.html';
  event.respondWith((async () => {
    const stored = await (await caches.open(CACHE)).match(url.href, {ignoreSearch: true});
    return stored || fetch(event.request);
  })());
});
