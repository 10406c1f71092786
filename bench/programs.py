"""The programs the benchmark times: a ZOPH function of a given number of
commands and a COBOL program of as many lines that does the same work.

The function is made of blocks in the command mix of real functions: two
work fields defined, a file read with its result tested, a counted loop and
a conditional loop, a CASE over the record's status with an update, a
subroutine call in every third block, a selection loop over the file and a
new record written. Each called subroutine follows the main routine. Every
name it uses is a field, file or process of the built sample environment, so
the function checks clean. The COBOL program mirrors it statement for
statement over an indexed file of the same record."""

BLOCK_COMMANDS = 29       # commands of one block
ROUTINE_COMMANDS = 6      # commands of one subroutine
ROUTINE_EVERY = 3         # every third block calls a subroutine of its own


def zoph_block(k, routine):
    w, a = f"#W{k:04d}", f"#A{k:04d}"
    call = (f"EXECUTE SUBROUTINE({routine}) WITH_PARMS({w})" if routine
            else "CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 2')")
    return [
        f"DEFINE FIELD({w}) TYPE(*DEC) LENGTH(9) DECIMALS(2) LABEL('Total {k}')",
        f"DEFINE FIELD({a}) TYPE(*CHAR) LENGTH(30)",
        f"CHANGE FIELD({w}) TO(0)",
        "FETCH FIELDS(#CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(*NEXT)",
        "IF COND('#CUSTSTS = A')",
        f"CHANGE FIELD({a}) TO(#CUSTNAM)",
        f"CHANGE FIELD({w}) TO('{w} + #CREDIT')",
        "ELSE",
        f"MESSAGE MSGTXT('Block {k}: customer not active')",
        "ENDIF",
        "BEGIN_LOOP USING(#IDX) FROM(1) TO(5)",
        f"CHANGE FIELD({w}) TO('{w} + #IDX')",
        "END_LOOP",
        f"DOWHILE COND('{w} > 1000')",
        f"CHANGE FIELD({w}) TO('{w} / 2')",
        "ENDWHILE",
        "CASE OF_FIELD(#CUSTSTS)",
        "WHEN VALUE_IS('= A')",
        "UPDATE FIELDS(#CREDIT) IN_FILE(CUSTMST) WITH_KEY(#CUSTNO)",
        "WHEN VALUE_IS('= C')",
        call,
        "OTHERWISE",
        "MESSAGE MSGTXT('Status not known')",
        "ENDCASE",
        "SELECT FIELDS(#CUSTNO #CREDIT) FROM_FILE(CUSTMST)",
        "CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1')",
        "ENDSELECT",
        "INSERT FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) TO_FILE(CUSTMST)",
        f"CHANGE FIELD(#CREDIT) TO('{w} * 2')",
    ]


def zoph_routine(k, routine):
    w = f"#W{k:04d}"
    return [
        f"SUBROUTINE NAME({routine}) PARMS(({w} *RECEIVED))",
        f"IF COND('{w} < 0')",
        f"CHANGE FIELD({w}) TO(0)",
        "ENDIF",
        f"MESSAGE MSGTXT('Routine {k} done')",
        "ENDROUTINE",
    ]


def zoph_function(n):
    """Exactly n commands (n >= 40), one a line."""
    head = ["FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#IDX) TYPE(*DEC) LENGTH(3) DECIMALS(0)"]
    tail = ["RETURN"]
    body, routines = [], []
    k = 0
    while True:
        routine = f"R{k:04d}" if k % ROUTINE_EVERY == 0 else None
        cost = BLOCK_COMMANDS + (ROUTINE_COMMANDS if routine else 0)
        if len(head) + len(body) + len(tail) + len(routines) + cost > n:
            break
        body += zoph_block(k, routine)
        if routine:
            routines += zoph_routine(k, routine)
        k += 1
    body += ["CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1')"] * (n - len(head) - len(body) - len(tail) - len(routines))
    lines = head + body + tail + routines
    assert len(lines) == n
    return lines


