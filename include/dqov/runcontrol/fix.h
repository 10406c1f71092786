/* Fixed-field helpers: bounded moves of blank-padded fields, fills, zoned
 * digit conversions, and the allocators whose failure issues message 510. */
#ifndef DQOV_FIX_H
#define DQOV_FIX_H

#include "dqov/runcontrol/ffc_context.h"
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Copy min(source length, target length) bytes to the start of the target;
 * the rest of the target keeps its bytes. The lettered names are copies. */
void FIX_MoveLeft(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftB(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftC(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftD(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftE(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftF(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveLeftG(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);

/* Right-aligned move: a shorter source goes to the right end of the target
 * (the left part keeps its bytes); a longer one gives its rightmost bytes. */
void FIX_MoveRight(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveRightB(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveRightC(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);
void FIX_MoveRightD(const void* pSource, uint32_t ulSourceLen, void* pTarget, uint32_t ulTargetLen);

void FIX_FillBlanks(void* pField, uint32_t ulLen);
void FIX_FillBlanksB(void* pField, uint32_t ulLen);
void FIX_FillBlanksC(void* pField, uint32_t ulLen);
void FIX_FillBlanksD(void* pField, uint32_t ulLen);
void FIX_FillHighValues(void* pField, uint32_t ulLen); /* x'FF' */
void FIX_FillLowValues(void* pField, uint32_t ulLen);  /* x'00' */
void FIX_FillChar(void* pField, uint32_t ulLen, char cFill);

/* Leading '0' characters are skipped; the remaining digits make the value,
 * which is returned and stored through plResult (when given). A character
 * that is not a digit ends the conversion. */
int32_t FIX_lDigitsToLong(const char* pDigits, uint32_t ulLen, int32_t* plResult);
/* The value's magnitude as 15 zero-padded digits; the rightmost n (at most
 * 15) go into the target, no terminator. */
void FIX_LongToDigits(const int32_t* plValue, uint32_t ulDigits, char* pTarget);
/* The value as printf's "%0*lld" writes it with the given width (a minus
 * sign, then at least the width in all, zeros in front); the target holds
 * at least the width and 20 characters. Returns the characters written, no
 * terminator. */
uint32_t FIX_ulZeroPadded(int64_t llValue, uint32_t ulWidth, char* pTarget);
/* The rightmost n digits of FIX_LongToDigits, moved as FIX_MoveRight does. */
void FIX_MoveLongRight(const int32_t* plValue, uint32_t ulDigits, char* pTarget, uint32_t ulTargetLen);
void FIX_MoveLongRightB(const int32_t* plValue, uint32_t ulDigits, char* pTarget, uint32_t ulTargetLen);
/* Zoned digits with an implied number of decimals, to and from a double. */
double FIX_dDigitsToDouble(const char* pDigits, uint32_t ulLen, uint32_t ulDecimals, double* pdResult);
void FIX_DoubleToDigits(const double* pdValue, uint32_t ulLen, uint32_t ulDecimals, char* pTarget);

/* Centres the non-blank part of the first ulLen characters; upper-cases the
 * field when cUpper is 'Y'. */
void FIX_CentreText(FFC_CONTEXT* pContext, char* pText, uint32_t ulLen, char cUpper);

/* Moves the source into the target and blank-pads it. A source longer than
 * the target is refused with "Error in LoadPaddedBuffer:Source len=%d
 * greaterthan target len=%d": the target is then left unchanged and -1 is
 * returned; 0 otherwise. */
int32_t LoadPaddedBuffer(void* pTarget, uint32_t ulTargetLen, const void* pSource, uint32_t ulSourceLen);

/* Blocks from the runtime heap (release with free). On exhausted storage
 * services message 510 is issued and NULL returned. */
void* MEM_pAllocZeroed(size_t ulSize);
void* MEM_pAllocFilled(size_t ulSize, unsigned char ucFill);

#ifdef __cplusplus
}
#endif

#endif
