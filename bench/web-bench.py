#!/usr/bin/python3
# The browser's page against the desktop program, in one run: the bytes a first visit up to the menu
# and a cached second one fetch from a plain static server, the time from navigation to the start
# screen and from the start tap to the game's first frame, ticks a second and CPU of headless
# Chromium (all its processes) on the menu and the puzzle at rest and with the page hidden, then the
# desktop's bench_present on the same screens under Xvfb; with LIGHTHOUSE naming Lighthouse's command,
# its mobile audit of the page too.
#   bench/web-bench.py BUILD_DIR [SECONDS]
# BUILD_DIR: a build whose page is built (build/web/site, as ./test builds it) with bench_present.
import asyncio, collections, functools, http.server, json, os, re, socketserver, subprocess, sys, threading, time
sys.dont_write_bytecode = True  # the source tree stays as it is
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from devtools import Browser

build = os.path.abspath(sys.argv[1])
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
site = os.path.join(build, 'web', 'site')
served = [0]  # bytes of every response body the server has sent


class Counting(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def copyfile(self, source, target):
        served[0] += os.fstat(source.fileno()).st_size
        super().copyfile(source, target)


def serve():
    server = socketserver.ThreadingTCPServer(('127.0.0.1', 0), functools.partial(Counting, directory=site))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, 'http://127.0.0.1:%d/' % server.server_address[1]


def cpu_seconds(group):
    """User and system time of every live process in the process group, by Chromium's process type."""
    kinds = collections.Counter()
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            fields = open('/proc/%s/stat' % pid).read().rsplit(')', 1)[1].split()
            kind = re.search(r'--type=([\w-]+)', open('/proc/%s/cmdline' % pid).read().replace('\0', ' '))
        except OSError:
            continue
        if int(fields[2]) == group:
            kinds[kind.group(1) if kind else 'browser'] += (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')
    return kinds


async def measure(page, label):
    ticks, cpu, start = await page.evaluate('Module.ticks'), cpu_seconds(page.process.pid), time.time()
    await asyncio.sleep(seconds)
    ticks, wall = await page.evaluate('Module.ticks') - ticks, time.time() - start
    cpu = cpu_seconds(page.process.pid) - cpu
    print('browser %s ticks/s=%.1f cpu=%.1f%% (%s)' % (label, ticks / wall, 100 * cpu.total() / wall, ', '.join(
        '%s %.1f' % (kind, 100 * used / wall) for kind, used in sorted(cpu.items()))))


async def tap(page, x, y):
    left, top, scale = await page.evaluate("(r => [r.left, r.top, r.width / 640])(canvas.getBoundingClientRect())")
    for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
        await page.send('Input.dispatchMouseEvent', type=kind, x=left + x * scale, y=top + y * scale, button='left',
                        clickCount=1)


async def browser(url):
    page = await Browser().open()
    for visit in ('first visit', 'cached second visit'):
        served[0] = 0
        await page.send('Page.navigate', url=url)
        await page.wait_for("!start.hidden")
        # The site stored for offline play (a worker that cannot store it never gets ready).
        await page.evaluate('Promise.race([navigator.serviceWorker.ready, new Promise(r => setTimeout(r, 20000))])')
        print('%s: %d bytes served up to the start screen, every file of the game in' % (visit, served[0]))
    await page.wait_for("status.textContent == ''")  # the game's files in (a tap before waits for them)
    await page.evaluate("start.click()")
    await page.wait_for('Module.frames > 0')
    print('start screen %.0f ms after navigation; first frame %.0f ms after the tap' % tuple(
        await page.evaluate('[Module.startShown, Module.firstFrame - Module.clicked]')))
    await tap(page, 320, 240)  # the intro ends
    await asyncio.sleep(1)
    await measure(page, 'menu')
    await tap(page, 400, 225)  # the menu's new game entry
    await asyncio.sleep(3)
    await measure(page, 'puzzle at rest')
    other = (await page.call('Target.createTarget', url='about:blank'))['targetId']
    await page.wait_for('document.hidden')
    await measure(page, 'puzzle, page hidden')
    await page.call('Target.closeTarget', targetId=other)
    await page.close()


def lighthouse(url):
    report = subprocess.run([os.environ['LIGHTHOUSE'], url, '--quiet', '--output=json', '--only-categories=performance',
                             '--chrome-path=/usr/bin/chromium',
                             '--chrome-flags=--headless=new --no-sandbox --disable-gpu --no-first-run'],
                            capture_output=True, text=True, check=True)
    audits = json.loads(report.stdout)
    score = audits['categories']['performance']['score'] * 100
    paint, usable = (audits['audits'][a]['numericValue'] / 1000 for a in ('largest-contentful-paint', 'interactive'))
    print('lighthouse mobile: performance %.0f, largest paint %.1f s, usable %.1f s' % (score, paint, usable))


server, url = serve()
asyncio.run(browser(url))
if os.environ.get('LIGHTHOUSE'):
    lighthouse(url)
server.shutdown()
xvfb = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '640x480x24', '-nolisten', 'tcp'],
                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
game = os.path.join(build, 'game')
environment = dict(os.environ, DISPLAY=':' + xvfb.stdout.readline().strip(), SDL_AUDIODRIVER='dummy',
                   BOGLINGS_GAME_DIR=game)
for screen in ('Menu', 'GameAtRest'):
    line = subprocess.run([os.path.join(build, 'bench', 'bench_present'), screen, str(int(seconds))], cwd=game,
                          capture_output=True, text=True, env=environment)
    print('desktop ' + (line.stdout.strip() or line.stderr.strip()))
xvfb.terminate()
