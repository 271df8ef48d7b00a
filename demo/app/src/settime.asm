;**FILE SETTIME.ASM
;
; Demo Cuffware, state 1: setting the time. SET moves to the next field
; (hours, minutes, seconds), START counts the field up, MODE goes back to
; the clock face.
;

SetTimeState:
        CP      A,#COREMAC_EVT_ENTER
        JRS     NZ,SetTimeKey
        LD      HL,#DEMO_VAR_FIELD
        LD      [HL],#0
        JRS     SetTimeShow

SetTimeKey:
        CP      A,#COREMAC_EVT_KEY
        JRS     NZ,SetTimeDone
        CARL    INPUT_GET_KEY
        CP      A,#KEY_MODE
        JRS     Z,SetTimeLeave
        CP      A,#KEY_SET
        JRS     Z,SetTimeNextField
        CP      A,#KEY_START
        JRS     NZ,SetTimeDone

        LD      HL,#DEMO_VAR_FIELD
        LD      A,[HL]
        LD      B,#0
        LD      HL,#FieldLimits
        ADD     HL,BA
        LD      B,[HL]                  ; the field's limit
        ADD     A,A                     ; two bytes an address
        LD      HL,#FieldVariables
        ADD     HL,BA                   ; B is below 128, so BA + HL stays in the table
        LD      IX,[HL]                 ; the field's variable
        LD      A,[IX]
        INC     A
        CP      A,B
        JRS     NZ,SetTimeStore
        LD      A,#0
SetTimeStore:
        LD      [IX],A
        CARL    TIME_SET
        JRS     SetTimeShow

SetTimeNextField:
        LD      HL,#DEMO_VAR_FIELD
        LD      A,[HL]
        INC     A
        CP      A,#DEMO_FIELD_COUNT
        JRS     NZ,SetTimeField
        LD      A,#0
SetTimeField:
        LD      [HL],A
        CARL    PlayBeep
        JRS     SetTimeShow

SetTimeLeave:
        LD      A,#DEMO_STATE_CLOCK
        CARL    CORE_SET_STATE
        JRS     SetTimeDone

SetTimeShow:
        LD      HL,#SetTimeTitle
        LD      A,#DISP_LINE_TOP
        CARL    ShowText
        LD      HL,#TIMEVAR_HOURS
        LD      A,[HL]
        LD      B,#0
        CARL    ShowTwoDigits
        LD      HL,#TIMEVAR_MINUTES
        LD      A,[HL]
        LD      B,#3
        CARL    ShowTwoDigits
        CARL    SetTimeBlink
SetTimeDone:
        RET

; Blinks the field being set: every other tick shows blanks over it.
SetTimeBlink:
        LD      HL,#DEMO_VAR_TICKS
        LD      A,[HL]
        AND     A,#SETTING_BLINK_RATE
        JRS     Z,SetTimeBlinkEnd
        LD      HL,#DEMO_VAR_FIELD
        LD      A,[HL]
        LD      B,#0
        LD      HL,#FieldColumns
        ADD     HL,BA
        LD      B,[HL]
        LD      HL,#BlankText
        LD      A,#DISP_LINE_MIDDLE
        CARL    ShowText
SetTimeBlinkEnd:
        RET

SetTimeTitle:
        DB      'SET TIME', STR_END
FieldVariables:
        DW      TIMEVAR_HOURS, TIMEVAR_MINUTES, TIMEVAR_SECONDS
FieldLimits:
        DB      TIME_HOURS_PER_DAY, TIME_MINUTES_PER_HOUR, TIME_SECONDS_PER_MINUTE
FieldColumns:
        DB      0, 3, 6
BlankText:
        DB      '  ', STR_END
FieldNames:
        DB      'HR', STR_END, 'MN', STR_END, 'SC', STR_END

;**END FILE SETTIME.ASM
