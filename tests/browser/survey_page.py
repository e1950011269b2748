#!/usr/bin/python3
"""The survey page in headless Chromium, filled by keyboard as a respondent fills it, at a phone's
size and a desktop's; the result files are read back with ocai-cli. Usage:
survey_page.py OCAI_CLI SCREENSHOT_DIR. Exit 77 (skipped) without Chromium, Selenium and zbarimg
(which reads the link's QR code back)."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile

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
SIZES = {"phone": (360, 640), "desktop": (1280, 800)}
# Rows of points: current questions 1-6, then preferred 1-6.
POINTS = [[40, 30, 20, 10], [25, 25, 25, 25], [10, 20, 30, 40], [100, 0, 0, 0], [0, 0, 50, 50],
          [70, 10, 10, 10]] * 2


def browser(size):
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu"):
        options.add_argument(argument)
    width, height = SIZES[size]
    if size == "phone":
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": 2, "touch": True}})
    else:
        options.add_argument("--window-size=%d,%d" % (width, height))
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def fill(driver, url, size, code, offline=None):
    wait = WebDriverWait(driver, 20)

    def shot(name):  # the whole page, below the fold too
        page = driver.execute_cdp_cmd("Page.getLayoutMetrics", {})["cssContentSize"]
        clip = {"x": 0, "y": 0, "width": page["width"], "height": page["height"], "scale": 1}
        png = driver.execute_cdp_cmd("Page.captureScreenshot", {
            "format": "png", "captureBeyondViewport": True, "clip": clip})["data"]
        with open(os.path.join(SHOTS, "%s-%s.png" % (size, name)), "wb") as out:
            out.write(base64.b64decode(png))
    driver.get(url)
    wait.until(lambda d: d.find_element(By.ID, "code").is_displayed())
    assert driver.execute_script("return document.documentElement.scrollWidth") <= SIZES[size][0]
    shot("00-start")
    active = lambda: driver.switch_to.active_element
    active().send_keys(code, Keys.TAB, "Отдел продаж", Keys.ENTER)
    for row, points in enumerate(POINTS):
        wait.until(lambda d: d.find_element(By.ID, "a") == d.switch_to.active_element)
        for k, value in enumerate(points):
            active().send_keys(str(value), Keys.TAB if k < 3 else "")
        assert driver.find_element(By.ID, "next").is_enabled(), row
        assert driver.execute_script("return document.documentElement.scrollWidth") <= SIZES[size][0]
        shot("%02d-question" % (row + 1))
        if row == 7:  # back and forth: the points given stay
            driver.find_element(By.ID, "back").click()
            assert driver.find_element(By.ID, "b").get_attribute("value") == str(POINTS[6][1])
            driver.find_element(By.ID, "next").click()
            wait.until(lambda d: d.find_element(By.ID, "d").get_attribute("value") == str(points[3]))
        if row == 11 and offline:  # the network fails at the end: kept, said so, sent again
            offline(True)
            active().send_keys(Keys.ENTER)
            wait.until(lambda d: "сохранены" in d.find_element(By.ID, "status").text)
            assert driver.execute_script("return localStorage.length") == 1
            shot("12-kept")
            offline(False)
        else:
            active().send_keys(Keys.ENTER)
    wait.until(lambda d: d.find_element(By.ID, "done").is_displayed())
    assert driver.execute_script("return localStorage.length") == 0
    shot("13-done")
    return driver.find_element(By.ID, "done").text


def serve(folder, *options):
    server = subprocess.Popen([CLI, "serve", folder, "--address", "127.0.0.1", *options],
                              stdout=subprocess.PIPE, text=True)
    return server, server.stdout.readline().rstrip("\n").split("\t")[1]


def stop(server):
    server.terminate()
    assert server.wait(timeout=20) == 0


def main():
    os.makedirs(SHOTS, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        servers = [serve(folder, "--port", "0")]
        url = servers[0][1]
        port, token = url.split(":")[2].split("/")[0], url.split("/")[3]
        qr = subprocess.run(["zbarimg", "--quiet", "--raw", os.path.join(folder, "QR.png")],
                            capture_output=True, text=True)
        assert qr.stdout.strip() == url, qr.stdout

        def offline(down):  # the same link back on the same port
            if down:
                stop(servers.pop()[0])
            else:
                servers.append(serve(folder, "--port", port, "--token", token))

        try:
            for size in SIZES:
                driver = browser(size)
                try:
                    code = "Тест-" + size
                    done = fill(driver, url, size, code, offline if size == "desktop" else None)
                finally:
                    driver.quit()
                assert code + "OCAI.cry" in done, done
                text = subprocess.run([CLI, "decrypt", os.path.join(folder, code + "OCAI.cry")],
                                      check=True, capture_output=True, text=True).stdout
                lines = text.splitlines()
                assert lines[1] == code and lines[2] == "Отдел продаж", lines[:3]
                assert [[int(x) for x in line.split()[:4]] for line in lines[23:35]] == POINTS
        finally:
            for server, _ in servers:
                stop(server)
    print("the page filled at", ", ".join(SIZES), "sizes wrote both files")


main()
