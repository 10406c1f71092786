/* Multilingual field texts: the label, column headings and description of
 * a field in every language of the partition, as "MFLD_3109 " work records
 * for the layouts, with the widths the layouts size their columns by. A
 * field the function defines or overrides takes the texts its DEFINE or
 * OVERRIDE gave in place of the repository's. */
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/workfile.h"
#include "params/field_texts.h"
#include "params/operand_internal.h"
#include "runcontrol/kept_field_texts.h"
#include "platform/dqos/dqos.h"

using dqov::operand::Fixed;

namespace {

constexpr int kLabelAt = 2, kHeadingAt[3] = {24, 45, 66}, kDescriptionAt = 90;

struct Texts {
    std::string label, headings[3], description;
};

std::string Trim(const char* f, size_t n)
{
    while (n > 0 && (f[n - 1] == ' ' || f[n - 1] == 0))
        --n;
    return std::string(f, n);
}

struct Cursor {
    uint16_t number = 0;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    bool open = false;
    ~Cursor()
    {
        if (open)
            SSQL_sCloseExt(number, &ca, &da);
    }
};

/* The texts of a field as the repository stores them: label, the three
 * headings and the description, blank-padded to their widths. */
constexpr size_t kLabelWidth = defs::kStoredLabelWidth, kHeadingWidth = defs::kStoredHeadingWidth,
                 kDescriptionWidth = defs::kStoredDescriptionWidth;
constexpr size_t kStoredWidth = defs::kStoredTextsWidth;

/* What the layouts of a job read of the partition's languages (QV_F60),
 * kept for the unit of work it was read in. No statement of a job writes
 * the table, and the unit holds the repository's state fixed
 * (SSQL_ulUnitOfWork), so the languages read once stay what the repository
 * holds until the unit ends; a new unit (or partition) reads afresh. The
 * field texts are kept the same way, with those the field definitions read
 * (runcontrol/kept_field_texts.h). */
struct RepositoryTexts {
    unsigned long unit = 0;
    std::string partition;
    std::vector<std::string> languages;

    void Follow(unsigned long current, const std::string& part)
    {
        if (current == unit && part == partition)
            return;
        unit = current;
        partition = part;
        languages.clear();
    }
};

RepositoryTexts& Kept()
{
    static RepositoryTexts kept;
    return kept;
}

// A failed statement ends the run through the fatal SQL path.
std::vector<std::string> PartitionLanguages(const std::string& partition)
{
    constexpr char kTag[] = "P8061/QV_F60/A";
    std::vector<std::string> out;
    SSQL_AREA area;
    SSQL_SetLocation(kTag);
    if (SSQL_DeclareExt(&area, "SELECT X60PLN FROM QV_DTA.QV_F60 WHERE X60P_I = '%s' ORDER BY X60PLN",
                        partition.c_str()) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, kTag);
    Cursor c;
    if (SSQL_sOpenExt(&c.number) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, kTag);
    c.open = true;
    char language[4];
    unsigned short rc;
    while ((rc = SSQL_sFetchExt(&area, c.number, &c.ca, &c.da, 1, SSQL_FIXED(language, 4))) == SSQL_RC_OK)
        out.push_back(Trim(language, 4));
    if (rc == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, kTag);
    return out;
}

// The field's texts in the language as stored (kStoredWidth characters):
// false when it has none; a failed statement ends the run through the
// fatal SQL path.
bool StoredTexts(const std::string& partition, const std::string& field, const std::string& language, char* stored)
{
    constexpr char kTag[] = "P8061/QV_FTX/A";
    SSQL_AREA area;
    SSQL_SetLocation(kTag);
    if (SSQL_DeclareExt(&area,
                        "SELECT FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES FROM QV_DTA.QV_FTX "
                        "WHERE FTXP_I = '%s' AND FTXFLD = '%s' AND FTXPLN = '%s'",
                        partition.c_str(), field.c_str(), language.c_str()) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, kTag);
    char* const heading = stored + kLabelWidth;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 5, SSQL_FIXED(stored, kLabelWidth),
                                     SSQL_FIXED(heading, kHeadingWidth), SSQL_FIXED(heading + kHeadingWidth, kHeadingWidth),
                                     SSQL_FIXED(heading + 2 * kHeadingWidth, kHeadingWidth),
                                     SSQL_FIXED(heading + 3 * kHeadingWidth, kDescriptionWidth));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return false;
    if (rc != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, kTag);
    return true;
}

