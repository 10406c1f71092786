/* A painter script: a replayable text transcript of the painter's replies,
 * which stands in for the editor's painter window outside the editor. A
 * script is read line by line; each line answers one painter request:
 *
 *   design 3|4|end          WM_USER+2   the design loop's choice
 *   report N|NAME|end       WM_USER+11  the report to design, by number or
 *                                       by the name it was offered under
 *                                       (report mode)
 *   screen N|FORMAT|end     WM_USER+11  the N-th registered screen, or the
 *                                       one of that format (screen mode)
 *   lines N=1 N=X*R ... [body=B] | end
 *                           WM_USER+13  selection codes ('1' design, 'X'
 *                                       show) and repeat counts of lines
 *   command CODE [ROW COL]  WM_USER+1   the user's command code and cursor
 *   text "TEXT" [FLAGS]     WM_USER+9/14 a typed text (14 'Y'/'N' flags)
 *   field NAME LETTER       WM_USER+10  a typed field name, identification
 *   spacing BEFORE AFTER    WM_USER+15  lines before and after
 *   identify L|C|D|N|cancel WM_USER+6   an identification
 *   leave 1|2|3|4           WM_USER+5   the leave choice
 *   target record|list      WM_USER+8   where a new field goes
 *   show                    (no request) shows the screen last sent
 *
 * A number must fit its place in the exchange block (a cursor position,
 * spacing or repeat count a 32-bit word, a reply a 16-bit word); a line
 * with a number that does not, or with a word where only a number can
 * stand, cannot be read. Whether a number makes sense (a cursor on the
 * screen) is the design step's to judge.
 *
 * Blank lines and lines starting with '#' are passed over; a text in
 * double quotes may hold blanks, and "" stands for one double quote. A code
 * is up to 4 characters ("" is the blank code). WM_USER+16 and +19 need no
 * line. When the script meets a request its next line does not answer, or
 * has no line left, the painter window goes away: the design session ends
 * there, and the run driver keeps nothing of it. */
#ifndef DQOV_RUNCONTROL_PAINTER_SCRIPT_H
#define DQOV_RUNCONTROL_PAINTER_SCRIPT_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_paint_str.h"
#include "dqov/runcontrol/ffc_system_definition.h"
#include "dqov/runcontrol/run_driver.h"

namespace painter {

/* One line of a script. */
struct ScriptLine {
    int number = 0; /* line number in the script text */
    std::string keyword;
    std::vector<std::string> values;
};

/* One exchange of the session as it happened. */
struct Exchange {
    unsigned request = 0;            /* n of WM_USER+n; 0 for "show" */
    std::string asked;               /* what the painter was asked */
    std::string requestCode;         /* WM_USER+1: the request code in force */
    std::string message;             /* WM_USER+1: the message line sent */
    std::vector<std::string> screen; /* WM_USER+1: 24 lines of 80 */
    std::string reply;               /* the script line that answered */
};

/* Renders the 2,000-character screen image of the exchange block as 24
 * lines of 80: an attribute cell of the normal code 0 is shown as a blank,
 * as a display shows it, and one of any other code (1 to 31) as '~'. */
std::vector<std::string> RenderScreen(const char* screen);

class PainterScript {
public:
    /* Reads a script; nullptr with the reason (naming the line) when a line
     * cannot be read. */
    static std::unique_ptr<PainterScript> Parse(const std::string& text, std::string& error);
    static std::unique_ptr<PainterScript> Load(const std::string& path, std::string& error);
    ~PainterScript();
    PainterScript(const PainterScript&) = delete;
    PainterScript& operator=(const PainterScript&) = delete;

    /* The editor's settings the design runs with: function keys, pop-up
     * frame characters, date and time on titles, pop-up identifiers and
     * the report-image offer. */
    static void ApplyEditorSettings(FFC_SYSTEM_DEFINITION& sys);

    /* Starts the painter window on its own thread and readies the block
     * with the editor's texts and the message templates of the mode ('S'
     * screen design, 'R' report design). */
    FFC_PAINT_STR* start(char mode);
    /* Ends the painter window. */
    void stop();

    bool failed() const;
    std::string failure() const;
    /* Lines not used when the session ended. */
    size_t unused() const;
    std::vector<Exchange> transcript() const;
    /* Called on the painter's thread for every exchange as it happens. */
    void observe(std::function<void(const Exchange&)> observer);

private:
    PainterScript();
    struct State;
    std::unique_ptr<State> state_;
};

/* A design session of the dqov tool: a painter script run with a job. */
class DesignSession {
public:
    /* Reads the script; false with the reason in error. */
    bool load(const std::string& path, char mode, std::string& error);
    /* Applies the editor's settings and points the request at the session;
     * every exchange is told to out as it happens (the screen where the
     * script says "show"). Lines go to out with a colour (1 red, 2 brown,
     * 5 green, others blue, as the tools output has them). */
    using Output = std::function<void(int, const std::string&)>;
    void prepare(FFC_SYSTEM_DEFINITION& sys, FFC_RUN_REQUEST& request, Output out);
    /* Ends the painter and tells the commands the session rewrote, or why
     * it ended early. */
    void finish();
    bool failed() const;

private:
    static void Changed(void* user, const SZOPH_COMMAND* command);
    std::unique_ptr<PainterScript> script_;
    FFC_DESIGN_REQUEST design_{};
    std::vector<std::string> changed_;
    Output out_;
};

}  // namespace painter

#endif
