/*
** skeleton_points.h: the insertion points of the skeletons and their
** handlers in the core.
*/
#ifndef GENERATOR_CORE_SKELETON_POINTS_H
#define GENERATOR_CORE_SKELETON_POINTS_H

#include <cstdint>

/* One point of the reduced engine of the built-in function skeleton. */
void P3109_RunBifPoint(int32_t lPoint);
/* Whether the reduced engine has a writer for the point (else it drops
** the line). */
bool P3109_fPointHandledByBif(int32_t lPoint);

/* Point handlers of the core. */
void P3109_SubstituteFunctionName();
void P3109_SubstituteObjectFileName();
void P3109_SubstituteFileBaseNameLower();
void P3109_SubstituteProcessName();
void P3109_SubstituteBlankPaddedName();
void P3109_KeepLineIfAnyValidation();
void P3109_KeepLineIfReportPrinted();
void P3109_WriteCloseReports();
void P3109_SubstituteCursorCount();
void P3109_KeepLineIfNoValidation();
void P3109_WriteExchangeSave();
void P3109_SubstituteFileBaseNameAt63();
void P3109_SubstituteSourceDirectory();
void P3109_SubstituteQuotedName();
void P3109_WriteFirstTimeFlags();
void P3109_KeepLineIfZophxFunction();
void P3109_SubstituteLowerName();
void P3109_KeepLineByOptions107();
void P3109_KeepLineByOptions108();
void P3109_KeepLineIfOption38();
void P3109_KeepLineIfOption39();
void P3109_KeepLineIfNotOption19();
void P3109_KeepLineIfOption40();
void P3109_KeepLineIfOption41();
void P3109_WriteBomSections140();
void P3109_WriteBomSections141();
void P3109_WriteGuidString161();
void P3109_WriteGuidString162();
void P3109_SubstituteFileBaseNameInLine();
void P3109_SubstituteCSharpNamespace();
/* Point 62: the stem of the generated files (the C name, or in a member
** pass of a compound component its pass number). */
void P3109_SubstituteFileStem();
void P3109_SubstitutePercentLiteral();

#endif
