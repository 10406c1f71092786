// Loading the definitions of a job's object from the repository: the process
// and function definitions, field definitions through the field cache, and
// the scan of field attribute codes.
#include "dqov/runcontrol/definitions.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/field_cache.h"
#include "runcontrol/kept_field_texts.h"
#include "runcontrol/rc_internal.h"

namespace {

// A statement area on the heap (17 KB); the declaration sets what a run
// reads, so it is not cleared first.
std::unique_ptr<SSQL_AREA> newArea()
{
    return std::make_unique_for_overwrite<SSQL_AREA>();
}

// One single-row statement: declared, run, its areas released. A failure of
// the statement is fatal; returns true with a row, false without.
template <typename... Cols> bool runSingle(const char* tag, SSQL_AREA& area, Cols... cols)
{
    SSQL_SetLocation(tag);
    SSQL_SQLDA* ca = nullptr;  // the failure's text; the row's description is not asked for
    SSQL_SQLDA* da = nullptr;
    unsigned short rc = SSQL_sRunExt(&area, &ca, nullptr, static_cast<uint16_t>(sizeof...(Cols)), cols...);
    if (rc == SSQL_RC_OK) {
        SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
        return true;
    }
    if (rc == SSQL_RC_NOROW) {
        SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
        return false;
    }
    // keep the failure's text, release the areas, then end
    SSQL_SQLDA failure{};
    if (ca)
        std::memcpy(&failure, ca, sizeof failure);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    FFC_SQL_Error(&failure, tag);
}

void declareOrDie(SSQL_AREA& area, const char* tag, unsigned short rc)
{
    if (rc != SSQL_RC_OK) {
        SSQL_SetLocation(tag);
        FFC_SQL_Error(nullptr, tag);
    }
}

// Looks for a text in the run language, then in the default language when
// it is another one (the same query is not run twice); `found` runs the
// query for a language and tells whether it gave the text. The default
// language (a setting read from the repository) is asked only when the run
// language has no text.
template <typename Found> void inTextLanguages(Found found)
{
    const std::string language = SMISC_pszLanguage();
    if (found(language))
        return;
    const std::string fallback = SMISC_pszDefaultLanguage();
    if (fallback != language)
        found(fallback);
}

// The description of a function in the run language, else the default one.
void loadFunctionDescription(const std::string& part, const std::string& process, const std::string& function,
                             char* out)
{
    std::memset(out, ' ', 40);
    inTextLanguages([&](const std::string& lang) {
        auto area = newArea();
        const char* tag = "DC_P31O2/QV_F67/A";
        declareOrDie(*area, tag,
                     SSQL_DeclareExt(area.get(),
                                     "SELECT X67DES FROM QV_DTA.QV_F67 WHERE X67P_I = '%s' AND X67MOD = '%s' AND "
                                     "X67FMT = '%s' AND X67PLN = '%s'",
                                     part.c_str(), process.c_str(), function.c_str(), lang.c_str()));
        struct {
            uint16_t len;
            char text[40];
        } des{};
        if (!runSingle(tag, *area, SSQL_VARYING(&des, 40)))
            return false;
        std::memcpy(out, des.text, des.len < 40 ? des.len : 40);
        return true;
    });
}

static_assert(sizeof(FFC_FIELD_TEXT::acLabel) == defs::kStoredLabelWidth &&
              sizeof(FFC_FIELD_TEXT::acColumnHeadings[0]) == defs::kStoredHeadingWidth &&
              sizeof(FFC_FIELD_TEXT::acDescription) == defs::kStoredDescriptionWidth);

// Reads a field from the dictionary and its texts; false when not there.
bool loadField(FFC_CONTEXT* ctx, const std::string& name, defs::CachedField& f)
{
    std::string part = rc::Trimmed(ctx->acPartition, 3);
    auto area = newArea();
    const char* tag = "DC_P31O2/QV_F03/A";
    declareOrDie(*area, tag,
                 SSQL_DeclareExt(area.get(),
                                 "SELECT X03TYP, X03LEN, X03DEC, X03IAT, X03OAT, X03KBS, X03DFT FROM QV_DTA.QV_F03 "
                                 "WHERE X03P_I = '%s' AND X03FLD = '%s'",
                                 part.c_str(), name.c_str()));
    char type = ' ', shift = ' ';
    int32_t len = 0, dec = 0;
    struct {
        uint16_t len;
        char codes[256];
    } iat{}, oat{};
    struct {
        uint16_t len;
        char text[50];
    } dft{};
    if (!runSingle(tag, *area, SSQL_FIXED(&type, 1), SSQL_I32(&len), SSQL_I32(&dec), SSQL_VARYING(&iat, 256),
                   SSQL_VARYING(&oat, 256), SSQL_FIXED(&shift, 1), SSQL_VARYING(&dft, 50)))
        return false;
    f.dictionary = 'Y';
    f.dictionaryDefault.assign(dft.text, dft.len < 50 ? dft.len : 50);
    std::memset(&f.def, ' ', sizeof f.def);
    rc::Pad(f.def.acName, 10, name);
    f.def.cType = type;
    f.def.lLength = len;
    f.def.lDecimals = dec;
    f.def.cShift = shift;
    // at most ten codes each; the attribute check reports longer lists
    f.def.input.usLength = static_cast<uint16_t>(iat.len < 40 ? iat.len : 40);
    std::memcpy(f.def.input.acCodes, iat.codes, f.def.input.usLength);
    f.def.output.usLength = static_cast<uint16_t>(oat.len < 40 ? oat.len : 40);
    std::memcpy(f.def.output.acCodes, oat.codes, f.def.output.usLength);

    std::memset(&f.text, ' ', sizeof f.text);
    inTextLanguages([&](const std::string& lang) {
        const char* ttag = "DC_P31O2/QV_FTX/A";
        // the texts as stored, read once a unit of work for both readers of
        // them (see runcontrol/kept_field_texts.h)
        char read[defs::kStoredTextsWidth];
        const char* stored = nullptr;
        if (const std::string* kept = defs::FindKeptFieldTexts(part, name, lang)) {
            stored = kept->empty() ? nullptr : kept->data();
        } else {
            auto t = newArea();
            declareOrDie(*t, ttag,
                         SSQL_DeclareExt(t.get(),
                                         "SELECT FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES FROM QV_DTA.QV_FTX "
                                         "WHERE FTXP_I = '%s' AND FTXFLD = '%s' AND FTXPLN = '%s'",
                                         part.c_str(), name.c_str(), lang.c_str()));
            // the text of the field texts' own look-up (params/field_texts.cpp),
            // so that the job prepares the statement once for both
            constexpr size_t heading = defs::kStoredLabelWidth, width = defs::kStoredHeadingWidth;
            if (runSingle(ttag, *t, SSQL_FIXED(read, defs::kStoredLabelWidth), SSQL_FIXED(read + heading, width),
                          SSQL_FIXED(read + heading + width, width), SSQL_FIXED(read + heading + 2 * width, width),
                          SSQL_FIXED(read + heading + 3 * width, defs::kStoredDescriptionWidth)))
                stored = read;
            defs::KeepFieldTexts(part, name, lang, stored);
        }
        if (stored == nullptr)
            return false;
        std::memcpy(f.text.acLabel, stored, defs::kStoredLabelWidth);
        for (size_t i = 0; i < 3; ++i)
            std::memcpy(f.text.acColumnHeadings[i],
                        stored + defs::kStoredLabelWidth + i * defs::kStoredHeadingWidth, defs::kStoredHeadingWidth);
        std::memcpy(f.text.acDescription, stored + defs::kStoredLabelWidth + 3 * defs::kStoredHeadingWidth,
                    defs::kStoredDescriptionWidth);
        return true;
    });
    f.kind = 'R';
    return true;
}

char getField(FFC_CONTEXT* ctx, char* local, FFC_FIELD_DEFINITION* def, FFC_FIELD_TEXT* text, bool component)
{
    if (!ctx || !def)
        return '1';
    // the name as rc::Trimmed gives it, read where it stands
    size_t length = strnlen(def->acName, 10);
    while (length > 0 && def->acName[length - 1] == ' ')
        --length;
    std::string_view name(def->acName, length);
    if (!name.empty() && ctx->cNatChar1 != ' ' && ctx->cNatChar1 != 0 && name[0] == ctx->cNatChar1)
        name.remove_prefix(1);
    if (name.empty())
        return '1';
    defs::CachedField* cached = defs::FindCachedField(ctx, name);
    if (!cached) {
        const std::string named(name);
        defs::CachedField f;
        if (!loadField(ctx, named, f)) {
            f.kind = 'X';  // remembered as missing: no second look-up
            f.dictionary = 'N';
        }
        cached = defs::CacheField(ctx, named, f);
        if (!cached)
            return '1';
    }
    if (cached->kind == 'X' || (cached->kind == 'C' && !component))
        return '1';
    char keepName[10];
    std::memcpy(keepName, def->acName, 10);
    *def = cached->def;
    std::memcpy(def->acName, keepName, 10);
    if (text)
        *text = cached->text;
    if (local)
        *local = cached->kind == 'R' ? 'N' : 'Y';
    return '0';
}

bool hasCode(const char* codes, const char* code)
{
    for (int i = 0; i < 10; ++i)
        if (std::memcmp(codes + 4 * i, code, 4) == 0)
            return true;
    return false;
}

}  // namespace

