/* Text helpers of the automatic layouts: the double-byte adjustment of a
 * field or free text and the display length of a free text. */
#ifndef DQOV_LAYOUT_AUTO_LAYOUT_TEXT_H
#define DQOV_LAYOUT_AUTO_LAYOUT_TEXT_H

#include <stdint.h>

#include "dqov/ffc_context.h"

namespace layout {

/* In a double-byte run with the switch on, replaces the text (width
 * characters, blank-padded) by its shifted double-byte form, cut to width. */
void AdjustText(const FFC_CONTEXT *ctx, char *text, int width, int32_t adjustSwitch);

/* Length of a free text without trailing blanks (at most width); in a
 * double-byte run with the texts switch on, the host display length. */
int32_t TextLength(const FFC_CONTEXT *ctx, const char *text, int width, int32_t textsSwitch);

}  // namespace layout

#endif
