"""The README's walkthrough pictures can still be taken: a fresh demonstration folder is made
and vortapl-screenshots walks it (offscreen), producing exactly the pictures the README shows,
each a real PNG, with no message box on the way but the two the walk expects.

    readme_pictures.py BIN_DIR
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXPECTED_BOXES = ["Import efectuat cu succes!", "Confirmati inchiderea lunii curent selectata?"]


def main():
    bin_dir = sys.argv[1]
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
        shown = re.findall(r"\]\(doc/screenshots/([^)]+\.png)\)", f.read())
    if len(shown) != 10:
        print("the README shows %d walkthrough pictures, not ten: %r" % (len(shown), shown))
        return 1
    work = tempfile.mkdtemp(prefix="vortapl-pictures-")
    try:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                   FIREBIRD_LOCK=os.path.join(work, ".fblock"))
        os.makedirs(env["FIREBIRD_LOCK"])
        demo, pics = os.path.join(work, "demo"), os.path.join(work, "pics")
        subprocess.run([os.path.join(ROOT, "tools", "demo", "make-demo"), bin_dir, demo],
                       check=True, env=env, capture_output=True, timeout=120)
        run = subprocess.run([os.path.join(bin_dir, "vortapl-screenshots"), demo, pics],
                             env=env, capture_output=True, text=True, timeout=300)
        boxes = [l[len("[caseta] "):] for l in run.stderr.splitlines()
                 if l.startswith("[caseta] ")]
        problems = []
        if run.returncode != 0:
            problems.append("vortapl-screenshots ended with %d" % run.returncode)
        if boxes != EXPECTED_BOXES:
            problems.append("message boxes on the way: %r" % boxes)
        made = sorted(os.listdir(pics)) if os.path.isdir(pics) else []
        if made != sorted(shown):
            problems.append("pictures made %r, the README shows %r" % (made, shown))
        for name in made:
            with open(os.path.join(pics, name), "rb") as f:
                head = f.read(24)
            # PNG signature, then the header chunk with the width and height.
            if head[:8] != b"\x89PNG\r\n\x1a\n" or int.from_bytes(head[16:20], "big") < 400:
                problems.append("%s is not a picture of a window" % name)
        if problems:
            print("\n".join(problems))
            print(run.stdout, run.stderr)
            return 1
        print("pictures:", ", ".join(made))
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
