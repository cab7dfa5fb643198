-- The program's database. Dates are ISO text yyyy-mm-dd; login names and activity titles
-- compare without regard to case. Names are as long as the program's fields take them.

CREATE TABLE UInfo (
    UID     INTEGER PRIMARY KEY AUTOINCREMENT,
    UName   TEXT CHECK (length(UName) <= 20),
    UName1  TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (length(trim(UName1)) > 0 AND length(UName1) <= 20),
    UPWD    TEXT NOT NULL DEFAULT '',
    Sex     TEXT,
    Bth     TEXT,
    SG      REAL,
    HT      INTEGER CHECK (HT BETWEEN 0 AND 3),
    TZ      REAL,
    Tel     TEXT,
    EMail   TEXT,
    QQMSN   TEXT,
    PCode   TEXT,
    Adds    TEXT,
    SPID    TEXT NOT NULL DEFAULT ''
);

-- The energy target of a user for a day.
CREATE TABLE BDKcal (
    KCal    REAL,
    UID     INTEGER NOT NULL REFERENCES UInfo (UID),
    WRDate  TEXT NOT NULL,
    UNIQUE (UID, WRDate)
);

-- The weight log.
CREATE TABLE TZ (
    CDT     TEXT NOT NULL,
    TZ1     REAL,
    TZ2     TEXT,
    TZ3     TEXT,
    UID     INTEGER NOT NULL REFERENCES UInfo (UID),
    UNIQUE (UID, CDT)
);

-- The activity catalogue: sysFlg 1 built in, 0 added by a user.
CREATE TABLE SpSet (
    ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    sType   INTEGER NOT NULL CHECK (sType BETWEEN 1 AND 4),
    tit     TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (length(tit) <= 14),
    Kcal    REAL NOT NULL,
    sysFlg  INTEGER NOT NULL DEFAULT 0
);

-- Activities done: minutes and kcal of one activity on one day.
CREATE TABLE SPRcd (
    DT      TEXT NOT NULL,
    UID     INTEGER NOT NULL REFERENCES UInfo (UID),
    SPID    INTEGER NOT NULL REFERENCES SpSet (ID),
    SPTime  REAL,
    KCal    REAL,
    UNIQUE (UID, SPID, DT)
);
CREATE INDEX SPRcdByDay ON SPRcd (UID, DT);

-- Food eaten: Flg 1 a food (Food.ID), 2 a recipe (SPInfo.ID).
CREATE TABLE CKRcd (
    UID     INTEGER NOT NULL REFERENCES UInfo (UID),
    CKCLS   TEXT NOT NULL,
    FID     INTEGER NOT NULL,
    FNet    REAL,
    KCal    REAL,
    Pro     REAL,
    Fat     REAL,
    CHO     REAL,
    CKDate  TEXT NOT NULL,
    Flg     INTEGER NOT NULL CHECK (Flg IN (1, 2)),
    UNIQUE (UID, CKCLS, FID, Flg, CKDate)
);
CREATE INDEX CKRcdByDay ON CKRcd (UID, CKDate);

-- The food list; nutrient values travel inside the program.
CREATE TABLE Food (
    ID         INTEGER PRIMARY KEY,
    Food_Name  TEXT NOT NULL,
    PY         TEXT,
    Code       TEXT NOT NULL
);

-- Recipes and their ingredients.
CREATE TABLE SPInfo (
    ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    SPCls   TEXT,
    SPP     TEXT,
    SPName  TEXT CHECK (length(SPName) <= 16),
    PY      TEXT,
    SPZF    TEXT,
    CFlg    INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE SPTxt (
    SPID    INTEGER NOT NULL REFERENCES SPInfo (ID) ON DELETE CASCADE,
    FdID    INTEGER NOT NULL REFERENCES Food (ID),
    FdNet   REAL
);
CREATE INDEX SPTxtByRecipe ON SPTxt (SPID);

-- Set meals and their items: CFlg 1 a food, 2 a recipe.
CREATE TABLE SPTC (
    ID      INTEGER PRIMARY KEY AUTOINCREMENT,
    SPCls   TEXT,
    SPName  TEXT CHECK (length(SPName) <= 16),
    PY      TEXT,
    WK      TEXT
);

CREATE TABLE SPTCTxt (
    SPID    INTEGER NOT NULL REFERENCES SPTC (ID) ON DELETE CASCADE,
    FdID    INTEGER NOT NULL,
    FdNet   REAL,
    CFlg    INTEGER NOT NULL CHECK (CFlg IN (1, 2))
);
CREATE INDEX SPTCTxtBySetMeal ON SPTCTxt (SPID);

-- Frequently used foods and recipes: FType 1 a food, 2 a recipe.
CREATE TABLE FDUse (
    UID     INTEGER,
    FID     INTEGER NOT NULL,
    FType   INTEGER NOT NULL CHECK (FType IN (1, 2)),
    UNIQUE (FID, FType)
);

-- Tip texts by title.
CREATE TABLE Msg (
    tit     TEXT PRIMARY KEY,
    Msg     TEXT
);

-- One row per user and day with any intake, activity or energy target:
-- OKCAL the day's target, SKCAL the energy eaten, HKCAL the energy spent in activities.
CREATE VIEW CntKCal AS
WITH Days (UID, CKDate) AS (
    SELECT UID, CKDate FROM CKRcd
    UNION SELECT UID, DT FROM SPRcd
    UNION SELECT UID, WRDate FROM BDKcal
)
SELECT d.UID AS UID,
       d.CKDate AS CKDate,
       coalesce((SELECT b.KCal FROM BDKcal b WHERE b.UID = d.UID AND b.WRDate = d.CKDate), 0) AS OKCAL,
       coalesce((SELECT sum(c.KCal) FROM CKRcd c WHERE c.UID = d.UID AND c.CKDate = d.CKDate), 0) AS SKCAL,
       coalesce((SELECT sum(s.KCal) FROM SPRcd s WHERE s.UID = d.UID AND s.DT = d.CKDate), 0) AS HKCAL
FROM Days d;
