#!/usr/bin/python3
"""The survey page in headless Chromium, filled by keyboard as a respondent fills it, at a phone's
size and a desktop's, for a group whose name is made of HTML and script syntax; the result files
are read back with ocai-cli. On the phone: every focused field lies above the sticky footer (also
with the keyboard's smaller screen), a reload on the start screen and on screen 6 comes back with
every answer, and a server that is stopped, serves other groups, serves another link or never
answers is said so with the answers kept until it is back; the code field is on the first screen,
the instruction speaks of touch, a code the group holds is said at the code field, and "7,5",
"-5" and a code with a space stay as typed with a note that outlasts a flash while the sum does
not move. On the desktop the browser refuses all storage and the page still works; the
instruction speaks of Tab. Usage: survey_page.py OCAI_CLI SCREENSHOT_DIR. Exit 77 (skipped)
without Chromium, Selenium and zbarimg (which reads the link's QR code back)."""
import json
import os
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import time

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    sys.exit(77)
if not os.path.exists("/usr/bin/chromedriver") or not shutil.which("zbarimg"):
    sys.exit(77)

CLI, SHOTS = sys.argv[1], sys.argv[2]
WINDOWS = sys.argv[3:] == ["windows"]
SIZES = {"phone": (360, 640), "desktop": (1280, 800)}
# HTML and script syntax, and a word longer than a phone's line.
# Windows keeps < > " out of folder names: there the name is markup of another kind.
GROUP = ("Отдел &lt;!-- &amp; ' ]] Межрегиональноепредставительствопосопровождениюзаказчиков"
         if WINDOWS else
         "Отдел <!--<script>\"' ]]> Межрегиональноепредставительствопосопровождениюзаказчиков")
FREE = "Отдел продаж"
# Rows of points: current questions 1-6, then preferred 1-6.
POINTS = [[40, 30, 20, 10], [25, 25, 25, 25], [10, 20, 30, 40], [100, 0, 0, 0], [0, 0, 50, 50],
          [70, 10, 10, 10]] * 2
RELOAD_ROW, KEYBOARD_ROW = 5, 2
# A code whose questionnaire the group holds before the page is opened (put there by hand).
REPEATED = "Повтор-7"
# The page's own wait for an answer, and a bound for everything else.
SEND_TIMEOUT, WAIT = 20, 20
REFUSE_STORAGE = """for (const name of ["localStorage", "sessionStorage"])
  Object.defineProperty(window, name,
                        { get() { throw new DOMException("refused", "SecurityError"); } });"""
FIELD_BOX = """const box = document.activeElement.getBoundingClientRect();
const footer = document.querySelector(".footer");
const limit = footer.offsetParent ? footer.getBoundingClientRect().top : innerHeight;
return [document.activeElement.id, box.top, box.bottom, limit];"""


def plant_result(folder, code):
    """A result file of `code` in `folder`, as another questionnaire wrote it."""
    lines = ["12.03.2026", code, "", "", "10:15:32", "", "", "", "00:14:05"] + [""] * 14
    lines += ["%4d%4d%4d%4d%7d" % (25, 25, 25, 25, 30)] * 12
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as plain:
        plain.write("\r\n".join(lines) + "\r\n")
    try:
        subprocess.run([CLI, "encrypt", "--out", os.path.join(folder, code + "OCAI.cry"),
                        plain.name], check=True, timeout=WAIT)
    finally:
        os.unlink(plain.name)


def browser(size):
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    width, height = SIZES[size]
    if size == "phone":
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": 2, "touch": True}})
    else:
        options.add_argument("--window-size=%d,%d" % (width, height))
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_page_load_timeout(WAIT)
    driver.set_script_timeout(WAIT)
    return driver


