-- The catalogue's tables, as the program reads them. Plain rowid tables with
-- no index on the bank, cable or transformer tables: every search walks a
-- table in its stored order, and where two rows tie the first or the last in
-- that order wins, so the order of the INSERT statements is part of the data.

CREATE TABLE bb (
  code      TEXT    NOT NULL,
  type      TEXT    NOT NULL,
  volt      INTEGER NOT NULL CHECK (volt > 0),
  power     REAL    NOT NULL CHECK (power > 0),
  price     REAL    NOT NULL CHECK (price >= 0),
  automatic INTEGER NOT NULL CHECK (automatic IN (0, 1)),
  harmonic  INTEGER NOT NULL CHECK (harmonic IN (0, 1)),
  transform INTEGER NOT NULL CHECK (transform IN (0, 1)),
  steps     TEXT    NOT NULL,
  dim       TEXT    NOT NULL
);

CREATE TABLE bb6 (
  code      TEXT    NOT NULL,
  type      TEXT    NOT NULL,
  volt      INTEGER NOT NULL CHECK (volt > 0),
  power     REAL    NOT NULL CHECK (power > 0),
  price     REAL    NOT NULL CHECK (price >= 0),
  automatic INTEGER NOT NULL CHECK (automatic IN (0, 1)),
  harmonic  INTEGER NOT NULL CHECK (harmonic IN (0, 1)),
  transform INTEGER NOT NULL CHECK (transform IN (0, 1)),
  steps     TEXT    NOT NULL,
  dim       TEXT    NOT NULL
);

-- The product lines are never harmonic nor transformer banks: a row marked
-- so would never be chosen.
CREATE TABLE bbf (
  code      TEXT    NOT NULL,
  type      TEXT    NOT NULL,
  volt      INTEGER NOT NULL CHECK (volt > 0),
  power     REAL    NOT NULL CHECK (power > 0),
  price     REAL    NOT NULL CHECK (price >= 0),
  automatic INTEGER NOT NULL CHECK (automatic IN (0, 1)),
  harmonic  INTEGER NOT NULL CHECK (harmonic = 0),
  transform INTEGER NOT NULL CHECK (transform = 0),
  steps     TEXT    NOT NULL,
  dim       TEXT    NOT NULL
);

CREATE TABLE bbe (
  code      TEXT    NOT NULL,
  type      TEXT    NOT NULL,
  volt      INTEGER NOT NULL CHECK (volt > 0),
  power     REAL    NOT NULL CHECK (power > 0),
  price     REAL    NOT NULL CHECK (price >= 0),
  automatic INTEGER NOT NULL CHECK (automatic IN (0, 1)),
  harmonic  INTEGER NOT NULL CHECK (harmonic = 0),
  transform INTEGER NOT NULL CHECK (transform = 0),
  steps     TEXT    NOT NULL,
  dim       TEXT    NOT NULL
);

-- Cable: cross-section in mm², rated current in A, price in euros per metre.
CREATE TABLE cond (
  gauge   REAL NOT NULL CHECK (gauge > 0),
  current REAL NOT NULL CHECK (current > 0),
  price   REAL NOT NULL CHECK (price >= 0)
);

-- Current transformers for the controller: rated primary current in A
-- (secondary 5 A), unit price in euros.
CREATE TABLE trans (
  type  TEXT NOT NULL,
  a     REAL NOT NULL CHECK (a > 0),
  price REAL NOT NULL CHECK (price >= 0)
);

-- One row per series code of the bank tables. "name" empty shows as
-- "Serie", "none" shows no name before the code.
CREATE TABLE description (
  type    TEXT NOT NULL UNIQUE,
  image   BLOB NOT NULL,
  name    TEXT NOT NULL,
  text_es TEXT NOT NULL,
  text_en TEXT NOT NULL
);
