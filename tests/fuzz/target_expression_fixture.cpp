// The object layer's expression fixture reader: any text as a fixture.
#include "fuzz_target.h"

#include "platform/dqoo/dqoo_fixture.h"

DQOV_FUZZ_TARGET(expression_fixture)
{
    const std::string text = dqov_fuzz::Text(data, size);
    char error[256];
    dqov_fuzz::Guarded([&] { DQOO_FCC_LoadExpressionFixture(text.c_str(), error, sizeof error); });
    DQOO_FCC_ClearExpressions();
}
