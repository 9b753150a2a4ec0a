# The browser's page in headless Chromium, against the desktop's pictures of the same screens.
# Usage: web_test.py SITE_DIR SCREEN_DUMP GAME_DIR
import asyncio, base64, os, subprocess, sys, tempfile
sys.dont_write_bytecode = True  # the source tree stays as it is
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'tools'))
from devtools import Browser, serve

site, screen_dump, game_dir = sys.argv[1:4]
KEY = 'boglings/highscores.bin'
SKIP_INTRO, REST = 'click:320,240', 'move:600,20'  # the pointer rests where no screen reacts
NEW_GAME, HIGH_SCORES, EXIT, QUIT = (400, 225), (400, 275), (400, 375), (30, 30)


def desktop_screen(table, *steps):
    """The desktop build's Screen after steps, with the score file table, as RGB bytes."""
    with tempfile.TemporaryDirectory() as folder:
        for assets in ('sprites', 'sounds'):
            os.symlink(os.path.join(game_dir, assets), os.path.join(folder, assets))
        open(folder + '/highscores.bin', 'wb').write(table)
        subprocess.run([screen_dump, 'screen.rgb', *steps], cwd=folder, check=True)
        return open(folder + '/screen.rgb', 'rb').read()


async def canvas(page):
    data = await page.evaluate('''(() => { const d = document.getElementById('canvas').getContext('2d')
        .getImageData(0, 0, 640, 480).data; let s = '';
        for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
        return btoa(s); })()''')
    return base64.b64decode(data)


async def mouse(page, kind, x, y):
    """A real mouse event at the game's pixel (x, y) of the scaled canvas."""
    left, top, scale = await page.evaluate('''(() => { const r = document.getElementById('canvas')
        .getBoundingClientRect(); return [r.left, r.top, r.width / 640]; })()''')
    await page.send('Input.dispatchMouseEvent', type=kind, x=left + (x + 0.5) * scale, y=top + (y + 0.5) * scale,
                    button='left', buttons=1 if kind != 'mouseReleased' else 0, clickCount=1)


async def click(page, x, y):
    for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
        await mouse(page, kind, x, y)


