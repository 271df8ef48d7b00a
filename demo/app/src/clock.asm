;**FILE CLOCK.ASM
;
; Demo Cuffware, state 0: the clock face. Shows the time of day and the
; weekday; MODE goes on to setting the time, START to the stopwatch.
;

ClockState:
        CP      A,#COREMAC_EVT_ENTER
        JRS     Z,ClockShow
        CP      A,#COREMAC_EVT_TICK
        JRS     Z,ClockShow
        CP      A,#COREMAC_EVT_KEY
        JRS     NZ,ClockDone
        CARL    INPUT_GET_KEY
        CP      A,#KEY_MODE
        JRS     Z,ClockToSetTime
        CP      A,#KEY_START
        JRS     Z,ClockToStopwatch
        CP      A,#KEY_LIGHT
        JRS     NZ,ClockDone
        CARL    PlayBeep
        JRS     ClockDone

ClockToSetTime:
        LD      A,#DEMO_STATE_SETTIME
        CARL    CORE_SET_STATE
        JRS     ClockDone

ClockToStopwatch:
        LD      A,#DEMO_STATE_STOPWATCH
        CARL    CORE_SET_STATE
        JRS     ClockDone

ClockShow:
        CARL    TIME_GET
        LD      HL,#TIMEVAR_HOURS
        LD      A,[HL]
        LD      B,#0
        CARL    ShowTwoDigits
        LD      HL,#TIMEVAR_MINUTES
        LD      A,[HL]
        LD      B,#3
        CARL    ShowTwoDigits
        LD      HL,#TIMEVAR_SECONDS
        LD      A,[HL]
        LD      B,#6
        CARL    ShowTwoDigits
        LD      HL,#ClockTitle
        LD      A,#DISP_LINE_TOP
        CARL    ShowText
        LD      HL,#WeekdayNames
        LD      A,#DISP_LINE_BOTTOM
        CARL    ShowText
        CARL    ClockShowDate
ClockDone:
        RET

; Shows the month's name and the day of the month on the middle line.
ClockShowDate:
        LD      HL,#UTILVAR_SCRATCH
        LD      A,[HL]
        DEC     A
        LD      L,#4
        MLT
        LD      BA,HL                   ; the product, as an offset
        LD      HL,#MonthNames
        ADD     HL,BA
        LD      A,#DISP_LINE_MIDDLE
        CARL    ShowText
        LD      HL,#UTILVAR_TEMP
        LD      A,[HL]
        LD      B,#4
        CARL    ShowTwoDigits
        RET

ClockTitle:
        DB      'DEMO CLOCK', STR_END
WeekdayNames:
        DB      'MON', STR_END, 'TUE', STR_END, 'WED', STR_END, 'THU', STR_END
        DB      'FRI', STR_END, 'SAT', STR_END, 'SUN', STR_END
DaysInMonth:
        DB      31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31
MonthNames:
        DB      'JAN', STR_END, 'FEB', STR_END, 'MAR', STR_END, 'APR', STR_END
        DB      'MAY', STR_END, 'JUN', STR_END, 'JUL', STR_END, 'AUG', STR_END
        DB      'SEP', STR_END, 'OCT', STR_END, 'NOV', STR_END, 'DEC', STR_END
MonthStart:
        DW      0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334

;**END FILE CLOCK.ASM
