// The sample repository's keyword table, alias table and the texts of the
// parameter, operand and expression messages, written from the command
// definitions. The committed samples/repository/60-keywords.sql must equal
// this text; DQOV_WRITE_KEYWORD_SQL=1 rewrites it.
#pragma once

#include <string>

std::string KeywordTableSql();