async def shows(page, expected, what, pixels=range(640 * 480)):
    """Waits until the canvas equals the desktop's picture (in those pixels)."""
    for _ in range(100):
        shown = await canvas(page)
        wrong = [i for i in pixels if shown[3 * i:3 * i + 3] != expected[3 * i:3 * i + 3]]
        if not wrong:
            return
        await asyncio.sleep(0.05)
    raise AssertionError('%s differs from the desktop at (%d, %d)' % (what, wrong[0] % 640, wrong[0] // 640))


async def start(page, url):
    """Opens the page and plays from its start screen, with sound allowed by the click."""
    await page.send('Page.navigate', url=url)
    await page.wait_for("!document.getElementById('start').hidden")
    box = await page.evaluate("(() => { const r = document.getElementById('start').getBoundingClientRect();"
                              " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
    for kind in ('mousePressed', 'mouseReleased'):
        await page.send('Input.dispatchMouseEvent', type=kind, x=box[0], y=box[1], button='left', clickCount=1)
    await page.wait_for("Module.audioContext && Module.audioContext.state == 'running'", 10)
    await click(page, 320, 240)
    await mouse(page, 'mouseMoved', 600, 20)


def cells(screen):
    """The 49 cells' discs: equal tiles at rest look alike inside their disc."""
    def cell(c, r):
        x, y = 193 + 64 * c, 20 + 64 * r
        return b''.join(screen[3 * (640 * row + x):3 * (640 * row + x + 40)] for row in range(y, y + 40))
    return {(c, r): cell(c, r) for c in range(7) for r in range(7)}


def find_line(kinds):
    for (c, r), kind in kinds.items():
        for dc, dr in ((1, 0), (0, 1), (1, 1), (-1, 1)):
            line = [(c + i * dc, r + i * dr) for i in range(3)]
            if all(kinds.get(cell) == kind for cell in line):
                return [(213 + 64 * c, 40 + 64 * r) for c, r in line]
    raise AssertionError('no line of three')


async def play_line(page):
    """Waits for the board to come to rest, then drags over a line of three."""
    previous = None
    while True:
        await asyncio.sleep(0.2)
        board = cells(await canvas(page))
        if board == previous:
            break
        previous = board
    a, b, c = find_line(board)
    for kind, point in zip(('mouseMoved', 'mousePressed', 'mouseMoved', 'mouseMoved', 'mouseReleased'), (a, a, b, c, c)):
        await mouse(page, kind, *point)


async def type_name(page, name):
    """Presses the keyboard's letters once it shows (presses during "new high score!" do nothing)."""
    brown = bytes((120, 92, 24))  # the tiles' discs: the puzzle has gone when none is left
    while brown in [screen[i:i + 3] for screen in [await canvas(page)] for i in range(0, len(screen), 3)]:
        await asyncio.sleep(0.05)
    keys = [(300 + 15 * ((ord(c) - 97) % 13), 160 + 20 * ((ord(c) - 97) // 13)) for c in name] + [(300, 240)]
    name_line = slice(3 * 640 * 280, 3 * 640 * 297)
    before = (await canvas(page))[name_line]
    while (await canvas(page))[name_line] == before:
        await click(page, *keys[0])
        await asyncio.sleep(0.05)
    for key in keys[1:]:
        await click(page, *key)


async def main():
    server, url = serve(site)
    page = await Browser().open()
    try:
        await page.send('Page.navigate', url=url)
        await page.wait_for('document.readyState == "complete"')
        zeros = bytes(130)  # any score makes this table
        await page.evaluate("localStorage.setItem('%s', '%s')" % (KEY, base64.b64encode(zeros).decode()))

        await start(page, url)
        await shows(page, desktop_screen(zeros, SKIP_INTRO, REST), 'the menu')
        assert await page.evaluate('[document.title, canvas.style.cursor]') == ['Boglings and Skitters', 'none']
        await page.wait_for('(c => c[2].source.loop && c[2].gain.gain.value == 48 / 128 && c[1].gain.gain.value == 1)'
                            '(Module.mixer.channels)')  # the music on 2 at 48 of 128, effects at full volume

        await click(page, *NEW_GAME)
        await mouse(page, 'mouseMoved', 600, 20)
        game = desktop_screen(zeros, SKIP_INTRO, 'click:%d,%d' % NEW_GAME, REST)
        # All but the board (random) and the timer bar (running): the head-up display, the timer's frame.
        fixed = [i for i in range(640 * 480) if i % 640 < 181 or i > 640 * 456 and not 462 < i // 640 < 471]
        await shows(page, game, 'the puzzle', fixed)
        await play_line(page)
        await click(page, *QUIT)
        await type_name(page, 'web')
        await page.wait_for("atob(localStorage.getItem('%s')).charCodeAt(0) == 3" % KEY)
        table = base64.b64decode(await page.evaluate("localStorage.getItem('%s')" % KEY))
        assert table[:4] == b'\x03web' and table[9:13] == (9).to_bytes(4, 'little'), table[:13]
        await mouse(page, 'mouseMoved', 600, 20)
        scores = desktop_screen(table, SKIP_INTRO, 'click:%d,%d' % HIGH_SCORES, REST)
        await shows(page, scores, 'the table after the name')

        await start(page, url)
        await click(page, *HIGH_SCORES)
        await mouse(page, 'mouseMoved', 600, 20)
        await shows(page, scores, 'the table after a reload')
        await click(page, 320, 240)
        await click(page, *EXIT)
        await page.wait_for("document.getElementById('start').textContent == 'play again'")

        await page.evaluate("localStorage.setItem('%s', btoa('short'))" % KEY)
        await start(page, url)
        await click(page, *HIGH_SCORES)
        await page.wait_for("document.getElementById('messages').textContent.includes('Read beyond end of file.')")
    finally:
        await page.close()
        server.shutdown()


async def installs_and_plays_offline(page, url, server):
    """Chromium finds the page installable, and once its worker has stored the site it plays with no server."""
    await page.send('Page.navigate', url=url)
    await page.wait_for("navigator.serviceWorker.getRegistration().then(r => r?.active?.state == 'activated')")
    assert (await page.send('Page.getInstallabilityErrors'))['installabilityErrors'] == []
    server.shutdown()
    server.server_close()
    await start(page, url)
    await shows(page, desktop_screen(bytes(130), SKIP_INTRO, REST), 'the menu offline')


async def stored(page, url, table):
    await page.send('Page.navigate', url=url)
    await page.wait_for('document.readyState == "complete"')
    await page.evaluate("localStorage.setItem('%s', %s)" % (KEY, table))


async def new_score(page, name):
    await click(page, *NEW_GAME)
    await play_line(page)
    await click(page, *QUIT)
    await type_name(page, name)


async def two_tabs_keep_both_names(page, url, server):
    """A save merges with what the other tab stored after this one was loaded."""
    await stored(page, url, "btoa('\\0'.repeat(130))")
    other = await page.tab()
    await start(other, url)  # open while the first tab saves: its copy of the table is old
    await start(page, url)
    for tab, name in ((page, 'aaa'), (other, 'bbb')):
        await tab.send('Page.bringToFront')
        await new_score(tab, name)
        await tab.wait_for("atob(localStorage.getItem('%s')).includes('\\x03%s')" % (KEY, name))
    assert b'\x03aaa' in base64.b64decode(await page.evaluate("localStorage.getItem('%s')" % KEY))


async def full_store_keeps_table(page, url, server):
    """A full store still gives its table, and a name it refuses is told as not saved, the store as it was."""
    await stored(page, url, "'\\0'.repeat(130)")  # the zeros table as raw text, shorter than a save's base64
    # The store filled to the last character the origin may keep.
    await page.evaluate("""(() => { for (let i = 0, fill = 'x'.repeat(1 << 20); fill; )
        try { localStorage.setItem('fill' + i++, fill); } catch (e) { fill = fill.slice(1 + fill.length >> 1); } })()""")
    await start(page, url)
    await new_score(page, 'web')  # asked for only when the stored table was read
    await page.wait_for("document.getElementById('messages').textContent.includes('not saved: No space left on device')")
    assert await page.evaluate("localStorage.getItem('%s') == '\\0'.repeat(130)" % KEY)


async def scenario(test):
    server, url = serve(site)
    page = await Browser().open()
    try:
        await test(page, url, server)
    finally:
        await page.close()
        server.shutdown()


asyncio.run(main())
for test in (installs_and_plays_offline, two_tabs_keep_both_names, full_store_keeps_table):
    asyncio.run(scenario(test))
print('web page: passed')
