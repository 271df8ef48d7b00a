;**FILE UTIL.ASM
;
; Demo Cuffware: routines and tables shared by the states. They sit in the
; common section, so every state can call them through COMMINC.H.
;

        GLOBAL  StopwatchTick
        GLOBAL  ShowTwoDigits
        GLOBAL  ShowText
        GLOBAL  PlayBeep
        GLOBAL  ResetStopwatch
        GLOBAL  DigitTable
        GLOBAL  KeyTable
        GLOBAL  ShowBigDigit
        GLOBAL  PlayMelody
        GLOBAL  BigDigitFont

; Counts the stopwatch one second on: seconds 0..59, then the minutes.
StopwatchTick:
        PUSH    HL
        LD      HL,#DEMO_VAR_SECONDS
        LD      A,[HL]
        INC     A
        CP      A,#TIME_SECONDS_PER_MINUTE
        JRS     NZ,TickStore
        LD      A,#0
        LD      [HL],A
        LD      HL,#DEMO_VAR_MINUTES
        LD      A,[HL]
        INC     A
        CP      A,#(COUNTDN_MAX_MINUTES + 1)
        JRS     NZ,TickStore
        LD      A,#0
TickStore:
        LD      [HL],A
        POP     HL
        RET

; Shows the value in A (0..99) as two digits, the tens at the column in B.
ShowTwoDigits:
        PUSH    HL
        PUSH    BA
        LD      L,A
        LD      H,#0
        LD      A,#10
        DIV                             ; L = tens, H = units
        LD      A,L
        CARL    ShowSmallDigit
        INC     B
        LD      A,H
        CARL    ShowSmallDigit
        POP     BA
        POP     HL
        RET

; Draws the digit in A (0..9) in the small font at the column in B.
ShowSmallDigit:
        PUSH    HL
        PUSH    BA
        LD      B,#0
        LD      HL,#DigitTable
        ADD     HL,BA                   ; the digit's character
        POP     BA
        LD      A,#FONT_SMALL
        CARL    DISP_PUT_DIGITS
        POP     HL
        RET

; Shows the text that HL points to on the line in A.
ShowText:
        PUSH    HL
        CARL    DISP_PUT_TEXT
        CARL    DISP_REFRESH
        POP     HL
        RET

; One short beep.
PlayBeep:
        LD      A,#SOUND_BEEP
        CARL    SOUND_PLAY
        RET

; Stops the stopwatch and sets it to zero.
ResetStopwatch:
        LD      HL,#DEMO_VAR_TICKS
        LD      A,#0
        LD      [HL],A
        INC     HL
        LD      [HL],A
        INC     HL
        LD      [HL],A
        INC     HL
        LD      [HL],A
        RET

; Draws the digit in A (0..9) large at the column in B, from BigDigitFont.
ShowBigDigit:
        PUSH    HL
        PUSH    BA
        LD      L,#5
        MLT
        LD      BA,HL                   ; the product, as an offset
        LD      HL,#BigDigitFont
        ADD     HL,BA
        POP     BA
        LD      A,#FONT_LARGE
        CARL    DISP_PUT_DIGITS
        POP     HL
        RET

; Plays the notes of BeepMelody one after another.
PlayMelody:
        LD      HL,#BeepMelody
PlayNext:
        LD      BA,[HL]
        CP      BA,#0
        JRS     Z,PlayEnd
        CARL    SOUND_PLAY
        INC     HL
        INC     HL
        JRS     PlayNext
PlayEnd:
        RET

DigitTable:
        DB      '0123456789'
KeyTable:
        DB      KEY_MODE, KEY_SET, KEY_START, KEY_STOP, KEY_LIGHT
        DS      3                       ; room for two more keys and the end mark
BigDigitFont:                           ; five columns a digit
        DB      3Eh, 51h, 49h, 45h, 3Eh
        DB      00h, 42h, 7Fh, 40h, 00h
        DB      42h, 61h, 51h, 49h, 46h
        DB      21h, 41h, 45h, 4Bh, 31h
        DB      18h, 14h, 12h, 7Fh, 10h
        DB      27h, 45h, 45h, 45h, 39h
        DB      3Ch, 4Ah, 49h, 49h, 30h
        DB      01h, 71h, 09h, 05h, 03h
        DB      36h, 49h, 49h, 49h, 36h
        DB      06h, 49h, 49h, 29h, 1Eh
BeepMelody:                             ; tone, length; 0 ends
        DW      SOUND_BEEP, 4, SOUND_CONFIRM, 8, 0

;**END FILE UTIL.ASM
