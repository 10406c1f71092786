// RtReports.cs: reports in the C# test run time. A report is opened and
// closed by the program's report routines; each print line the program
// hands over (its texts and fields at their positions) is written to the
// run's output as "PRINT <report> <page>.<line> |<item>|<item>|...": the
// texts and the fields' values in the line's order, each without its
// trailing blanks, as the C test run time writes them. The field values the
// report routines keep across breaks are held in the store slots the
// program names.
using System;
using System.Text;
using VELMO;

public static partial class RT
{
    static string Trimmed(string text)
    {
        int n = text.Length;
        while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
            --n;
        return text.Substring(0, n);
    }

    public static void Print(X_PIM report, X_REPORT_CTL control, X_FLD[] vector, int textCount, X_REPORT_TXT[] texts,
                             int fieldCount, X_REPORT_FLD[] fields)
    {
        if (report.sPIMCallCount == 0 && report.sCurrentLine == 0)
            report.sCurrentLine = 1;
        report.sCurrentLine += Math.Max(control.sSpaceBefore, 0);
        var line = new StringBuilder("PRINT " + report.sReportNumber + " " + report.sCurrentPage + "." +
                                     report.sCurrentLine + " |");
        for (int i = 0; i < textCount; ++i) {
            string t = texts[i].pvchText ?? "";
            line.Append(Trimmed(t.Length > texts[i].sLength ? t.Substring(0, texts[i].sLength) : t)).Append('|');
        }
        for (int i = 0; i < fieldCount; ++i)
            line.Append(Trimmed(ReadText(Place(vector, fields[i].sField)))).Append('|');
        Out.WriteLine(line.ToString());
    }

    // ---- the values kept across breaks ----

    static byte[] Slot(X_FLD[] vector, int count, short[] fields, int slot, object[] slots, bool create)
    {
        if (slot < 0 || slot >= slots.Length)
            Stop("store slot " + slot);
        if (slots[slot] == null) {
            if (!create)
                Stop("store slot " + slot + " read before it was saved");
            int size = 0;
            for (int i = 0; i < count; ++i)
                size += vector[fields[i]].sByteLen;
            slots[slot] = new byte[size];
        }
        return (byte[])slots[slot];
    }

    public static void SaveValues(X_FLD[] vector, int count, short[] fields, int slot, object[] slots)
    {
        byte[] p = Slot(vector, count, fields, slot, slots, true);
        for (int i = 0, at = 0; i < count; at += vector[fields[i]].sByteLen, ++i)
            Array.Copy(Read(Place(vector, fields[i]), vector[fields[i]].sByteLen), 0, p, at, vector[fields[i]].sByteLen);
    }

    public static void RestoreValues(X_FLD[] vector, int count, short[] fields, int slot, object[] slots)
    {
        byte[] p = Slot(vector, count, fields, slot, slots, false);
        for (int i = 0, at = 0; i < count; at += vector[fields[i]].sByteLen, ++i) {
            byte[] value = new byte[vector[fields[i]].sByteLen];
            Array.Copy(p, at, value, 0, value.Length);
            Write(Place(vector, fields[i]), value);
            SetIndexValue(vector, fields[i]);
        }
    }

    public static int CompareValues(X_FLD[] vector, int count, short[] fields, int slot, object[] slots)
    {
        byte[] p = Slot(vector, count, fields, slot, slots, false);
        for (int i = 0, at = 0; i < count; at += vector[fields[i]].sByteLen, ++i) {
            byte[] value = Read(Place(vector, fields[i]), vector[fields[i]].sByteLen);
            for (int k = 0; k < value.Length; ++k)
                if (value[k] != p[at + k])
                    return value[k] < p[at + k] ? -1 : 1;
        }
        return 0;
    }
}

public static partial class X_RUN_DLL
{
    public static void X_Pim_Print(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_REPORT_CTL control,
                                   X_COND[] conditions, X_FLD[] vector, int textCount, X_REPORT_TXT[] texts,
                                   int fieldCount, X_REPORT_FLD[] fields)
    {
        RT.Print(report, control, vector, textCount, texts, fieldCount, fields);
    }

    // NO: no error.
    public static char X_Open_Report(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_FLD[] vector)
    {
        RT.Out.WriteLine("REPORT " + report.sReportNumber + " OPENED");
        return X_Function.NO;
    }

    public static void X_Close_Report(X_IDS ids, X_PRO pro, X_FUN fun, X_PIM report, X_FLD[] vector)
    {
        RT.Out.WriteLine("REPORT " + report.sReportNumber + " CLOSED");
    }

    public static void X_Space_Lines(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_PIM report, int lines)
    {
        report.sCurrentLine += lines;
    }

    // A line at or above the current one is on the next page.
    public static void X_Skip_To_Line(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_PIM report, int line)
    {
        if (line <= report.sCurrentLine && report.sPIMCallCount > 0)
            ++report.sCurrentPage;
        report.sCurrentLine = line - 1;
    }

    public static void X_Vec_Save_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                         short[] fields, int slot, object[] slots)
    {
        RT.SaveValues(vector, fieldCount, fields, slot, slots);
    }

    public static void X_Vec_Restore_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                            short[] fields, int slot, object[] slots)
    {
        RT.RestoreValues(vector, fieldCount, fields, slot, slots);
    }

    public static int X_Vec_Compare_Values(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int fieldCount,
                                           short[] fields, int slot, object[] slots)
    {
        return RT.CompareValues(vector, fieldCount, fields, slot, slots);
    }
}
