// The database environment of the connection: the capability table loaded
// from the database environment file and the description of the current DBMS.
//
// The file is the environment root's "X_VELMO\X_DBENV.DAT" unless the
// environment variable DQOV_DBENV_FILE names another host file; the current
// DBMS is the section named by DQOV_DBMS, else "SQLITE" (the repository's own
// database). Besides the keys of the table-definition generator a section may
// hold DBMS_KIND (the kind number of the connection) and SERVER_VERSION.
#pragma once

#include "tables/ctd/ctd.h"

// The loaded capability table, or null when the file cannot be loaded (the
// loader's error text is then kept for SMISC_pszDBMSTypesError). Loaded once.
const X_CTD_CAPABILITY_TABLE* SMISC_sGetDBMSTypes();

// Description of the current DBMS, filled from the capability table (defaults
// throughout when the table or the section is missing). Never null.
const X_CTD_DBMS_INFO* SSQL_pGetDBMSInfo();

// Error text of the last failed load ("" when none).
const char* SMISC_pszDBMSTypesError();

// Selects another environment file and DBMS (null keeps the default rule);
// the table is loaded again on the next call.
void SMISC_SetDBMSEnvironment(const char* envFile, const char* dbmsName);
