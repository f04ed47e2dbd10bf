#!/usr/bin/python3
"""The web page's speed on the largest litter and on a breeder's records, in headless Chromium.

The page's goals: the first screen of the groups of the largest litter
(both parents heterozygous in every gene, 3,596 groups) within 1 s of the
request, and no task of the page over 200 ms, the core's answer included.
Each round opens the page afresh at the address of that litter and reads
the page's own measures: the first screen (from the request to the first
rows painted), all groups shown, then the filter of one colour among them
(from the filter's request to the groups found and their line together
shown), and the longest task (PerformanceObserver "longtask"). In alternation with each round the reference runs: the native
program answering the same litter as JSON (--json litter --pups 8) into
/dev/null, so that a busy machine shows in both.

Then the Stock view on the records of bench/stock_records.py (40 named
animals, 60 litters; the same file bench/stock.sh times): the records
pasted and read, to every animal's genes shown, and the litter of the last
named male and female of the file; goals: each answer within 3 s, no task
over 200 ms (the core works in the page's worker). Its reference is the
native program's stock and litter --stock of the same file. Prints medians
and min-max, and the machine.

  bench/page_times.py [--page build/web/quorvale.html]
                      [--native build/web/native/quorvale] [--rounds 7]

Build both first: cmake --workflow --preset web. Timings are wall clock:
run it on an idle machine.
"""

import argparse
import os
import pathlib
import platform
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

MALE = 'EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToY'
FEMALE = 'EeDgdgPpAaCdcdRdrdLlUuBabaSasaSgsgLglgDsdsToto'
FIND = 'LH Black Banded Satin'
GOALS = {'first screen': 1000, 'filter': 1000, 'longest task': 200, 'stock': 3000, 'stock litter': 3000,
         'stock longest task': 200}

LONG_TASKS = """{
  window.longTasks = [];
  new PerformanceObserver((list) => {
    for (const e of list.getEntries()) longTasks.push(e.duration);
  }).observe({type: 'longtask', buffered: true});
}"""


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    profile = tempfile.TemporaryDirectory(prefix='quorvale-bench-')
    for flag in ('--headless=new', '--disable-gpu', '--disable-background-networking',
                 '--disable-component-update', '--disable-sync', '--no-first-run',
                 '--user-data-dir=' + profile.name):
        options.add_argument(flag)
    if os.geteuid() == 0:
        options.add_argument('--no-sandbox')
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': LONG_TASKS})
    driver.set_window_size(1280, 900)
    return driver, profile


def page_round(driver, url):
    """One fresh load at the litter's address: its measures in ms."""
    driver.get('about:blank')
    driver.get(url)
    driver.refresh()
    end = time.monotonic() + 60
    while not driver.execute_script("const b = document.getElementById('litter-out');"
                                    "return b && b.dataset.state === 'done'"):
        if time.monotonic() > end:
            raise SystemExit('the page did not show the litter within 60 s')
        time.sleep(0.02)
    first, whole = driver.execute_script(
        "return [Number(document.getElementById('litter-out').dataset.firstScreenMs),"
        " window.quorvaleTimes.litterAll]")
    # The filter: one colour of the 3,596 groups.
    before = driver.execute_script(
        "const f = document.getElementById('litter-find'); f.value = arguments[0];"
        " f.dispatchEvent(new Event('change'));"
        " return Number(document.getElementById('litter-out').dataset.seq || 0)", FIND)
    while not driver.execute_script("const b = document.getElementById('litter-out');"
                                    "return b.dataset.state === 'done' && Number(b.dataset.seq) > arguments[0]",
                                    before):
        if time.monotonic() > end:
            raise SystemExit('the page did not filter the litter within 60 s')
        time.sleep(0.02)
    time.sleep(0.1)  # the observer hears of the last long task a little later
    found, tasks = driver.execute_script("return [window.quorvaleTimes.litterAll, window.longTasks]")
    return {'first screen': first, 'all groups': whole, 'filter': found, 'longest task': max(tasks, default=0)}


def stock_round(driver, url, records, male, female):
    """One fresh load of the Stock view: the records read, then the litter of
    two of their animals; the page's measures in ms."""
    driver.get('about:blank')
    driver.get(url)
    driver.refresh()
    wait(driver, "return document.documentElement.dataset.ready", 'the module')
    driver.execute_script("window.longTasks = [];"
                          "document.getElementById('stock-text').value = arguments[0];"
                          "document.querySelector('#stock-form [type=submit]').click()", records)
    wait(driver, "return document.getElementById('stock-out').dataset.state === 'done'", 'the stock')
    driver.execute_script("document.getElementById('stock-male').value = arguments[0];"
                          "document.getElementById('stock-female').value = arguments[1];"
                          "document.getElementById('stock-litter-show').click()", male, female)
    wait(driver, "return document.getElementById('stock-litter-out').dataset.state === 'done'", 'the litter')
    time.sleep(0.1)  # the observer hears of the last long task a little later
    stock, litter, tasks = driver.execute_script(
        "return [window.quorvaleTimes.stock, window.quorvaleTimes.stockLitter, window.longTasks]")
    return {'stock': stock, 'stock litter': litter, 'stock longest task': max(tasks, default=0)}