def cobol_block(k, routine):
    w, a = f"W{k:04d}", f"A{k:04d}"
    data = [f"       01 {w} PIC S9(7)V99 COMP-3 VALUE 0.", f"       01 {a} PIC X(30)."]
    call = ([f"               MOVE {w} TO PARM-W", f"               PERFORM {routine}"] if routine
            else ["               ADD 2 TO WRKCNT"])
    code = [
        f"           MOVE 0 TO {w}",
        "           READ CUSTMST KEY IS CUSTNO INVALID KEY CONTINUE END-READ",
        "           IF CUSTSTS = 'A'",
        f"               MOVE CUSTNAM TO {a}",
        f"               ADD CREDIT TO {w}",
        "           ELSE",
        f"               DISPLAY 'Block {k}: customer not active'",
        "           END-IF",
        "           PERFORM VARYING IDX FROM 1 BY 1 UNTIL IDX > 5",
        f"               ADD IDX TO {w}",
        "           END-PERFORM",
        f"           PERFORM UNTIL {w} NOT > 1000",
        f"               DIVIDE 2 INTO {w}",
        "           END-PERFORM",
        "           EVALUATE CUSTSTS",
        "           WHEN 'A'",
        "               REWRITE CUSTREC INVALID KEY CONTINUE END-REWRITE",
        "           WHEN 'C'",
        *call,
        "           WHEN OTHER",
        "               DISPLAY 'Status not known'",
        "           END-EVALUATE",
        "           START CUSTMST KEY >= CUSTNO INVALID KEY MOVE '10' TO FS END-START",
        "           PERFORM UNTIL FS NOT = '00'",
        "               READ CUSTMST NEXT AT END MOVE '10' TO FS END-READ",
        "               ADD 1 TO WRKCNT",
        "           END-PERFORM",
        "           WRITE CUSTREC INVALID KEY CONTINUE END-WRITE",
        f"           COMPUTE CREDIT = {w} * 2.",
    ]
    return data, code


def cobol_routine(k, routine):
    return [
        f"       {routine}.",
        "           IF PARM-W < 0",
        "               MOVE 0 TO PARM-W",
        "           END-IF",
        f"           DISPLAY 'Routine {k} done'.",
    ]


def cobol_program(n, name):
    """About n lines (n >= 60): the frame, the blocks, padded to n."""
    head = [
        "       IDENTIFICATION DIVISION.",
        f"       PROGRAM-ID. {name}.",
        "       ENVIRONMENT DIVISION.",
        "       INPUT-OUTPUT SECTION.",
        "       FILE-CONTROL.",
        "           SELECT CUSTMST ASSIGN TO 'CUSTMST'",
        "               ORGANIZATION IS INDEXED",
        "               ACCESS MODE IS DYNAMIC",
        "               RECORD KEY IS CUSTNO",
        "               FILE STATUS IS FS.",
        "       DATA DIVISION.",
        "       FILE SECTION.",
        "       FD CUSTMST.",
        "       01 CUSTREC.",
        "          05 CUSTNO  PIC 9(7).",
        "          05 CUSTNAM PIC X(30).",
        "          05 CREDIT  PIC S9(9)V99 COMP-3.",
        "          05 CUSTSTS PIC X.",
        "       WORKING-STORAGE SECTION.",
        "       01 FS      PIC XX VALUE '00'.",
        "       01 WRKCNT  PIC S9(5) COMP-3 VALUE 0.",
        "       01 IDX     PIC S9(3) COMP-3 VALUE 0.",
        "       01 PARM-W  PIC S9(7)V99 COMP-3 VALUE 0.",
    ]
    main = ["       PROCEDURE DIVISION.", "       MAIN-PARA.", "           OPEN I-O CUSTMST"]
    tail = ["           CLOSE CUSTMST", "           GOBACK."]
    data, code, routines = [], [], []
    k = 0
    while True:
        routine = f"R{k:04d}" if k % ROUTINE_EVERY == 0 else None
        d, c = cobol_block(k, routine)
        r = cobol_routine(k, routine) if routine else []
        used = len(head) + len(data) + len(main) + len(code) + len(tail) + len(routines)
        if used + len(d) + len(c) + len(r) > n:
            break
        data += d
        code += c
        routines += r
        k += 1
    pad = n - (len(head) + len(data) + len(main) + len(code) + len(tail) + len(routines))
    code += ["           ADD 1 TO WRKCNT"] * max(pad, 0)
    return head + data + main + code + tail + routines