Texts FromStored(const char* stored)
{
    Texts t;
    t.label = Trim(stored, kLabelWidth);
    for (size_t i = 0; i < 3; ++i)
        t.headings[i] = Trim(stored + kLabelWidth + i * kHeadingWidth, kHeadingWidth);
    t.description = Trim(stored + kLabelWidth + 3 * kHeadingWidth, kDescriptionWidth);
    return t;
}

/* The repository's texts of the field in each language of the partition:
 * read once a unit of work and kept (see RepositoryTexts); outside a unit
 * read each time. */
std::vector<std::optional<Texts>> RepositoryFieldTexts(const FFC_CONTEXT* ctx, const std::string& field,
                                                       std::vector<std::string>& languages)
{
    const std::string partition(ctx->acPartition, 3);
    const unsigned long unit = SSQL_ulUnitOfWork();
    RepositoryTexts& kept = Kept();
    if (unit != 0) {
        kept.Follow(unit, partition);
        if (kept.languages.empty())
            kept.languages = PartitionLanguages(partition);
        languages = kept.languages;
    } else {
        languages = PartitionLanguages(partition);
    }
    std::vector<std::optional<Texts>> found(languages.size());
    char read[kStoredWidth];
    for (size_t l = 0; l < languages.size(); ++l) {
        if (const std::string* stored = defs::FindKeptFieldTexts(partition, field, languages[l])) {
            if (!stored->empty())
                found[l] = FromStored(stored->data());
            continue;
        }
        const bool has = StoredTexts(partition, field, languages[l], read);
        // the reads began the unit when none was open: they are kept for it
        defs::KeepFieldTexts(partition, field, languages[l], has ? read : nullptr);
        if (has)
            found[l] = FromStored(read);
    }
    if (unit == 0) {
        if (const unsigned long now = SSQL_ulUnitOfWork(); now != 0) {
            kept.Follow(now, partition);
            if (kept.languages.empty())
                kept.languages = languages;
        }
    }
    return found;
}

/* Width of a text: its length, or its host length (with shift characters)
 * when the run is double-byte and the text is adjusted. */
int32_t Width(const std::string& text, bool adjust)
{
    if (text.empty())
        return 0;
    if (!adjust)
        return static_cast<int32_t>(text.size());
    return SSNLS_usGetEbcdicLength(text.c_str());
}

/* The texts of a field the function defines or overrides itself, as the
 * job's field cache holds them: false when the field is not its own. */
bool OwnTexts(FFC_CONTEXT* ctx, const std::string& field, Texts& t)
{
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, field.data(), std::min(field.size(), sizeof def.acName));
    FFC_FIELD_TEXT text;
    std::memset(&text, ' ', sizeof text);
    char local = 'N';
    const char found = ctx->lComponentRun ? Get_Function_Field_Allow_Component(ctx, &local, &def, &text, nullptr)
                                          : Get_Function_Field(ctx, &local, &def, &text, nullptr);
    if (found != '0' || local != 'Y')
        return false;
    t.label = Trim(text.acLabel, sizeof text.acLabel);
    for (int i = 0; i < 3; ++i)
        t.headings[i] = Trim(text.acColumnHeadings[i], sizeof text.acColumnHeadings[i]);
    t.description = Trim(text.acDescription, sizeof text.acDescription);
    return true;
}

/* The field's texts in each language: the repository's, where the function
 * defines or overrides the field each text its DEFINE or OVERRIDE gave in
 * their place. A text of the function's own that is blank, or that is the
 * repository's text in one of the languages (inherited, not given), leaves
 * the repository's texts as they are; a language without repository texts
 * takes the function's texts whole. */
