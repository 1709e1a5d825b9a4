-- Builds the catalogue from its parts. Run from this folder:
--   sqlite3 -bail tenvik_sqlite.db ".read catalogue.sql"
BEGIN;
.read schema.sql
.read bb.sql
.read bb6.sql
.read bbf.sql
.read bbe.sql
.read cond.sql
.read trans.sql
.read description.sql
COMMIT;
VACUUM;
