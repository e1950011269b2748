#!/usr/bin/python3
"""Times Pillow's GIF save of the Plot A picture, for comparison with bench_gif.

    build/bin/bench_gif --save-png=/tmp/plot_a.png
    /usr/bin/python3 bench/pillow_gif.py /tmp/plot_a.png

The timed part matches BM_SaveGifPlotA: from the loaded RGB picture to the closed file.
"""
import os
import statistics
import sys
import tempfile
import time

import PIL
from PIL import Image


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    picture = Image.open(sys.argv[1]).convert("RGB")
    picture.load()
    runs = 50
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "plot.gif")
        picture.save(path, "GIF")  # warm-up
        wall, cpu = [], []
        for _ in range(runs):
            start, start_cpu = time.perf_counter(), time.process_time()
            with open(path, "wb") as out:
                picture.save(out, "GIF")
            wall.append(time.perf_counter() - start)
            cpu.append(time.process_time() - start_cpu)
        size = os.path.getsize(path)
    print(f"Pillow {PIL.__version__} GIF save of {picture.width}x{picture.height}: "
          f"median {statistics.median(wall) * 1000:.2f} ms wall, "
          f"{statistics.median(cpu) * 1000:.2f} ms CPU over {runs} runs, "
          f"file {size} bytes")


if __name__ == "__main__":
    main()
