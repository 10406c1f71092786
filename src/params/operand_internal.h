/* Operand resolution shared by the operand check and the expression check. */
#ifndef DQOV_PARAMS_OPERAND_INTERNAL_H
#define DQOV_PARAMS_OPERAND_INTERNAL_H

#include <cstdint>
#include <string>
#include <string_view>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "params/fixed_text.h"

namespace dqov::operand {

struct ResolveOptions {
    char options[8] = {'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y', 'Y'};
    bool lookUp = true;
    bool component = false;
};

/* What an operand is, or the finding that refuses it. */
struct Resolution {
    bool ok = true;
    const char* messageId = "";
    std::string data;    /* substitution data of the finding */
    std::string written; /* the operand as written, trimmed */
    std::string resolved;
    std::string value;       /* an alphanumeric literal's content */
    std::string code = "  "; /* "FL", "AL", "NL", "HL", "SV", "ML", "CP" */
    int kind = 0;
    char cls = ' '; /* 'A', 'N', or ' ' fitting any class */
    char type = ' ';
    int32_t length = 0;
    int16_t decimals = 0;
    int32_t integerDigits = 0;
    bool local = false;
    int32_t integerValue = 0;
    int32_t fractionValue = 0;
};

using dqov::text::Fixed;
using dqov::text::Signed7;

Resolution Resolve(FFC_CONTEXT* ctx, std::string_view operand, const ResolveOptions& opt);
/* Get_Function_Field (or, for a component, Get_Function_Field_Allow_Component)
 * without texts: def.acName names the field, the rest of def and *local are
 * set when it is found ('0'). The check asks for the same few fields again
 * and again; an answer is kept until the field cache changes
 * (P310C_ulFieldCacheStamp) or ForgetDefinitions, which a check starts with. */
char LookUpDefinition(FFC_CONTEXT* ctx, bool component, FFC_FIELD_DEFINITION& def, char* local);
void ForgetDefinitions();
/* A property of the component being built or of a document or record of
 * its description (the object layer's description of the run's build):
 * true with the type code, length and decimals of the property's field. */
bool LookUpComponentProperty(FFC_CONTEXT* ctx, const std::string& component, const std::string& property, char* type,
                             int32_t* length, int32_t* decimals);
/* false (with the finding in r) when the operand does not fit. */
bool CheckFit(Resolution& r, char expectedClass, int32_t length, int32_t decimals, bool checkSize);

}  // namespace dqov::operand

#endif