extern "C" {

int16_t P310C_sLoadProcessDefinition(FFC_CONTEXT* ctx, const char* process, FFC_PROCESS_DEFINITION* def)
{
    if (!ctx || !process || !def)
        return 1;
    std::string part = rc::Trimmed(ctx->acPartition, 3);
    std::string proc = rc::Trimmed(process, 10);
    auto area = newArea();
    const char* tag = "DC_P31O2/QV_F20/A";
    declareOrDie(*area, tag,
                 SSQL_DeclareExt(area.get(),
                                 "SELECT X20MUS, X20RCL, X20SP1 FROM QV_DTA.QV_F20 WHERE X20P_I = '%s' AND "
                                 "X20MOD = '%s'",
                                 part.c_str(), proc.c_str()));
    std::memset(def, ' ', sizeof *def);
    struct {
        uint16_t len;
        char text[256];
    } sp1{};
    if (!runSingle(tag, *area, SSQL_FIXED(&def->cMenuStyle, 1), SSQL_FIXED(&def->cProcessClass, 1),
                   SSQL_VARYING(&sp1, 256)))
        return 1;
    rc::Pad(def->acPartition, 3, part);
    rc::Pad(def->acProcess, 10, proc);
    def->usOptionsLength = sp1.len;
    std::memcpy(def->acOptions, sp1.text, sp1.len);
    return 0;
}

int16_t P310C_sLoadFunctionDefinition(FFC_CONTEXT* ctx, const char* process, const char* function,
                                      FFC_FUNCTION_DEFINITION* def)
{
    if (!ctx || !process || !function || !def)
        return 1;
    std::string part = rc::Trimmed(ctx->acPartition, 3);
    std::string proc = rc::Trimmed(process, 10);
    std::string func = rc::Trimmed(function, 7);
    auto area = newArea();
    const char* tag = "DC_P31O2/QV_F23/A";
    declareOrDie(*area, tag,
                 SSQL_DeclareExt(area.get(),
                                 "SELECT X23SP1, X23SQL, X23APM FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND "
                                 "X23MOD = '%s' AND X23FMT = '%s'",
                                 part.c_str(), proc.c_str(), func.c_str()));
    std::memset(def, ' ', sizeof *def);
    struct {
        uint16_t len;
        char text[100];
    } sp1{};
    if (!runSingle(tag, *area, SSQL_VARYING(&sp1, 100), SSQL_FIXED(&def->cSelectSql, 1), SSQL_FIXED(&def->cApm, 1)))
        return 1;
    rc::Pad(def->acPartition, 3, part);
    rc::Pad(def->acProcess, 10, proc);
    rc::Pad(def->acFunction, 7, func);
    def->usOptionsLength = sp1.len;
    std::memcpy(def->acOptions, sp1.text, sp1.len);
    def->cLevelTwo = 'N';
    loadFunctionDescription(part, proc, func, def->acDescription);
    return 0;
}

int16_t P310C_sDictionaryField(FFC_CONTEXT* ctx, const char* pszName, char* pchDefault, uint16_t* pusDefaultLength)
{
    if (!ctx || !pszName)
        return -1;
    const std::string name = pszName;
    defs::CachedField* cached = defs::FindCachedField(ctx, name);
    if (!cached) {
        defs::CachedField f;
        if (!loadField(ctx, name, f)) {
            f.kind = 'X';
            f.dictionary = 'N';
        }
        cached = defs::CacheField(ctx, name, f);
        if (!cached)
            return -1;
    }
    if (cached->dictionary == ' ')
        return -1;
    if (cached->dictionary == 'N')
        return 0;
    if (pchDefault && pusDefaultLength) {
        *pusDefaultLength = static_cast<uint16_t>(std::min<size_t>(cached->dictionaryDefault.size(), 50));
        std::memcpy(pchDefault, cached->dictionaryDefault.data(), *pusDefaultLength);
    }
    return 1;
}

char Get_Function_Field(FFC_CONTEXT* ctx, char* local, FFC_FIELD_DEFINITION* def, FFC_FIELD_TEXT* text, void*)
{
    return getField(ctx, local, def, text, false);
}

char Get_Function_Field_Allow_Component(FFC_CONTEXT* ctx, char* local, FFC_FIELD_DEFINITION* def, FFC_FIELD_TEXT* text,
                                        void*)
{
    return getField(ctx, local, def, text, true);
}

void P310C_ScanFieldAttributeCodes(const char* codes1, const char* codes2, char* asqn, char* suns, char* suni)
{
    // a flag is set when its code occurs; otherwise it keeps its value
    auto found = [&](const char* code) {
        return (codes1 && hasCode(codes1, code)) || (codes2 && hasCode(codes2, code));
    };
    if (asqn && found("ASQN"))
        *asqn = 'Y';
    if (suns && found("SUNS"))
        *suns = 'Y';
    if (suni && found("SUNI"))
        *suni = 'Y';
}

}  // extern "C"