def phone_height(driver, height):
    """The phone's screen as an on-screen keyboard leaves it (or whole again)."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": SIZES["phone"][0], "height": height, "deviceScaleFactor": 2, "mobile": True})


class Server:
    """ocai-cli serve for the one hostile group, stopped and started again on the same port."""

    def __init__(self, folder):
        self.folder, self.process = folder, None
        # The group's secret is made from the token: started with it again, the same link.
        self.token = "0123456789abcdef" * 2
        self.url = self.start("--port", "0", "--token", self.token)
        self.port, self.secret = self.url.split(":")[2].split("/")[0], self.url.split("/")[3]

    def start(self, *options, groups=GROUP):
        self.process = subprocess.Popen(
            [CLI, "serve", self.folder, "--address", "127.0.0.1", "--groups", groups, *options],
            stdout=subprocess.PIPE, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], WAIT)
        assert ready, "ocai-cli serve printed no link"
        return self.process.stdout.readline().rstrip("\n").split("\t")[-1]

    def restart(self, token=None, groups=GROUP):
        self.stop()
        return self.start("--port", self.port, "--token", token or self.token, groups=groups)

    def stop(self):
        if self.process:
            self.process.terminate()
            assert self.process.wait(timeout=WAIT) == 0
            self.process.stdout.close()
            self.process = None


class Page:
    def __init__(self, driver, size):
        self.driver, self.size = driver, size
        self.wait = WebDriverWait(driver, WAIT)

    def shot(self, name):
        self.driver.save_screenshot(os.path.join(SHOTS, "%s-%s.png" % (self.size, name)))

    def element(self, id):
        return self.driver.find_element(By.ID, id)

    def value(self, id):
        return self.element(id).get_attribute("value")

    def type(self, *keys):
        self.driver.switch_to.active_element.send_keys(*keys)

    def clear(self):
        """Empties the focused field as a respondent does, so that the page sees the edit."""
        self.type(Keys.CONTROL, "a")
        self.type(Keys.BACKSPACE)

    def note(self, id):
        return self.element(id).text

    def status(self):
        return self.element("status").text

    def fits(self):
        width = self.driver.execute_script("return document.documentElement.scrollWidth")
        assert width <= SIZES[self.size][0], width

    def focused_in_view(self):
        """The focused field lies on the screen, above the footer where there is one."""
        id, top, bottom, limit = self.driver.execute_script(FIELD_BOX)
        assert top >= 0 and bottom <= limit, (self.size, id, top, bottom, limit)

    def start(self, url, code):
        self.driver.get(url)
        self.wait.until(lambda d: self.element("code").is_displayed())
        assert self.element("group").text == GROUP and GROUP in self.driver.title
        self.fits()
        self.shot("00-start")
        rest = self.driver.execute_script(
            "return document.getElementById('instructionRest').textContent")
        if self.size == "phone":
            # The code field on the first screen, the instruction folded; touch, not Tab.
            bottom = self.driver.execute_script(
                "return document.getElementById('code').getBoundingClientRect().bottom")
            assert bottom <= SIZES["phone"][1], bottom
            assert not self.element("instructionMore").get_attribute("open")
            assert "Коснитесь" in rest and "Tab" not in rest, rest
            self.element("instructionMoreTitle").click()  # unfolds, and folds again
            assert self.element("instructionRest").is_displayed()
            self.shot("00-instruction")
            self.element("instructionMoreTitle").click()
            self.element("code").click()
        else:
            assert self.element("instructionMore").get_attribute("open")
            assert "Shift+Tab" in rest, rest
        assert "целыми числами" in rest, rest
        self.type("/")  # kept as typed, marked, and a note says why
        assert self.value("code") == "/" and self.note("code-note")
        assert not self.element("start").is_enabled()
        self.clear()
        if self.size == "phone":
            # The group holds this code already, in another letter case: said before the
            # questions, asking whether this is someone else.
            self.type(REPEATED.lower())
            self.wait.until(lambda d: "уже ответили" in self.note("code-note"))
            assert "другой человек" in self.note("code-note")
            self.shot("00-repeated")
            self.clear()
            # A space is no part of a code: kept, said, and said still after a flash's time.
            self.type("Тест phone")
            time.sleep(4.5)
            assert "пробел" in self.note("code-note"), self.note("code-note")
            assert not self.element("start").is_enabled()
            self.shot("00-space")
            self.clear()
        self.type(code)
        # A code nobody has answered with: no remark once the server has said so.
        time.sleep(1)
        assert self.note("code-note") == "", self.note("code-note")
        self.focused_in_view()
        self.type(Keys.TAB, FREE)
        self.focused_in_view()

    def reload_damaged(self, code):
        """A kept state the page did not write is dropped: a new questionnaire starts. (The
        damage is done as the page loads: leaving, the page keeps its own state.)"""
        script = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": """for (const key of Object.keys(localStorage))
                localStorage.setItem(key, '{"version":1,"screen":"question","question":99}');"""})
        self.driver.refresh()
        self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
        self.wait.until(lambda d: self.element("code").is_displayed())
        assert self.value("code") == "" and self.stored() == [], self.stored()
        self.type(code, Keys.TAB, FREE)

    def reload_start(self, code):
        self.driver.refresh()
        self.wait.until(lambda d: self.value("code") == code and self.value("free") == FREE)
        self.element("free").click()

    def question(self, row, check_footer, check_keyboard, reload):
        points = POINTS[row]
        self.wait.until(lambda d: self.element("a") == d.switch_to.active_element)
        assert self.element("progress").text.startswith("Вопрос %d из 12" % (row + 1))
        if row == 0:
            # Points are whole numbers: "7,5" is not 75, "-5" not 5; the field keeps what was
            # typed and counts its last whole number, so that the sum does not move.
            self.type("7,5")
            assert self.value("a") == "7,5"
            assert "7,5" in self.note("note-a") and "целые" in self.note("note-a")
            assert self.element("left").text.endswith(": 93"), self.element("left").text
            assert not self.element("next").is_enabled()
            self.shot("01-fraction")
            self.clear()
            self.type("-5")
            assert "-5" in self.note("note-a") and "меньше 0" in self.note("note-a")
            assert self.element("left").text.endswith(": 100"), self.element("left").text
            self.shot("01-negative")
            self.clear()
        for k, value in enumerate(points):
            if k:
                self.type(Keys.TAB)
            if check_footer:
                self.focused_in_view()
            self.type(str(value))
        assert self.element("next").is_enabled(), row
        self.fits()
        self.shot("%02d-question" % (row + 1))
        if check_keyboard:
            phone_height(self.driver, 330)
            self.driver.execute_script("document.getElementById('a').focus()")
            for k in range(4):
                self.focused_in_view()
                self.type(Keys.TAB if k < 3 else "")
            self.shot("%02d-keyboard" % (row + 1))
            phone_height(self.driver, SIZES["phone"][1])
        if reload:  # the screen, its points and the earlier screens' come back
            self.driver.refresh()
            self.wait.until(lambda d: self.element("progress").text.startswith(
                "Вопрос %d из 12" % (row + 1)))
            assert [int(self.value(k)) for k in "abcd"] == points
            self.wait.until(lambda d: self.element("a") == d.switch_to.active_element)
            self.shot("%02d-reloaded" % (row + 1))
        if row == 7:  # back and forth: the points given stay
            self.element("back").click()
            assert self.value("b") == str(POINTS[6][1])
            self.element("next").click()
            self.wait.until(lambda d: self.value("d") == str(points[3]))

    def until_status(self, *texts, timeout=WAIT, done=False):
        """Waits for a status holding all `texts` (or the end screen), pressing "Отправить
        ещё раз" when it shows."""
        def seen(driver):
            if done and self.element("done").is_displayed():
                return True
            if not done and all(text in self.status() for text in texts):
                return True
            retry = self.element("retry")
            if retry.is_displayed():
                retry.click()
            return False
        WebDriverWait(self.driver, timeout, poll_frequency=0.5).until(seen)

    def stored(self):
        return self.driver.execute_script(
            "return Object.keys(localStorage).map((k) => [k, localStorage.getItem(k)])")

    def done(self):
        self.until_status(timeout=WAIT, done=True)
        self.fits()
        self.shot("13-done")
        assert "OCAI.cry" not in self.element("done").text  # the file is the consultant's
        return self.element("done").text


