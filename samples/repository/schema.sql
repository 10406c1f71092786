-- Repository schema; filled in with the services library.
CREATE TABLE IF NOT EXISTS QV_SCHEMA_VERSION (VERSION INTEGER NOT NULL);
