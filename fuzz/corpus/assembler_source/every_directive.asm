$CASE ON
DEMO_VAR_BASE   equ  1400h
Count   set  1
        DEFSECT ".text", CODE AT 10000h
        DEFSECT "tables", DATA          ; placed by lc88
        SECT    ".text"
Start:  LD      HL,#Months              ; filled in by lc88
Loop:LD A,[HL]                  ; no blank needed after the colon
        DB   Count              ; 1
Count   set  Count + 1
        DB   Count              ; 2
Quote:       DB  "say ""hi""", 'it''s', 0FFh, -1
MonthStart:  DW  0, 31, 59, Quote
        DB   (1 << 4) | 3, 'A' + 1, LOW($)
LoadPair macro reg, value
        LD   reg,#LOW(value)
        endm
        LoadPair A, Months
        LoadPair B, 1234h
DEBUG   equ  0
        IF   DEBUG
        CARL DumpRegisters
        ELSE
        NOP
        ENDIF
        LD   A,#HIGH(Months)
        LD   NB,#BANK(Start)
        GLOBAL Start
        SECT    "tables"
Months: DB      'JAN', 0
