#!/usr/bin/env python3
"""Kills the program's saves at random moments and checks what is left after every kill.

For each kind of save, bench/safety/SaveTorture.cpp (built as save_torture) saves over and over on a
copy of the delivered database, as the windows save; this script kills it with SIGKILL at a random
moment, then checks that the database passes SQLite's integrity and foreign-key checks, that every
save is there whole or not at all, and that the settings file is whole, before starting it again.

Usage: tools/kill-saves.py BUILD_DIR [KILLS_PER_KIND] [KIND ...]
"""
import os
import random
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

KINDS = ["profile", "weight", "food", "activity", "recipe", "setmeal", "delete", "settings"]


class Checker:
    """What must hold after a kill, kind by kind; remembers what earlier kills showed."""

    def __init__(self, folder):
        self.db = os.path.join(folder, "CommAPI.db")
        self.ini = os.path.join(folder, "UInfo.ini")
        self.seen = {}  # a value that must always go with another one

    def same_as_before(self, key, value):
        if self.seen.setdefault(key, value) != value:
            return f"{key} went with {self.seen[key]} and now with {value}"
        return None

    def database(self, kind):
        # Opening the file rolls back what a killed save left half done, as the program's next start does.
        con = sqlite3.connect(self.db)
        try:
            ok = con.execute("pragma integrity_check").fetchall()
            if ok != [("ok",)]:
                return f"integrity_check: {ok[:3]}"
            fk = con.execute("pragma foreign_key_check").fetchall()
            if fk:
                return f"foreign_key_check: {fk[:3]}"
            return getattr(self, "db_" + kind)(con)
        finally:
            con.close()

    @staticmethod
    def groups_of(con, sql, size):
        bad = [row for row in con.execute(sql) if row[1] != size]
        return f"groups not of {size}: {bad[:3]}" if bad else None

    def db_profile(self, con):
        name, height, password = con.execute(
            "select UName, SG, UPWD from UInfo where UName1 = 'user'").fetchone()
        target = con.execute(
            "select KCal from BDKcal b join UInfo u on u.UID = b.UID where u.UName1 = 'user' "
            "and WRDate = date('now', 'localtime')").fetchone()
        if name == "新用户":
            return None  # no save has finished yet
        return (self.same_as_before(("name", name), (height, password))
                or self.same_as_before(("height", height), (name, target)))

    def db_weight(self, con):
        profile = con.execute("select TZ from UInfo where UName1 = 'user'").fetchone()[0]
        latest = con.execute("select TZ1 from TZ order by CDT limit 1").fetchone()
        if latest is not None and latest[0] != profile:
            return f"profile weight {profile}, last weighing {latest[0]}"
        return None

    def db_food(self, con):
        return self.groups_of(con, "select CKDate, count(*) from CKRcd group by CKDate", 3)

    def db_activity(self, con):
        return self.groups_of(con, "select DT, count(*) from SPRcd group by DT", 3)

    def db_recipe(self, con):
        rows = con.execute("select i.SPName, (select count(*) from SPTxt t where t.SPID = i.ID) "
                           "from SPInfo i where i.SPName like '压测%'").fetchall()
        bad = [r for r in rows if r[1] != (4 if r[0] == "压测四" else 3)]
        return f"recipes with the wrong foods: {bad[:3]}" if bad else None

    def db_setmeal(self, con):
        return self.groups_of(con, "select m.SPName, (select count(*) from SPTCTxt t where t.SPID = m.ID) "
                                   "from SPTC m where m.SPName like '压测%'", 3)

    def db_delete(self, con):
        orphans = con.execute("select count(*) from FDUse where FType = 2 and FID not in "
                              "(select ID from SPInfo)").fetchone()[0]
        if orphans:
            return f"{orphans} frequently used entries of deleted recipes"
        return self.groups_of(con, "select i.SPName, (select count(*) from SPTxt t where t.SPID = i.ID) "
                                   "from SPInfo i where i.SPName like '删%'", 2)

    def db_settings(self, con):
        return None

    def settings(self):
        if not os.path.exists(self.ini):
            return None
        with open(self.ini, encoding="utf-8") as f:
            lines = f.read().split("\n")
        values, section = {}, None
        for line in lines:
            if line.startswith("["):
                section = line.strip("[]")
            elif "=" in line and section == "UINFO":
                key, value = line.split("=", 1)
                if key in values:
                    return f"key {key} twice"
                values[key] = value
        if values.get("RunCon") != "1" or values.get("RunHelp") != "1":
            return f"the tip flags were lost: {values}"
        if "UID" in values:
            return self.same_as_before(("uid", values["UID"]), values.get("PWD"))
        return None


def run_kind(build, kind, kills, work):
    folder = os.path.join(work, kind)
    os.makedirs(folder)
    shutil.copy(os.path.join(build, "delivered", "CommAPI.db"), folder)
    os.chmod(os.path.join(folder, "CommAPI.db"), 0o600)
    with open(os.path.join(folder, "UInfo.ini"), "w", encoding="utf-8") as f:
        # The basal-metabolism method makes the day's target follow the height.
        f.write("[UINFO]\nRunCon=1\nRunHelp=1\nBKFLG=2\n")
    checker = Checker(folder)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    saves = failures = mid_save = 0
    boxes = set()
    for _ in range(kills):
        proc = subprocess.Popen([os.path.join(build, "save_torture"), folder, kind], stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, env=env, text=True)
        if proc.stdout.readline().strip() != "ready":
            proc.kill()
            raise SystemExit(f"{kind}: save_torture did not start")
        time.sleep(random.uniform(0.0, 0.25))
        proc.send_signal(signal.SIGKILL)
        out, _ = proc.communicate()
        lines = out.splitlines()
        saves += sum(1 for line in lines if line.startswith("ok "))
        boxes.update(line[4:] for line in lines if line.startswith("box "))
        marks = [line for line in lines if line.startswith(("begin ", "ok "))]
        mid_save += 1 if marks and marks[-1].startswith("begin ") else 0
        problem = checker.database(kind) or (checker.settings() if kind == "settings" else None)
        if problem:
            failures += 1
            print(f"  {kind}: {problem}")
    leftovers = [n for n in os.listdir(os.path.join(work, kind)) if n.endswith(".new")]
    print(f"{kind:9} kills {kills:4}  saves finished {saves:6}  killed after a save began {mid_save:4}  "
          f"failed checks {failures}  messages {sorted(boxes)}  left-over temporary files {leftovers}")
    return failures


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    kills = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    kinds = sys.argv[3:] or KINDS
    work = tempfile.mkdtemp(prefix="kill-saves-")
    try:
        failures = sum(run_kind(build, kind, kills, work) for kind in kinds)
    finally:
        shutil.rmtree(work)
    print("all checks passed" if failures == 0 else f"{failures} failed checks")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
