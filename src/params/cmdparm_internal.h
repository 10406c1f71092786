/* Internal helpers of the parameter preparation: the command's parameter
 * definitions read back from the keyword area, and message data. */
#ifndef DQOV_PARAMS_CMDPARM_INTERNAL_H
#define DQOV_PARAMS_CMDPARM_INTERNAL_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/cmdparm.h"
#include "params/fixed_text.h"

namespace dqov::cmdparm {

struct ElementView {
    char kind = 'A';
    int32_t width = 0;
    int32_t offset = 0;
    std::string defaultValue;
};

struct ParamView {
    std::string keyword;
    int seq = 0;
    char layout = 'S';
    int32_t entries = 1;
    int32_t countAt = -1;
    bool positional = false;
    std::vector<ElementView> elements;
    std::vector<std::string> values; /* allowed values of a flag set */
    int32_t flagsAt = -1;
    int32_t rowWidth = -1; /* set when the view is indexed */
    /* every byte of the parameter area that the parameter's defaults and
     * values may take lies before this offset; set when the view is indexed */
    int32_t writtenPast = FFC_PARM_AREA_SIZE;
    /* whether the defaults leave every entry of a list as the preparation
     * blanks it before storing the entries given (blanks, numbers zero);
     * set with the defaults */
    bool entriesBlankInDefaults = false;

    int32_t RowWidth() const;
    int32_t ElementSize(size_t e) const
    {
        const ElementView& el = elements[e];
        return el.kind == 'N' ? 4 : el.kind == 'H' ? 2 : el.width;
    }
    /* From one entry of element e to the next: the element's own size when
     * its entries lie side by side ('C' layout), else a whole row. */
    int32_t EntryStride(size_t e) const { return layout == 'C' ? ElementSize(e) : RowWidth(); }
    /* What an empty entry of element e holds: binary zeros for numbers,
     * else blanks. */
    char EmptyByte(size_t e) const { return elements[e].kind == 'N' || elements[e].kind == 'H' ? 0 : ' '; }
};

/* The parameters the derived slots are worked out from and written to:
 * their places in a command's view are found when it is indexed. */
enum DeriveParam {
    kMsgKindParam,
    kMsgTxtParam,
    kMsgIdParam,
    kWholeParam,
    kUsingParam,
    kTrigFlagParam,
    kTriggerParam,
    kTrigRetParam,
    kDsExchgParam,
    kLitKindParam,
    kToParam,
    kLitLengthParam,
    kDeriveParams
};
inline constexpr std::string_view kDeriveKeywords[kDeriveParams] = {
    "@MSGKIND", "MSGTXT", "MSGID", "@WHOLE", "USING", "@TRIGFLAG", "TRIGGER", "@TRIGRET", "@DSEXCHG", "@LITKIND", "TO",
    "@LITLENGTH"};
constexpr std::array<int16_t, kDeriveParams> NoDeriveParams()
{
    std::array<int16_t, kDeriveParams> none{};
    none.fill(-1);
    return none;
}

struct CommandView {
    std::string name;
    std::vector<ParamView> params;
    std::vector<std::pair<std::string, std::string>> aliases; /* alias, keyword */
    /* The parameter area with every default set, kept as its stretches that
     * are not blank (offset, bytes); made when the view is first read. */
    std::vector<std::pair<int32_t, std::string>> defaults;
    bool defaultsMade = false;
    /* the end of the last stretch of defaults; set with them */
    int32_t defaultsPast = FFC_PARM_AREA_SIZE;
    /* the end of the result slots (kDerivedSlots) the preparation may
     * write; set when the view is indexed */
    int32_t derivedPast = FFC_PARM_AREA_SIZE;
    /* whether the command has a result slot that follows from the
     * parameters given (kDerivedSlots); set when the view is indexed */
    bool derives = false;
    /* the index in params of the first parameter with each keyword of
     * kDeriveKeywords, -1 for none; set when the view is indexed */
    std::array<int16_t, kDeriveParams> deriveParams = NoDeriveParams();
};

/* The result slots that the preparation fills from the parameters given. */
inline constexpr std::string_view kDerivedSlots[] = {"@MSGKIND", "@WHOLE", "@TRIGFLAG", "@DSEXCHG", "@LITKIND"};

/* Makes the views of every command of the keyword area; the loader calls it
 * once the area is filled.  An area is not changed after it was indexed. */
void IndexCommandViews(const void* pArea, uint16_t usCount);

/* Frees the views; the next ReadCommandView indexes its area again. */
void ForgetCommandViews();

/* The definitions of the named command (10 characters) in the area, indexed
 * on first use of the area; valid until another area is indexed. */
const CommandView& ReadCommandView(const void* pArea, uint16_t usCount, const char* acCommand);

using dqov::text::Fixed;
using dqov::text::Signed7;
using dqov::text::TrimBlanks;

/* Blanks the parameter area of the command (numbers and counts 0, flags
 * 'N') and sets the defaults of its parameters. The area is known to be
 * blank from `blankFrom` on: only the bytes before it are blanked. */
void ApplyDefaults(const CommandView& view, FFC_PARSED_COMMAND* pCommand, int32_t blankFrom = FFC_PARM_AREA_SIZE);

/* The end of the bytes that the parameter's defaults and values may take
 * (0 to FFC_PARM_AREA_SIZE). */
int32_t WrittenPast(const ParamView& p);

/* Works out once the parameter area that ApplyDefaults gives for the view. */
void MakeDefaults(CommandView& view);

}  // namespace dqov::cmdparm

#endif
