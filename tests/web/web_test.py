# The browser's page in headless Chromium, against the desktop's files and its pictures of the same screens.
# Usage: web_test.py SITE_DIR SCREEN_DUMP GAME_DIR
import array, asyncio, base64, glob, hashlib, os, subprocess, sys, tempfile
sys.dont_write_bytecode = True  # the source tree stays as it is
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'tools'))
from devtools import Browser, serve

site, screen_dump, game_dir = sys.argv[1:4]
KEY = 'boglings/highscores.bin'
SKIP_INTRO, REST = 'click:320,240', 'move:600,20'  # the pointer rests where no screen reacts
NEW_GAME, HIGH_SCORES, EXIT, QUIT = (400, 225), (400, 275), (400, 375), (30, 30)
# A phone as it turns, then on a screen of another ratio (CSS size, ratio, the picture in device pixels):
# no whole step comes near the fit in the first two, and a whole step of 2 does in the third.
FITS = [(390, 844, 3, 1170, 878), (844, 390, 3, 1560, 1170), (800, 400, 2.5, 1280, 960)]


def desktop_screen(table, *steps):
    """The desktop build's Screen after steps, with the score file table, as RGB bytes."""
    with tempfile.TemporaryDirectory() as folder:
        for assets in ('sprites', 'sounds'):
            os.symlink(os.path.join(game_dir, assets), os.path.join(folder, assets))
        open(folder + '/highscores.bin', 'wb').write(table)
        subprocess.run([screen_dump, 'screen.rgb', *steps], cwd=folder, check=True)
        return open(folder + '/screen.rgb', 'rb').read()


async def canvas(page):
    data = await page.evaluate('''(() => { const d = display.picture()
        .getImageData(0, 0, 640, 480).data; let s = '';
        for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
        return btoa(s); })()''')
    return base64.b64decode(data)


