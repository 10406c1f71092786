/* Field attribute checks, field texts and the multilingual field texts of
 * the screen and report layouts. */
#ifndef DQOV_PARAMS_FIELD_TEXTS_H
#define DQOV_PARAMS_FIELD_TEXTS_H

#include <stdint.h>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The class of a field type: 'A' for the alphanumeric types (1, 2, 3, 4, A,
 * B, E, H, M, Z), 'N' for the others. */
char P3100_chTypeClass(char cType);

/* Checks the attributes of a layout entry's field (the entry's first 10
 * characters are the field name): sets *pfValid; for alphanumeric
 * ('A'), packed ('P') and signed ('S') fields checks length, decimals,
 * keyboard shift and edit code or edit word, queueing DCM0501 (length),
 * DCM0502 (decimals), DCM0503 (edit code or word on an alphanumeric field)
 * with the field name, DCM0044 to DCM0049 (keyboard shift) with the shift
 * character; a finding clears it and ends the check.  On success returns the
 * value width in *plWidth and the value image (256 characters) in
 * pchImage, and resolves a blank shift into *pcShift.  cLayoutKind 'D'
 * screens, 'P' reports; cControl 'N', 'B', 'D', 'R', 'X'; acSysFlags the
 * run's system flags (characters 51 and 52 used).  Returns 0, or 1 when
 * refused. */
int16_t FLDCHK_sCheckFieldAttributes(FFC_CONTEXT* pContext, const char* pchEntry, char cType, char cShift,
                                     int32_t lLength, int32_t lDecimals, char cEditCode, const char* acEditWord,
                                     int32_t* plWidth, char* pchImage, char* pcShift, bool* pfValid, char cLayoutKind,
                                     const char* acQueue, char cControl, const char* acSysFlags);

/* Checks the input and output attribute codes (4 characters each) of a
 * layout entry's field against the attribute table and the field's type;
 * sets *pfValid (cleared by a finding), presets *pcControl 'N' and *psNumber 0; a push button
 * ("PB01".."PB20"), radio button ("RB01".."RB99"), drop-down ("DDxx") or
 * check box ("CBOX") sets the control kind ('B', 'R', 'D', 'X') and
 * number.  Findings as DCM messages with the code; 0, or 1 when refused. */
int16_t FLDCHK_sCheckNameCharacters(FFC_CONTEXT* pContext, const char* pchEntry, char cType, int16_t sInputCount,
                                    const char* pchInputCodes, int16_t sOutputCount, const char* pchOutputCodes,
                                    bool* pfValid, const char* acQueue, int32_t lLength, char* pcControl,
                                    int16_t* psNumber);

/* Texts of a new field: those given, else the reference field's, else
 * derived from the name (label and first heading the name, description the
 * name).  Blank fields of pText are filled. */
void FLDTXT_DeriveFieldTexts(const char* acName, const FFC_FIELD_TEXT* pReference, FFC_FIELD_TEXT* pText);

/* Writes one "MFLD_3109 " work record per language of the partition that
 * has texts for the field (name: the field; qualifier: the language; data:
 * label at 2, headings at 24, 45, 66, description at 90) and returns the
 * widths over all languages: 1 the widest label, 2-4 the three heading
 * lines, 5 the widest heading, 6 heading lines not empty, 7 the widest
 * description.  Widths are of the text as the host sees it when the run is
 * double-byte and the job's switch for that text is on.  A field the
 * function defines or overrides (the job's field cache) has the texts its
 * DEFINE or OVERRIDE gave in every language in place of the repository's,
 * and all of its texts in a language the repository has none for.  0, or
 * 1 when the field has no texts. */
int16_t P8061_sGetMultilingualFieldTexts(FFC_CONTEXT* pContext, const char* acField, int32_t* pl1, int32_t* pl2,
                                         int32_t* pl3, int32_t* pl4, int32_t* pl5, int32_t* pl6, int32_t* pl7,
                                         const char* acQueue);

/* The four double-byte adjustment switches of the run (see
 * GetDesignAdjustAttributes in dqov_check.h). */
void P8061_GetSessionDesignAdjustAttributes(FFC_CONTEXT* pContext, int32_t* plColHdgs, int32_t* plLabels,
                                            int32_t* plDescs, int32_t* plTexts);

#ifdef __cplusplus
}
#endif

#endif