def silent_listener(port):
    """Takes connections on the port and never answers: a laptop gone to sleep."""
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", int(port)))
    listener.listen(16)
    return listener


def fill_phone(page, server, code):
    page.start(server.url, code)
    page.reload_damaged(code)
    page.reload_start(code)
    page.type(Keys.ENTER)
    for row in range(len(POINTS)):
        page.question(row, True, row == KEYBOARD_ROW, row == RELOAD_ROW)
        if row + 1 < len(POINTS):
            page.type(Keys.ENTER)
    # The server is gone: said so, the answers kept in the browser, not under the link's token.
    server.stop()
    page.type(Keys.ENTER)
    page.until_status("не отвечает", "сохранены в этом браузере")
    page.shot("12-error")
    stored = page.stored()
    assert len(stored) == 1, stored
    assert server.secret not in json.dumps(stored) and server.token not in json.dumps(stored)
    assert json.loads(stored[0][1])["submission"]["answers"] == POINTS
    # Another group served on the same port: this group's collection is stopped, the answers kept.
    server.restart(groups="Склад")
    page.until_status("сбор ответов по этой ссылке остановлен", "сохранены в этом браузере")
    page.shot("12-stopped")
    # Nothing written: the group holds only the planted answer of the repeated code.
    assert len(page.stored()) == 1, page.stored()
    written = os.listdir(os.path.join(server.folder, GROUP))
    assert written == [REPEATED + "OCAI.cry"], written
    # Another link on the same port: this one is closed.
    server.restart("f" * 32)
    page.until_status("ссылка закрыта", "новую ссылку, откройте её")
    page.shot("12-closed")
    server.stop()
    # A server that never answers: the page stops waiting and says so.
    listener = silent_listener(server.port)
    try:
        page.until_status("не ответил за %d секунд" % SEND_TIMEOUT,
                          timeout=3 * SEND_TIMEOUT)
    finally:
        listener.close()
    # The same link back: a reload finds the answers and sends them.
    server.restart()
    page.driver.refresh()
    done = page.done()
    assert page.stored() == [], page.stored()
    return done


