/*
** least_runtime.h: the test's least run time (least_runtime.c): its field
** vector and the driver's services to set and show a field's value.
*/
#ifndef LEAST_RUNTIME_H
#define LEAST_RUNTIME_H

#define LR_FIELDS 64

extern struct X_FLD LR_Fld[LR_FIELDS];
extern struct X_IDS *LR_pIds;
extern int LR_Fatal;    /* the text number of the first fatal error, 0 for none */
extern int LR_Overflow; /* a value did not fit its field */

/* Field s of type 'P', 'S', 'I' (length in bytes), 'F', 'Y' or 'A', held
** with its field information when `full` (a packed or signed field). */
void LR_Define(int s, char type, int length, int decimals, int full);
/* Sets a field from a decimal text ("-12.50"), a boolean "1"/"0" or an
** alphanumeric text. */
void LR_Set(int s, const char *value);
/* Writes the field's value to standard output. */
void LR_Show(int s);

#endif
