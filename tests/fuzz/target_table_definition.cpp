// The reader of table-definition texts; a definition read is written out
// and read again.
#include "fuzz_files.h"
#include "fuzz_target.h"

#include "tables/ctd/ctd.h"

DQOV_FUZZ_TARGET(table_definition)
{
    const std::string path = dqov_fuzz::InputFile("table.ctd", data, size);
    const int keep = size > 0 ? data[0] & 1 : 1;
    dqov_fuzz::Guarded([&] {
        X_CTD_TABLE_DEFINITION_PTR record;
        X_CTD_ReadDefinition(path.c_str(), record, nullptr, keep, keep, nullptr, "SQLITE");
        if (!record)
            return;
        const std::string again = path + ".out";
        X_CTD_WriteDefinition(again.c_str(), *record);
        X_CTD_TABLE_DEFINITION_PTR reread;
        X_CTD_ReadDefinition(again.c_str(), reread, nullptr, keep, keep, nullptr, "SQLITE");
    });
}