def wait(driver, script, what):
    end = time.monotonic() + 60
    while not driver.execute_script(script):
        if time.monotonic() > end:
            raise SystemExit(f'the page did not show {what} within 60 s')
        time.sleep(0.02)


def stock_reference_round(native, records, male, female):
    start = time.monotonic()
    subprocess.run([native, '--lang', 'en', '--json', 'stock', records], check=True, stdout=subprocess.DEVNULL)
    middle = time.monotonic()
    subprocess.run([native, '--lang', 'en', '--json', 'litter', '--stock', records, '--pups', '8', '--carriers',
                    '--members', male, female], check=True, stdout=subprocess.DEVNULL)
    return {'native stock': (middle - start) * 1000, 'native litter': (time.monotonic() - middle) * 1000}


def reference_round(native):
    start = time.monotonic()
    subprocess.run([native, '--json', 'litter', '--pups', '8', MALE, FEMALE], check=True,
                   stdout=subprocess.DEVNULL)
    return {'native JSON': (time.monotonic() - start) * 1000}


def summary(values):
    return f'{statistics.median(values):7.0f} ms ({min(values):.0f}-{max(values):.0f})'


def machine():
    model = 'unknown CPU'
    for line in pathlib.Path('/proc/cpuinfo').read_text().splitlines():
        if line.startswith('model name'):
            model = line.split(':', 1)[1].strip()
            break
    load = pathlib.Path('/proc/loadavg').read_text().split()[:3]
    return f'{os.cpu_count()} cores, {model}, {platform.system()} {platform.release()}; load {" ".join(load)}'


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--page', default='build/web/quorvale.html')
    parser.add_argument('--native', default='build/web/native/quorvale')
    parser.add_argument('--rounds', type=int, default=7)
    args = parser.parse_args()
    for path in (args.page, args.native):
        if not pathlib.Path(path).exists():
            print(f'no {path}; build it first: cmake --workflow --preset web', file=sys.stderr)
            return 1
    url = pathlib.Path(args.page).resolve().as_uri() + f'#lang=en&litter={MALE},{FEMALE}&pups=8'
    stock_url = pathlib.Path(args.page).resolve().as_uri() + '#lang=en&stock='
    scratch = tempfile.TemporaryDirectory(prefix='quorvale-records-')
    records_path = pathlib.Path(scratch.name) / 'records.csv'
    made = subprocess.run([sys.executable, str(pathlib.Path(__file__).with_name('stock_records.py')),
                           args.native], check=True, capture_output=True, text=True)
    records_path.write_text(made.stdout)
    rows = [line.split(',') for line in made.stdout.splitlines()[1:]]
    male = [r[0] for r in rows if r[0] and r[1] == 'm'][-1]
    female = [r[0] for r in rows if r[0] and r[1] == 'f'][-1]
    driver, profile = browser()
    try:
        version = driver.capabilities.get('browserVersion', '?')
        page_round(driver, url)  # a first load warms the browser's caches
        rounds = {}
        for _ in range(args.rounds):
            for measures in (page_round(driver, url), reference_round(args.native),
                             stock_round(driver, stock_url, made.stdout, male, female),
                             stock_reference_round(args.native, str(records_path), male, female)):
                for name, value in measures.items():
                    rounds.setdefault(name, []).append(value)
    finally:
        driver.quit()
        profile.cleanup()
        scratch.cleanup()
    print(f'the largest litter in the page ({pathlib.Path(args.page).stat().st_size} bytes), '
          f'Chromium {version}; median (min-max) of {args.rounds} rounds')
    for name, values in rounds.items():
        goal = f'   goal {GOALS[name]} ms' if name in GOALS else ''
        print(f'  {name:18} {summary(values)}{goal}')
    print(f'  (native JSON: the reference, {args.native} --json litter --pups 8 into /dev/null)')
    print(f'  (stock: the records of bench/stock_records.py, {len(rows)} rows, {made.stderr.strip()}, read in '
          f'the Stock view to every animal shown; stock litter: {male} x {female}, from the request to its '
          'first rows; native stock and litter: --json stock and --json litter --stock --pups 8 --carriers '
          '--members of the same file)')
    print(f'  {machine()}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