async def mouse(page, kind, x, y):
    """A real mouse event at the game's pixel (x, y) of the scaled canvas; on a touched page, a finger's (which
    cannot hover)."""
    left, top, scale = await page.evaluate('''(() => { const r = document.getElementById('canvas')
        .getBoundingClientRect(); return [r.left, r.top, r.width / 640]; })()''')
    at = {'x': left + (x + 0.5) * scale, 'y': top + (y + 0.5) * scale}
    finger = {'mousePressed': 'touchStart', 'mouseMoved': 'touchMove', 'mouseReleased': 'touchEnd'}[kind]
    if not page.touched:
        await page.send('Input.dispatchMouseEvent', type=kind, button='left', clickCount=1,
                        buttons=1 if kind != 'mouseReleased' else 0, **at)
    elif finger == 'touchStart' or page.finger_down:
        await page.send('Input.dispatchTouchEvent', type=finger, touchPoints=[] if finger == 'touchEnd' else [at])
        page.finger_down = finger != 'touchEnd'


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
    """Opens the page in front (a hidden page runs no frames) and plays from its start screen, with sound
    allowed by the click."""
    await page.send('Page.bringToFront')
    await page.send('Page.navigate', url=url)
    await page.wait_for("!document.getElementById('start').hidden")
    box = await page.evaluate("(() => { const r = document.getElementById('start').getBoundingClientRect();"
                              " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
    for kind in ('mousePressed', 'mouseReleased'):
        await page.send('Input.dispatchMouseEvent', type=kind, x=box[0], y=box[1], button='left', clickCount=1)
    await page.wait_for("Module.audioContext && Module.audioContext.state == 'running' && Module.frames", 10)
    await click(page, 320, 240)
    await mouse(page, 'mouseMoved', 600, 20)


async def files_as_desktop(page):
    """The page wrote the desktop's very pictures, and sounds that are the desktop's but for the MP3's
    noise, 20 dB under the sound at least: a wrong cut, or a seam in the music's loop, shows in the
    first or last half second."""
    for path in glob.glob(game_dir + '/sprites/*.dat'):
        digest = await page.evaluate("crypto.subtle.digest('SHA-256', FS.readFile('/sprites/%s')).then(d => "
                                     "[...new Uint8Array(d)].map(b => (b + 256).toString(16).slice(1)).join(''))"
                                     % os.path.basename(path))
        assert digest == hashlib.sha256(open(path, 'rb').read()).hexdigest(), path
    for path in glob.glob(game_dir + '/sounds/*.dat'):
        desktop = bytes(b ^ i & 255 for i, b in enumerate(open(path, 'rb').read()))
        ends = 4 * min((len(desktop) - 44) // 4, 22050)
        size, made = await page.evaluate('''(b => { for (let i = 0; i < b.length; ++i) b[i] ^= i & 255;
            let s = ''; for (const x of [...b.subarray(0, 44 + %d), ...b.subarray(b.length - %d)]) s += String.fromCharCode(x);
            return [b.length, btoa(s)]; })(FS.readFile('/sounds/%s'))''' % (ends, ends, os.path.basename(path)))
        made, wanted = base64.b64decode(made), desktop[:44 + ends] + desktop[len(desktop) - ends:]
        assert (size, made[:44]) == (len(desktop), wanted[:44]), path
        noise = sum((a - b) ** 2 for a, b in zip(array.array('h', made[44:]), array.array('h', wanted[44:])))
        assert 100 * noise < sum(b * b for b in array.array('h', wanted[44:])), path


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


async def board_shown(page):
    """Whether the tiles' discs show: not when the puzzle has gone, nor under the pause's panel."""
    screen, brown = await canvas(page), bytes((120, 92, 24))
    return any(brown == screen[3 * (640 * y + x):3 * (640 * y + x + 1)] for y in range(20, 468) for x in range(193, 640))


async def type_name(page, name):
    """Presses the keyboard's letters once it shows (presses during "new high score!" do nothing)."""
    while await board_shown(page):
        await asyncio.sleep(0.05)
    keys = [(300 + 15 * ((ord(c) - 97) % 13), 160 + 20 * ((ord(c) - 97) // 13)) for c in name] + [(300, 240)]
    name_line = slice(3 * 640 * 280, 3 * 640 * 297)
    before = (await canvas(page))[name_line]
    while (await canvas(page))[name_line] == before:
        await click(page, *keys[0])
        await asyncio.sleep(0.05)
    for key in keys[1:]:
        await click(page, *key)


async def phone_fits(page, url):
    """The picture lies wholly on the phone's screen at the designed size as it turns, and a tap plays."""
    await page.phone(*FITS[0][:3])
    await page.send('Page.navigate', url=url)
    await page.wait_for("!start.hidden")
    for width, height, ratio, across, down in FITS:
        await page.phone(width, height, ratio)
        drawn = (640, 480) if across % 640 == down % 480 == 0 else (across, down)  # a whole step: scaled by CSS
        await page.wait_for('canvas.width == %d && canvas.height == %d' % drawn, 5)
        left, top, right, bottom, title, *scrolled = await page.evaluate('''(r => [r.left, r.top, r.right, r.bottom,
            Math.max(...canvas.getContext('2d').getImageData(0, canvas.height / 6, canvas.width, 1).data.filter(
                (v, i) => i % 4 == 0)),
            document.documentElement.scrollWidth, document.documentElement.scrollHeight])
            (canvas.getBoundingClientRect())''')
        assert 0 <= left and 0 <= top and right <= width and bottom <= height, (width, height, left, top, right, bottom)
        assert abs(right - left - across / ratio) < 0.05 and abs(bottom - top - down / ratio) < 0.05, (width, height)
        assert scrolled == [width, height] and title > 200, (width, height, scrolled, title)  # redrawn whole
    assert await page.evaluate('start.textContent') == 'tap to play'
    middle = '(r => [r.left + r.width / 2, r.top + r.height / 2])(start.getBoundingClientRect())'
    await page.tap(*await page.evaluate(middle))
    await page.wait_for("Module.audioContext.state == 'running'", 10)
    await page.desktop()


async def main():
    server, url = serve(site)
    page = await Browser().open()
    try:
        await phone_fits(page, url)
        await page.send('Page.navigate', url=url)
        await page.wait_for('document.readyState == "complete"')
        zeros = bytes(130)  # any score makes this table
        await page.evaluate("localStorage.setItem('%s', '%s')" % (KEY, base64.b64encode(zeros).decode()))

        await start(page, url)
        await shows(page, desktop_screen(zeros, SKIP_INTRO, REST), 'the menu')
        assert await page.evaluate('[document.title, canvas.style.cursor]') == ['Boglings and Skitters', 'none']
        await page.wait_for('(c => c[2].source.loop && c[2].gain.gain.value == 48 / 128 && c[1].gain.gain.value == 1)'
                            '(Module.mixer.channels)')  # the music on 2 at 48 of 128, effects at full volume
        await files_as_desktop(page)

        # A whole game by touch on a phone as it turns: no hand under the finger, the puzzle paused while
        # the page is hidden, a lone Alt no key to go on.
        await page.phone(844, 390, 3)
        await click(page, *NEW_GAME)
        game = desktop_screen(zeros, SKIP_INTRO, 'click:%d,%d' % NEW_GAME, REST)
        # All but the board (random) and the timer bar (running): the head-up display, the timer's frame.
        fixed = [i for i in range(640 * 480) if i % 640 < 181 or i > 640 * 456 and not 462 < i // 640 < 471]
        await click(page, 100, 200)  # no hand there, where the desktop's rests elsewhere
        await shows(page, game, 'the puzzle', fixed)
        other = (await page.call('Target.createTarget', url='about:blank'))['targetId']
        await page.wait_for("document.hidden && Module.audioContext.state == 'suspended'")
        frames = await page.evaluate('[Module.frames, performance.now()]')
        await page.wait_for('performance.now() > %f + 500' % frames[1])
        assert await page.evaluate('Module.frames') == frames[0], 'frames while hidden'
        await page.call('Target.closeTarget', targetId=other)
        await page.wait_for("!document.hidden && Module.audioContext.state == 'running'")
        for kind in ('rawKeyDown', 'keyUp'):
            await page.send('Input.dispatchKeyEvent', type=kind, key='Alt', code='AltLeft', windowsVirtualKeyCode=18)
        assert not await board_shown(page), "the pause's panel hides the board"
        await click(page, 320, 240)
        await play_line(page)
        await page.phone(390, 844, 3)
        await click(page, *QUIT)
        await type_name(page, 'web')
        await page.wait_for("atob(localStorage.getItem('%s')).charCodeAt(0) == 3" % KEY)
        table = base64.b64decode(await page.evaluate("localStorage.getItem('%s')" % KEY))
        assert table[:4] == b'\x03web' and table[9:13] == (9).to_bytes(4, 'little'), table[:13]
        await page.desktop()
        for x in (590, 600):  # the browser sends no motion to where the mouse was before the phone
            await mouse(page, 'mouseMoved', x, 20)
        scores = desktop_screen(table, SKIP_INTRO, 'click:%d,%d' % HIGH_SCORES, REST)
        await shows(page, scores, 'the table after the name, with the hand back')

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
