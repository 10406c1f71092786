/* Reading the stored text map of a screen or report command (rows of the
 * design data table QV_F85 under "TEXTMAPS"). */
#ifndef DQOV_LAYOUT_AUTO_TEXT_MAPS_H
#define DQOV_LAYOUT_AUTO_TEXT_MAPS_H

#include <functional>
#include <string>

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"

namespace layout {

/* Which reader: the screen layout's (rows in X85SEQ order) or the report
 * layout's. */
enum class TextMapReader { Screen, Report };

/* Reads the rows of text map `name` (the command's first 10 text
 * characters) for the check state's function (or the command's second
 * function when its second sequence number is above 0). Each row's payload
 * goes to `row` while `wanted` says more are taken (tested before each
 * row). An SQL failure ends the run. */
void ReadTextMap(const FFC_CONTEXT* ctx, const FFC_CHECK_STATE* state, const std::string& name, TextMapReader reader,
                 const std::function<bool()>& wanted, const std::function<void(const std::string&)>& row);

/* True when positions [from, from + count) of the payload are all digits. */
bool DigitsAt(const std::string& payload, size_t from, size_t count);

}  // namespace layout

#endif
