#!/usr/bin/env python3
"""Saves on a full disk and checks that nothing is lost and no failure is reported as a success.

Needs root: each kind runs in a small tmpfs of its own, holding a copy of the delivered database and a
settings file. For the database the tmpfs has a little room beyond the file, which the saves use up;
for the settings file the tmpfs is filled to the last byte first. save_torture (bench/safety) then
saves for a while; afterwards the database must pass its checks, every save must be whole or absent,
every "保存成功" must stand for a save that is there, and the settings file must be as it was.

Usage: tools/full-disk.py BUILD_DIR
"""
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("kill_saves", os.path.join(HERE, "kill-saves.py"))
kill_saves = importlib.util.module_from_spec(spec)
spec.loader.exec_module(kill_saves)

SETTINGS = "[UINFO]\nRunCon=1\nRunHelp=1\nBKFLG=2\nUID=甲\nPWD=0\n"


def fill(path, chunk):
    """Writes zeros to a new file until the disk is full."""
    fd = os.open(path, os.O_WRONLY | os.O_CREAT)
    try:
        while os.write(fd, b"\0" * chunk) > 0:
            pass
    except OSError:
        pass
    finally:
        os.close(fd)


def run(build, kind, room_kb):
    top = tempfile.mkdtemp(prefix="full-disk-")
    db = os.path.join(build, "delivered", "CommAPI.db")
    size_kb = os.path.getsize(db) // 1024 + room_kb
    subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size_kb}k", "tmpfs", top], check=True)
    try:
        shutil.copy(db, top)
        with open(os.path.join(top, "UInfo.ini"), "w", encoding="utf-8") as f:
            f.write(SETTINGS)
        if kind == "settings":
            fill(os.path.join(top, "filler"), 4096)
            fill(os.path.join(top, "filler2"), 1)  # the last bytes of a partly used block too
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        proc = subprocess.Popen([os.path.join(build, "save_torture"), top, kind], stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, env=env, text=True)
        time.sleep(8)
        proc.kill()
        out, _ = proc.communicate()
        lines = out.splitlines()
        boxes = [line[4:] for line in lines if line.startswith("box ")]
        checker = kill_saves.Checker(top)
        problem = checker.database(kind)
        if kind == "settings":
            with open(os.path.join(top, "UInfo.ini"), encoding="utf-8") as f:
                if f.read() != SETTINGS:
                    problem = "the settings file changed"
        if kind == "food":
            import sqlite3
            con = sqlite3.connect(os.path.join(top, "CommAPI.db"))
            days = con.execute("select count(distinct CKDate) from CKRcd").fetchone()[0]
            con.close()
            if days != boxes.count("保存成功"):
                problem = f"{boxes.count('保存成功')} saves reported, {days} stored"
        counts = {text: boxes.count(text) for text in sorted(set(boxes))}
        print(f"{kind:9} tmpfs {size_kb} KiB  saves tried {sum(1 for l in lines if l.startswith('begin '))}  "
              f"messages {counts}  {'FAILED: ' + problem if problem else 'checks passed'}")
        return 1 if problem else 0
    finally:
        subprocess.run(["umount", top], check=True)
        os.rmdir(top)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    failures = run(build, "food", 48) + run(build, "recipe", 48) + run(build, "settings", 64)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
