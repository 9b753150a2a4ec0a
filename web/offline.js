// The installed app's side of the page: the service worker that keeps the site for playing offline
// (sw.js), and a new build that it has stored. That build waits for the next start of the page,
// never mixing with the one running: the page says so quietly, and the start after starts it.
'use strict';

if ('serviceWorker' in navigator) {
  // A start with a new build waiting, before anything plays: the page comes again from the new one.
  navigator.serviceWorker.getRegistration().then((registration) => {
    if (registration && registration.waiting && navigator.serviceWorker.controller) {
      navigator.serviceWorker.addEventListener('controllerchange', () => location.reload());
      registration.waiting.postMessage('start');
    }
  });
  // The site is stored once the game's own files are in (page.js): the worker's fetches then find
  // them in the browser's cache instead of downloading them again beside the page's.
  gameReady.then(() => navigator.serviceWorker.register('sw.js')).then((registration) => {
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed' && navigator.serviceWorker.controller) {
          document.getElementById('update').hidden = false;
        }
      });
    });
  }, (failure) => console.warn('No offline copy of the game: ' + failure.message));
}
