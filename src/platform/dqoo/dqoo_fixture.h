/*
 * Expression fixture: a small text format that describes the compiled
 * expressions of one object (routines, expressions, p-code, operand nodes,
 * direct-code variants and statements) and the object layer's items.  The
 * object layer loads it into its expression store; the enumerations of
 * dqoo_pcode.h and the item queries of dqoo.h then answer from it.
 *
 * Format.  One record per line; blank lines and lines beginning with '#'
 * are skipped.  A line is a keyword followed by words separated by blanks.
 * A word "name=value" sets a member; a value in single quotes may hold
 * blanks (a quote inside is written twice).  Numbers are decimal (a leading
 * "0x" makes them hexadecimal).  Ids are names of the fixture's choosing;
 * they are global to the fixture and may be used before the line that
 * defines them.
 *
 *   NODE <id> kind=<k> [value=] [second=] [maxlength=] [field=] [component=]
 *        [dispatch=] [vector=] [pull=] [flags=] [text=] [bool=] [packed=]
 *        [list=] [record=]
 *       An operand node (kinds 1000-1020) or an intermediate result
 *       (260, 261).  field= sets fieldRef, component= componentFieldRef,
 *       vector= resultVectorIndex, pull= pullOperand, text= valueText,
 *       bool= the Boolean value, list= listName, record= recordRef.
 *       maxlength= and vector= share their room in the record, and so do
 *       packed=, component=, bool=, list= and record=: a node takes one of
 *       each.
 *   INSTRUCTION <id> opcode=<n> [operand=<id>] [flags=<n>]
 *       An instruction (kind 40); it may stand wherever a node may.
 *   ROUTINE <id> kind=<k> number=<n> [stack=<n>]
 *       An evaluation routine, enumerated in the order of the fixture.
 *   EXPRESSION [result=<id>]            an expression of the last ROUTINE
 *   CODE <id> ...                       its p-code instructions, in order
 *   WORK <id> ...                       its work-variable owners
 *   VARIANT tag=<t>                     a direct-code variant of it
 *   STATEMENT kind=<k> [operation=<id>] [result=<id>] [left=<id>]
 *             [right=<id>] [source=<id>] [field=<id>]
 *                                       a statement of the last VARIANT
 *                                       (source= and field= share their room)
 *   REFERENCE <letter><7 digits>
 *       The element stream that the routine enumeration hands out for the
 *       routine reference with that letter and number, made of:
 *   ELEMENT routine=<id>                the routine record itself
 *   ELEMENT kind=<k> [number=] [stack=] [code=<c>] [node=<id>]
 *           [first=] [second=] [third=]
 *                                       a marker or row element
 *   LITERAL <letter><7 digits> text='...' [second=<n>]
 *   ATTRIBUTES <7 digits> <field> '<attributes>' [<field> '<attributes>'] ...
 *   PENDING <7 digits> text='...'
 *   EVALUATIONS <statement handle> <field> ...
 *
 * A CODE, WORK, STATEMENT or ELEMENT line without its owner, an unknown
 * keyword or member, a duplicate id and an id that is never defined are
 * errors naming the line.
 */
#ifndef DQOV_PLATFORM_DQOO_FIXTURE_H
#define DQOV_PLATFORM_DQOO_FIXTURE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Replaces the expression store with the fixture text.  0, or -1 with an
 * error text naming the line (the store is then left empty). */
long DQOO_FCC_LoadExpressionFixture(const char* pszText, char* pszError, size_t cbError);

/* The same from a file. */
long DQOO_FCC_LoadExpressionFixtureFile(const char* pszPath, char* pszError, size_t cbError);

/* Empties the expression store. */
void DQOO_FCC_ClearExpressions(void);

#ifdef __cplusplus
}
#endif

#endif
