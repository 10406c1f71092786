// X_RptStd.cs: the run-time interface that the C# code of the report
// commands calls: the report control block X_PIM of each printed report,
// the control and tables of a print routine, the print manager and the
// services of the report routines (open, close, spacing, skipping, and the
// save, restore and compare of field values across page and level breaks).
// Declarations (stubs that compile) only: the hosting run-time supplies the
// behaviour.

// The control block of one report, made from the values of its initialiser
// in their order; every instance of a function prints from its own copy.
public class X_PIM
{
    public const int X_SIZE = 600;
    public int ulSize, sReportNumber, sLineWidth, sPageLength, sOverflowLine, sLastDetailLine, sCurrentLine,
               sCurrentPage;
    public object pvOutputFile;
    public string vchOutputFile;
    public int sReturnPageLength, sReturnPageWidth, sReturnOverflowLine, sReturnLineNumber, sReturnPageNumber;
    public int sPageNumberField;
    public char chOpen;
    public int sPIMCallCount;
    public char chOverFlowOn, chNewPageFlag, chLevelBreak, chClosingReport;
    public string vchOutputPath;
    public int sVersion;
    public string vchPrinterFile, vchPrinterLibrary;
    public int sOutputQueue, sCopies, sFormType, sOtherOverrides;

    public X_PIM(int size, int report, int lineWidth, int pageLength, int overflowLine, int lastDetailLine,
                 int currentLine, int currentPage, object outputFile, string outputFileName, int returnPageLength,
                 int returnPageWidth, int returnOverflowLine, int returnLineNumber, int returnPageNumber,
                 int pageNumberField, char open, int callCount, char overflowOn, char newPage, char levelBreak,
                 char closing, string outputPath, int version, string printerFile, string printerLibrary,
                 int outputQueue, int copies, int formType, int otherOverrides)
    {
        ulSize = size; sReportNumber = report; sLineWidth = lineWidth; sPageLength = pageLength;
        sOverflowLine = overflowLine; sLastDetailLine = lastDetailLine; sCurrentLine = currentLine;
        sCurrentPage = currentPage; pvOutputFile = outputFile; vchOutputFile = outputFileName;
        sReturnPageLength = returnPageLength; sReturnPageWidth = returnPageWidth;
        sReturnOverflowLine = returnOverflowLine; sReturnLineNumber = returnLineNumber;
        sReturnPageNumber = returnPageNumber; sPageNumberField = pageNumberField; chOpen = open;
        sPIMCallCount = callCount; chOverFlowOn = overflowOn; chNewPageFlag = newPage; chLevelBreak = levelBreak;
        chClosingReport = closing; vchOutputPath = outputPath; sVersion = version; vchPrinterFile = printerFile;
        vchPrinterLibrary = printerLibrary; sOutputQueue = outputQueue; sCopies = copies; sFormType = formType;
        sOtherOverrides = otherOverrides;
    }
    public X_PIM(X_PIM model) : this(model.ulSize, model.sReportNumber, model.sLineWidth, model.sPageLength,
                                     model.sOverflowLine, model.sLastDetailLine, model.sCurrentLine,
                                     model.sCurrentPage, model.pvOutputFile, model.vchOutputFile,
                                     model.sReturnPageLength, model.sReturnPageWidth, model.sReturnOverflowLine,
                                     model.sReturnLineNumber, model.sReturnPageNumber, model.sPageNumberField,
                                     model.chOpen, model.sPIMCallCount, model.chOverFlowOn, model.chNewPageFlag,
                                     model.chLevelBreak, model.chClosingReport, model.vchOutputPath, model.sVersion,
                                     model.vchPrinterFile, model.vchPrinterLibrary, model.sOutputQueue,
                                     model.sCopies, model.sFormType, model.sOtherOverrides) { }
}

// The control of one print routine: spacing before, the heading line.
public class X_REPORT_CTL
{
    public int sSpaceBefore, sReserved1, sLine, sReserved2;
    public X_REPORT_CTL(int spaceBefore, int reserved1, int line, int reserved2)
    {
        sSpaceBefore = spaceBefore; sReserved1 = reserved1; sLine = line; sReserved2 = reserved2;
    }
}

// A text and a field of a print line.
public class X_REPORT_TXT
{
    public string pvchText; public int sPosition, sLength, sCond2;
    public X_REPORT_TXT(string text, int position, int length, int condition2)
    {
        pvchText = text; sPosition = position; sLength = length; sCond2 = condition2;
    }
}
public class X_REPORT_FLD
{
    public int sField, sPosition, sLength, sCond2; public char chEditCode; public string pvchEditWord;
    public int sEditValue;
    public X_REPORT_FLD(int field, int position, int length, int condition2, char editCode, string editWord,
                        int editValue)
    {
        sField = field; sPosition = position; sLength = length; sCond2 = condition2; chEditCode = editCode;
        pvchEditWord = editWord; sEditValue = editValue;
    }
}

namespace VELMO
{
    // The first byte of a field's storage, as a character.
    public static partial class X_DEFS
    {
        public static char X_FIRST_CHAR(object storage) { return ' '; }
    }
}

// The print manager and the services of the report routines.
public static partial class X_RUN_DLL
{
    public static void X_Pim_Print(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_REPORT_CTL control,
                                   X_COND[] conditions, X_FLD[] vector, int textCount, X_REPORT_TXT[] texts,
                                   int fieldCount, X_REPORT_FLD[] fields) { }
    public static char X_Open_Report(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_FLD[] vector) { return 'N'; }
    public static void X_Close_Report(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_FLD[] vector) { }
    public static void X_Space_Lines(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_PIM report, int lines) { }
    public static void X_Skip_To_Line(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_PIM report, int line) { }
    public static void X_Vec_Save_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                         short[] fields, int slot, object[] slots) { }
    public static void X_Vec_Restore_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                            short[] fields, int slot, object[] slots) { }
    public static int X_Vec_Compare_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                           short[] fields, int slot, object[] slots) { return 0; }
}
