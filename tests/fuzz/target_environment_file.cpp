// The reader of the database environment file (the DBMS capability table).
#include "fuzz_files.h"
#include "fuzz_target.h"

#include <vector>

#include "tables/ctd/ctd.h"

DQOV_FUZZ_TARGET(environment_file)
{
    const std::string path = dqov_fuzz::InputFile("env.dat", data, size);
    dqov_fuzz::Guarded([&] {
        X_CTD_CAPABILITY_TABLE_PTR table;
        std::string error;
        std::vector<std::string> warnings;
        if (X_CTD_Load_Capabilities(path.c_str(), table, error, &warnings) == 0 && table) {
            std::string value;
            int32_t number = 0, yes = 0;
            X_CTD_sGetCapability(table.get(), "SQLITE", "DBMS_KIND", &value, &number, &yes);
        }
        X_CTD_FreeCapabilities(table);
    });
}
