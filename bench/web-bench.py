#!/usr/bin/python3
# The browser's page against the desktop program, in one run: the page's size raw and gzipped, the
# time from navigation to its start screen and from the start click to the game's first frame,
# frames per second and CPU of headless Chromium (all its processes) on the menu and the puzzle at
# rest, then the desktop's bench_present on the same screens under Xvfb.
#   bench/web-bench.py BUILD_DIR [SECONDS]
# BUILD_DIR: a build whose page is built (build/web/site, as ./test builds it) with bench_present.
import asyncio, gzip, os, subprocess, sys, time
sys.dont_write_bytecode = True  # the source tree stays as it is
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from devtools import Browser, serve

build = os.path.abspath(sys.argv[1])
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
site = os.path.join(build, 'web', 'site')


def cpu_seconds(group):
    """User and system time of every live process in the process group."""
    total = 0
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            fields = open('/proc/%s/stat' % pid).read().rsplit(')', 1)[1].split()
        except OSError:
            continue
        if int(fields[2]) == group:
            total += int(fields[11]) + int(fields[12])
    return total / os.sysconf('SC_CLK_TCK')


async def measure(page, label):
    frames, cpu, start = await page.evaluate('Module.frames'), cpu_seconds(page.process.pid), time.time()
    await asyncio.sleep(seconds)
    frames, cpu, wall = await page.evaluate('Module.frames') - frames, cpu_seconds(page.process.pid) - cpu, time.time() - start
    print('browser %s fps=%.1f cpu=%.1f%%' % (label, frames / wall, 100 * cpu / wall))


async def browser():
    server, url = serve(site)
    page = await Browser().open()
    await page.send('Page.navigate', url=url)
    await page.wait_for("!document.getElementById('start').hidden")
    await page.evaluate("document.getElementById('box').click()")
    await page.wait_for('Module.frames > 0')
    print('start screen %.0f ms after navigation; first frame %.0f ms after the click' % tuple(
        await page.evaluate('[Module.startShown, Module.firstFrame - Module.clicked]')))
    left, top, scale = await page.evaluate("(() => { const r = document.getElementById('canvas')"
                                           ".getBoundingClientRect(); return [r.left, r.top, r.width / 640]; })()")
    for x, y in ((320, 240), (400, 225)):  # the intro ends, then the menu's new game entry
        for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
            await page.send('Input.dispatchMouseEvent', type=kind, x=left + x * scale, y=top + y * scale,
                            button='left', clickCount=1)
        if y == 240:
            await asyncio.sleep(1)
            await measure(page, 'menu')
    await asyncio.sleep(2)
    await measure(page, 'puzzle at rest')
    await page.close()
    server.shutdown()


files = sorted(os.path.join(folder, name) for folder, _, names in os.walk(site) for name in names)
raw = sum(os.path.getsize(f) for f in files)
packed = sum(len(gzip.compress(open(f, 'rb').read(), 9)) for f in files)
print('site %d files, %.2f MB raw, %.2f MB gzipped' % (len(files), raw / 1e6, packed / 1e6))
for f in files:
    print('  %s %d bytes, %d gzipped' % (os.path.relpath(f, site), os.path.getsize(f), len(gzip.compress(open(f, 'rb').read(), 9))))
asyncio.run(browser())
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