def fill_desktop(page, server, code):
    page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": REFUSE_STORAGE})
    page.start(server.url, code)
    page.type(Keys.ENTER)
    for row in range(len(POINTS)):
        page.question(row, True, False, False)
        if row + 1 < len(POINTS):
            page.type(Keys.ENTER)
    server.stop()
    page.type(Keys.ENTER)
    page.until_status("не отвечает", "только на этой странице")
    page.shot("12-error")
    server.restart()
    return page.done()


def main():
    os.makedirs(SHOTS, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        os.makedirs(os.path.join(folder, GROUP))
        plant_result(os.path.join(folder, GROUP), REPEATED)
        server = Server(folder)
        try:
            qr = subprocess.run(["zbarimg", "--quiet", "--raw",
                                 os.path.join(folder, GROUP + " QR.png")],
                                capture_output=True, text=True, timeout=WAIT)
            assert qr.stdout.strip() == server.url, qr.stdout
            for size, fill in (("phone", fill_phone), ("desktop", fill_desktop)):
                if not server.process:
                    server.restart()
                driver = browser(size)
                try:
                    code = "Тест-" + size
                    done = fill(Page(driver, size), server, code)
                    # Failed requests are the network's messages; the script itself raised none.
                    errors = [entry for entry in driver.get_log("browser")
                              if entry["level"] == "SEVERE" and entry["source"] == "javascript"]
                    assert not errors, errors
                finally:
                    driver.quit()
                assert done, done
                result = os.path.join(folder, GROUP, code + "OCAI.cry")
                text = subprocess.run([CLI, "decrypt", result], check=True, capture_output=True,
                                      text=True, timeout=WAIT).stdout
                lines = text.splitlines()
                assert lines[1] == code and lines[2] == FREE, lines[:3]
                assert [[int(x) for x in line.split()[:4]] for line in lines[23:35]] == POINTS
        finally:
            server.stop()
    print("the page filled at", ", ".join(SIZES), "sizes wrote both files")


main()
