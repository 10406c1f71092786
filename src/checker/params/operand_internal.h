/* Operand resolution shared by the operand check and the expression check. */
#ifndef DQOV_CHECKER_PARAMS_OPERAND_INTERNAL_H
#define DQOV_CHECKER_PARAMS_OPERAND_INTERNAL_H

#include <cstdint>
#include <string>
#include <string_view>

#include "dqov/dqov_check.h"

namespace dqov::operand {

struct ResolveOptions {
    char options[8] = {'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y'};
    bool lookUp = true;
    bool component = false;
};

/* What an operand is, or the finding that refuses it. */
struct Resolution {
    bool ok = true;
    const char *messageId = "";
    std::string data;          /* substitution data of the finding */
    std::string written;       /* the operand as written, trimmed */
    std::string resolved;
    std::string value;         /* an alphanumeric literal's content */
    std::string code = "  ";   /* "FL", "AL", "NL", "HL", "SV", "ML", "CP" */
    int kind = 0;
    char cls = ' ';            /* 'A', 'N', or ' ' fitting any class */
    char type = ' ';
    int32_t length = 0;
    int16_t decimals = 0;
    int32_t integerDigits = 0;
    bool local = false;
    int32_t integerValue = 0;
    int32_t fractionValue = 0;
};

/* Type class of a field type code: 'A' for 1 2 3 4 A B E H M Z, else 'N'. */
char TypeClass(char type);
std::string Fixed(std::string_view text, size_t width);
std::string Signed7(long value);

Resolution Resolve(FFC_CONTEXT *ctx, std::string_view operand, const ResolveOptions &opt);
/* false (with the finding in r) when the operand does not fit. */
bool CheckFit(Resolution &r, char expectedClass, int32_t length, int32_t decimals, bool checkSize);

}  // namespace dqov::operand

#endif
