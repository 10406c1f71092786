/*
** page_common.h: what the HTML and the XML page generators share.
**
** A run of either generator works on the web records of one function (see
** web_records.h) and writes, per WEBPNL panel, a header row in QV_X01 and
** the page's lines in QV_X02, plus the browse-list columns in QV_X04. The
** pieces here are the same for both: the run's identity, the SYSFLAGS
** reader, the reads of a panel's records, the skeleton line reader, the
** repository statements with their fatal failure report, the group-field
** table of the browse lists, the field attribute tests and the XML
** escaping of texts.
*/
#ifndef WEB_PAGES_PAGE_COMMON_H
#define WEB_PAGES_PAGE_COMMON_H

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_work_record.h"
#include "web/pages/web_records.h"

namespace web_pages {

/* Positions of the SYSFLAGS data that the page generators read. */
inline constexpr size_t kFlagHtmlPages = 56;
inline constexpr size_t kFlagWebEvent = 57;
inline constexpr size_t kFlagXmlPages = 60;

/* The identity and the flags of one generator run. */
struct PageRun {
    FFC_CONTEXT* ctx = nullptr;
    FFC_CHECK_STATE* state = nullptr;
    std::string root;
    std::string module;                                 /* "DC_P3137" or "DC_P3140": the prefix of the statement tags */
    std::string partition, language, process, function; /* trailing blanks removed */
    std::string environment;                            /* "HTM" or "XML" */
    std::string subEnvironment = "     ";
    int32_t lSet = 0;
    int32_t lSequence = 0; /* raised before every line; runs on over the pages */
    bool webEvent = false;
    bool dbcs = false;
    bool rltb = false;

