# Headless Chromium driven through the DevTools protocol, with a static server for the page: the web
# test (tests/web) and the browser benchmark (bench/web-bench.py) drive the page with it.
import asyncio, base64, copy, json, os, re, subprocess, tempfile, threading, functools, http.server, socketserver
import websockets


def serve(folder):
    """Serves folder on a free loopback port from a thread; returns the server and its address."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=folder)
    server = socketserver.ThreadingTCPServer(('127.0.0.1', 0), handler)
    server.handle_error = lambda *args: None  # the browser drops what it no longer needs
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, 'http://127.0.0.1:%d/' % server.server_address[1]


class Browser:
    """One headless Chromium with one page, its own profile, gone when closed."""

    async def open(self, width=1400, height=1300):
        """Starts the browser; its window is large enough for the page to show the game at twice its size."""
        self.width = width
        self.profile = tempfile.TemporaryDirectory(prefix='boglings-chromium-', ignore_cleanup_errors=True)
        self.process = subprocess.Popen(
            ['chromium', '--headless=new', '--no-sandbox', '--disable-gpu', '--remote-debugging-port=0',
             '--autoplay-policy=no-user-gesture-required', '--user-data-dir=' + self.profile.name,
             '--window-size=%d,%d' % (width, height), '--no-first-run', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, start_new_session=True)
        for line in self.process.stderr:
            found = re.search(r'ws://\S+', line)
            if found:
                break
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        self.socket = await websockets.connect(found.group(0), max_size=None)
        self.next_id, self.waiting, self.events = 0, {}, asyncio.Queue()
        self.touched = self.finger_down = False
        self.reader = asyncio.ensure_future(self.read())
        targets = await self.call('Target.getTargets')
        await self.attach(next(t for t in targets['targetInfos'] if t['type'] == 'page')['targetId'])
        return self

    async def attach(self, target):
        self.session = (await self.call('Target.attachToTarget', targetId=target, flatten=True))['sessionId']
        await self.send('Page.enable')
        await self.send('Runtime.enable')

    async def tab(self):
        """Another page of the same browser and profile, driven like this one; closed with the browser."""
        tab = copy.copy(self)
        await tab.attach((await self.call('Target.createTarget', url='about:blank'))['targetId'])
        return tab

    async def read(self):
        async for text in self.socket:
            message = json.loads(text)
            if 'id' in message:
                self.waiting.pop(message['id']).set_result(message)
            else:
                self.events.put_nowait(message)

    async def call(self, method, session=None, **params):
        self.next_id += 1
        reply = asyncio.get_running_loop().create_future()
        self.waiting[self.next_id] = reply
        command = {'id': self.next_id, 'method': method, 'params': params}
        if session:
            command['sessionId'] = session
        await self.socket.send(json.dumps(command))
        message = await reply
        if 'error' in message:
            raise RuntimeError('%s: %s' % (method, message['error']))
        return message['result']

    async def send(self, method, **params):
        return await self.call(method, self.session, **params)

    async def evaluate(self, expression):
        result = await self.send('Runtime.evaluate', expression=expression, awaitPromise=True, returnByValue=True)
        if 'exceptionDetails' in result:
            raise RuntimeError('%s: %s' % (expression, result['exceptionDetails']))
        return result['result'].get('value')

    async def wait_for(self, expression, seconds=60):
        """Polls expression on the page until it is true; fails after seconds."""
        for _ in range(int(seconds * 20)):
            if await self.evaluate('(() => { try { return %s; } catch (e) { return false; } })()' % expression):
                return
            await asyncio.sleep(0.05)
        raise AssertionError('page never met: ' + expression)

    async def phone(self, width, height, ratio, mobile=True):
        """Turns the page's screen to width by height CSS pixels at that device pixel ratio; a mobile one is touched."""
        await self.send('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=ratio,
                        mobile=mobile)
        await self.send('Emulation.setTouchEmulationEnabled', enabled=mobile, maxTouchPoints=5)
        self.touched = mobile
        await self.wait_for('screen.width == %d && screen.height == %d' % (width, height), 5)

    async def desktop(self):
        """Back to the browser's own window, clicked and not touched."""
        await self.send('Emulation.clearDeviceMetricsOverride')
        await self.send('Emulation.setTouchEmulationEnabled', enabled=False)
        self.touched = False
        await self.wait_for('innerWidth == %d' % self.width, 5)

    async def tap(self, x, y):
        """A finger's tap at the page's CSS point (x, y)."""
        await self.send('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}])
        await self.send('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])

    async def screenshot(self, path):
        """Writes what the page shows, in device pixels, to the PNG file path."""
        shot = await self.send('Page.captureScreenshot', format='png')
        open(path, 'wb').write(base64.b64decode(shot['data']))

    async def close(self):
        await self.socket.close()
        self.process.terminate()
        self.process.wait()
        self.profile.cleanup()