void TakeOwnTexts(const Texts& own, std::vector<std::optional<Texts>>& texts)
{
    const auto given = [&texts](const std::string& mine, auto member) {
        if (mine.empty())
            return false;
        for (const std::optional<Texts>& t : texts)
            if (t && member(*t) == mine)
                return false;
        return true;
    };
    const bool label = given(own.label, [](const Texts& t) -> const std::string& { return t.label; });
    const bool description =
        given(own.description, [](const Texts& t) -> const std::string& { return t.description; });
    bool heading[3];
    for (int i = 0; i < 3; ++i)
        heading[i] = given(own.headings[i], [i](const Texts& t) -> const std::string& { return t.headings[i]; });
    for (std::optional<Texts>& t : texts) {
        if (!t) {
            t = own;
            continue;
        }
        if (label)
            t->label = own.label;
        for (int i = 0; i < 3; ++i)
            if (heading[i])
                t->headings[i] = own.headings[i];
        if (description)
            t->description = own.description;
    }
}

void WriteRecord(FFC_CONTEXT* ctx, const std::string& field, const std::string& language, const Texts& t)
{
    if (!ctx->pWorkFile && WF_sCreate(ctx) != 0)
        return;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, "MFLD_3109 ", 10);
    std::memcpy(r.acName, Fixed(field, FFC_WORK_NAME_LEN).data(), FFC_WORK_NAME_LEN);
    std::memcpy(r.acQualifier, Fixed(language, FFC_WORK_QUAL_LEN).data(), FFC_WORK_QUAL_LEN);
    std::memcpy(r.acData + kLabelAt, Fixed(t.label, 15).data(), 15);
    for (int i = 0; i < 3; ++i)
        std::memcpy(r.acData + kHeadingAt[i], Fixed(t.headings[i], 20).data(), 20);
    std::memcpy(r.acData + kDescriptionAt, Fixed(t.description, 40).data(), 40);
    /* one record per field and language: a second call replaces it */
    FFC_WORK_RECORD probe = r;
    if (WF_cReadFirst(ctx, 0, &probe, 3) == '0')
        WF_cUpdate(ctx, 0, &r);
    else
        WF_lWrite(ctx, &r);
}

}  // namespace

extern "C" int16_t P8061_sGetMultilingualFieldTexts(FFC_CONTEXT* pContext, const char* acField, int32_t* pl1,
                                                    int32_t* pl2, int32_t* pl3, int32_t* pl4, int32_t* pl5,
                                                    int32_t* pl6, int32_t* pl7, const char*)
{
    int32_t* results[7] = {pl1, pl2, pl3, pl4, pl5, pl6, pl7};
    for (int32_t* p : results)
        if (p)
            *p = 0;
    if (!pContext || !acField)
        return 1;
    std::string field = Trim(acField, 10);
    if (!field.empty() && pContext->cNatChar1 != ' ' && pContext->cNatChar1 != 0 && field[0] == pContext->cNatChar1)
        field.erase(0, 1);
    int32_t colHdgs = 0, labels = 0, descs = 0, texts = 0;
    P8061_GetSessionDesignAdjustAttributes(pContext, &colHdgs, &labels, &descs, &texts);
    const bool doubleByte = pContext->cDoubleByte == 'Y';
    int32_t w[7] = {0, 0, 0, 0, 0, 0, 0};
    std::vector<std::string> languages;
    std::vector<std::optional<Texts>> found = RepositoryFieldTexts(pContext, field, languages);
    Texts own;
    if (OwnTexts(pContext, field, own))
        TakeOwnTexts(own, found);
    bool any = false;
    for (size_t l = 0; l < languages.size(); ++l) {
        if (!found[l])
            continue;
        const Texts& t = *found[l];
        any = true;
        WriteRecord(pContext, field, languages[l], t);
        w[0] = std::max(w[0], Width(t.label, doubleByte && labels));
        int32_t lines = 0;
        for (int i = 0; i < 3; ++i) {
            int32_t hw = Width(t.headings[i], doubleByte && colHdgs);
            w[1 + i] = std::max(w[1 + i], hw);
            w[4] = std::max(w[4], hw);
            if (!t.headings[i].empty())
                ++lines;
        }
        w[5] = std::max(w[5], lines);
        w[6] = std::max(w[6], Width(t.description, doubleByte && descs));
    }
    for (int i = 0; i < 7; ++i)
        if (results[i])
            *results[i] = w[i];
    return any ? 0 : 1;
}