    std::string Tag(const char* suffix) const { return module + "/" + suffix; }
};

/* The panel being made into a page. */
struct Panel {
    std::string key; /* the first 8 characters of the WEBPNL record's key part 2 */
    uint32_t ulNumber = 0;
    char cCommand = ' ';
    std::string title; /* the 40 characters as stored */
    uint32_t ulTitleFirst = 0, ulTitleLast = 0;
    std::string pageName, description;
};

/* One free text of a panel, in work-file order. */
struct PanelText {
    uint32_t ulRow = 0, ulColumn = 0;
    std::string rowColumn; /* RRCC */
    std::string text;      /* up to the first NUL, trailing blanks removed */
};

/* What a page makes of a panel's fields and texts while they are walked
** in screen order. */
class PanelLayout {
public:
    virtual ~PanelLayout() = default;
    virtual void EndMarker() = 0;
    virtual void Hidden(const WEBDTA_RECORD& field) = 0;
    /* The current text; the walk then moves on to the next. */
    virtual void Text() = 0;
    /* A new row begins; fAfterText when a text of the row just closed was
    ** the last thing written. */
    virtual void NewRow(bool fAfterText) = 0;
    virtual void Field(const WEBDTA_RECORD& field) = 0;
};
/* Walks the panel's field records (WEBDTA, in work-file order) with its
** texts from position text on: hidden fields and the end marker where they
** come, every other field on its row after the texts that lie before it,
** the texts left over at the end. A row begins when a field or text lies on
** a row below the one written last. */
void WalkPanel(const std::vector<FFC_WORK_RECORD>& fields, const std::vector<PanelText>& texts, size_t& text,
               PanelLayout& layout);

/* A fixed field as text: a NUL ends it, trailing blanks are removed. */
std::string FieldText(const char* pField, size_t ulWidth);
/* The text blank-padded or cut to the width. */
std::string Padded(std::string_view text, size_t ulWidth);

/* The first 64 bytes of the function's SYSFLAGS data; false when there is
** no SYSFLAGS record. */
bool ReadSystemFlags(FFC_CONTEXT* ctx, std::string& flags);

/* Fills the identity (partition, language, names, DBCS and RLTB) from the
** run context and the check state. */
void StartRun(PageRun& run, FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* pszRoot, const char* module,
              const char* environment);

/* The records of a kind, in key order: all of them, or (key2 given) those
** whose key part 2 is key2 followed by blanks. */
std::vector<FFC_WORK_RECORD> ReadRecords(FFC_CONTEXT* ctx, uint16_t usSlot, const char* kind,
                                         std::string_view key2 = {});
template <typename View> const View& As(const FFC_WORK_RECORD& r)
{
    static_assert(sizeof(View) == sizeof(FFC_WORK_RECORD));
    return *reinterpret_cast<const View*>(&r);
}

/* The panel of a WEBPNL record with its page name and description. */
Panel MakePanel(const PageRun& run, const WEBPNL_RECORD& r);
/* The panel's free texts. */
std::vector<PanelText> ReadPanelTexts(FFC_CONTEXT* ctx, const Panel& panel);

/* Raises the check state's fatal counts and ends the process with the
** fatal SQL error text of the tag. */
[[noreturn]] void FatalSql(PageRun& run, const std::string& tag);

/* The header row of the page in QV_X01: marked when it exists, inserted
** when it does not. */
void WriteHeaderRow(PageRun& run, const Panel& panel);
/* One page line as a QV_X02 row of set 0: cut at 255 characters, and
** with fPad blank-padded to 255. */
void WriteLine(PageRun& run, const Panel& panel, std::string_view text, bool fPad);
/* The number of QV_X03 component usages of the field with the I/O letter. */
uint32_t CountComponentUsage(PageRun& run, const WEBDTA_RECORD& field, char cIo, const char* tagSuffix);
/* Deletes the function's QV_X04 rows of the page environment. The pages
** commit nothing of their own: their rows are committed with the job's
** unit of work, or rolled back with it. */
void DeleteListRows(PageRun& run, const char* deleteSuffix);
/* Runs the roll of the function's older page sets; fatal when it fails. */
void RollSets(PageRun& run);

/* One browse-list column row of QV_X04. */
struct ListRow {
    std::string list, field, usage, type, heading[3], input, output, editCode, editWord, nmv, shift;
    int32_t lColumn = 0, lLength = 0, lDecimals = 0, lRow = 0, lColumnPosition = 0, lMaxLength = 0;
};
void InsertListRow(PageRun& run, const ListRow& row, const std::string& tag);
/* The row of a browse-list column with what both generators give it; the
** edit code and word, maximum length, validation and shift columns are
** each generator's own. A column is the list's marked field when its whole
** name equals the marked name. */
ListRow MakeListRow(const WEBDTA_RECORD& field, const std::string& list10, int32_t lColumn, const std::string& marked);
/* The column headings of a list row: a text id as its merge name
** "&T0012+0003+0040", else the 20 characters. */
std::string ListHeading(const char* pachHeading20, uint32_t ulFirst, uint32_t ulLast);

/* The browse lists of the function and each list's marked field. */
class GroupFieldTable {
public:
    void Build(FFC_CONTEXT* ctx);
    /* The marked field of the list (10 characters), empty when none. */
    std::string MarkedField(std::string_view list10) const;

private:
    std::vector<std::pair<std::string, std::string>> lists_;
};

/* Field attribute tests over the ten input and ten output codes. */
bool HasAttribute(const WEBDTA_RECORD& field, const char* pszTwoLetters);
/* The first code beginning "DD" (input codes first), blank when none. */
std::string DropDownCode(const WEBDTA_RECORD& field);
/* The display width of the field by its type. */
uint32_t DisplayWidth(const WEBDTA_RECORD& field);
bool HasEditCode(const WEBDTA_RECORD& field);
bool HasEditWord(const WEBDTA_RECORD& field);
/* The end marker of a panel's field records. */
bool IsEndMarker(const WEBDTA_RECORD& field);

/* Texts for XML (and HTML) markup: a double quote, '<', '>' and the
** apostrophe become entities; '&' stays when it starts an entity (a ';'
** follows with no special character or white space between, and the
** entity is longer than two characters), else becomes "&amp;"; a run from
** a shift-out to the next shift-in is copied unchanged. */
std::string EscapeMarkup(std::string_view text);

/* A skeleton file open for reading. */
struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f)
            std::fclose(f);
    }
};
using SkeletonFile = std::unique_ptr<std::FILE, FileCloser>;
/* Opens the skeleton given by its path in the environment's form. */
SkeletonFile OpenSkeleton(const std::string& path);
/* The same; a skeleton that does not open ends the process with "Unable to
** open <what> <path>." */
SkeletonFile OpenSkeletonOrEnd(const std::string& path, const char* what);
/* The next line of at most 4,095 characters without trailing blanks, form
** feeds and line ends; false at the end of the file. */
bool ReadSkeletonLine(std::FILE* file, std::string& line);

/* A number through a printf format. */
std::string Formatted(const char* format, unsigned long ulValue);
/* The current date and time as 14 digits, year to second. */
std::string StampText();

/* The title centred in its own width; "N/A" for a blank title. */
std::string CentredTitle(const std::string& title);

/* Rolls the function's older sets of pages ("HTML" or "XML" in the status
** lines) and makes one page per panel of the function: the panel, its
** header row, then writePage; the rows join the job's unit of work. */
void WritePanelPages(PageRun& run, Panel& panel, const char* kind, const std::function<void()>& writePage);

/* Shows a status line of the generator. */
void ShowStatus(const char* text);
/* The closing status line, in the colour of severity 3. */
void ShowEndStatus(const char* text);

}  // namespace web_pages

#endif
