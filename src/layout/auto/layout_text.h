/* Text helpers of the automatic layouts: the double-byte adjustment of a
 * field or free text and the display length of a free text. */
#ifndef DQOV_LAYOUT_AUTO_LAYOUT_TEXT_H
#define DQOV_LAYOUT_AUTO_LAYOUT_TEXT_H

#include <stdint.h>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/ffc_context.h"

namespace layout {

/* In a double-byte run with the switch on, replaces the text (width
 * characters, blank-padded) by its shifted double-byte form, cut to width;
 * a text that holds shift characters already is left as it is. Shared by
 * both automatic layouts and the design steps. */
void P3111_AdjustDbcsText(const FFC_CONTEXT* ctx, char* text, int width, int32_t adjustSwitch);

/* The widths of the field's texts over all languages, as
 * P8061_sGetMultilingualFieldTexts gives them (w[0] label, w[1..3] heading
 * lines, w[4] widest heading, w[5] heading lines, w[6] description), and its
 * answer. A field asked again while the work file's field text records,
 * the job's field definitions and the run's switches stay as they were is
 * answered from the first asking: its records stand in the work file
 * already, and asking again would rewrite them as they are. */
int16_t FieldTextWidths(FFC_CONTEXT* ctx, const char* acField, int32_t w[7], const char* msgQueue);

/* Length of a free text without trailing blanks (at most width); in a
 * double-byte run with the texts switch on, the host display length. */
uint16_t P3111_usDisplayLength(const FFC_CONTEXT* ctx, const char* text, int width, int32_t textsSwitch);

/* Moves the non-blank column headings down, keeping their order, so that
 * the blank ones come first. */
void MoveHeadingsDown(char headings[3][20]);

/* Right-aligns a text within its width: its trailing blanks move to the
 * front; left-aligns it: its leading blanks move to the end. */
void RightAlignText(char* text, int width);
void LeftAlignText(char* text, int width);

/* Value, heading and label offsets and the total width of a report item by
 * its identification: 'N' the value alone; 'L' label, a blank, the value
 * (value first when rightToLeft); any other letter the column headings
 * over the value. */
void ReportItemGeometry(LAYOUT_FIELD_ENTRY& e, bool rightToLeft);

}  // namespace layout

#endif
